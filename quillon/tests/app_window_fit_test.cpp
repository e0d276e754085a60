// The window on a small screen at a high scale: it opens inside the screen,
// every control shows whole, and it shrinks and grows with the table taking
// the room. The screen comes from QUILLON_TEST_SCREEN ("1366x768@1.5", the
// default; CTest also runs "1280x800@2"), set up as the offscreen platform's
// only screen before the application starts.
#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "app_window_fixture.h"
#include "quillon/app/sentence_table.h"

using quillon::testing::Sentences;
using quillon::testing::WindowUnderTest;

namespace {

constexpr int kLeastRowsShown = 2;

const char* const kControls[] = {"informationFrame", "informationBox", "fileListFrame", "fileList",
                                 "addFile",          "deleteFile",     "saveList",      "currentFileFrame",
                                 "saveFile",         "sentenceTable",  "download",      "progressBar"};

QScrollArea* Scroller(const WindowUnderTest& test) { return test.Find<QScrollArea>("contentScroller"); }

// The least size a layout gives the widget: its own minimum where set.
QSize LeastSize(const QWidget& widget) {
  const QSize hint = widget.minimumSizeHint();
  const QSize set = widget.minimumSize();
  return {set.width() > 0 ? set.width() : hint.width(), set.height() > 0 ? set.height() : hint.height()};
}

// The menu bar and the status bar with the controls at their least size.
QSize LeastWindowSize(const WindowUnderTest& test) {
  return Scroller(test)->widget()->minimumSizeHint() +
         QSize(0, test.window->menuBar()->height() + test.window->statusBar()->height());
}

// Every control lies whole inside the scrolled area, at least as big as it
// needs, and a button's caption fits on it; the status bar shows.
void VerifyNothingClipped(const WindowUnderTest& test) {
  const QWidget* content = Scroller(test)->widget();
  for (const char* name : kControls) {
    const QWidget* control = test.Find<QWidget>(name);
    QVERIFY2(control != nullptr && control->isVisible(), name);
    const QRect place(control->mapTo(content, QPoint(0, 0)), control->size());
    QVERIFY2(content->rect().contains(place), name);
    QVERIFY2(control->height() >= LeastSize(*control).height(), name);
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
      const QString caption = button->text().remove(QLatin1Char('&'));
      QVERIFY2(button->width() > button->fontMetrics().horizontalAdvance(caption), name);
    }
  }
  const auto* table = test.Find<quillon::SentenceTable>("sentenceTable");
  QVERIFY(table->viewport()->height() >= kLeastRowsShown * table->verticalHeader()->defaultSectionSize());
  QVERIFY(test.window->statusBar()->isVisible());
  QVERIFY(test.window->rect().contains(test.window->statusBar()->geometry()));
}

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private:
  WindowUnderTest& StartWithSentences(WindowUnderTest& test) {
    test.Start();
    test.files.answers.push_back(QString::fromStdString(
        test.AddCommandFile("Lights.txt", Sentences({{1, u"\u958B\u71C8"}, {2, u"Lights off"}}, {1, 2}))
            .string()));
    test.Click("addFile");
    return test;
  }

 private slots:
  void OpensInsideTheScreenWithEveryControlShown() {
    WindowUnderTest test;
    StartWithSentences(test);
    const QRect available = test.window->screen()->availableGeometry();
    QVERIFY2(available.contains(test.window->frameGeometry()),
             qPrintable(QStringLiteral("window %1x%2 on a screen of %3x%4")
                            .arg(test.window->frameGeometry().width())
                            .arg(test.window->frameGeometry().height())
                            .arg(available.width())
                            .arg(available.height())));
    QVERIFY(!Scroller(test)->verticalScrollBar()->isVisible());
    QVERIFY(!Scroller(test)->horizontalScrollBar()->isVisible());
    VerifyNothingClipped(test);
  }

  void LeastSizeLeavesRoomForPanelsAndScrollsBelowIt() {
    WindowUnderTest test;
    StartWithSentences(test);
    const QSize least = LeastWindowSize(test);
    const QSize available = test.window->screen()->availableGeometry().size();
    QVERIFY2(least.width() <= available.width() * 0.75 && least.height() <= available.height() * 0.96,
             qPrintable(QStringLiteral("least %1x%2").arg(least.width()).arg(least.height())));
    test.window->resize(least);
    QTRY_COMPARE(test.window->size(), least);
    QVERIFY(!Scroller(test)->verticalScrollBar()->isVisible());
    VerifyNothingClipped(test);

    // Shorter still (tall panels, a title bar): the controls scroll whole.
    test.window->resize(least - QSize(0, 100));
    QTRY_VERIFY(Scroller(test)->verticalScrollBar()->isVisible());
    VerifyNothingClipped(test);
  }

  void GrowsWithTheTableTakingTheRoom() {
    WindowUnderTest test;
    StartWithSentences(test);
    auto* table = test.Find<quillon::SentenceTable>("sentenceTable");
    QWidget* information = test.Find<QWidget>("informationBox");
    test.window->resize(test.window->size() + QSize(0, 60));
    QTRY_COMPARE(information->height(), information->maximumHeight());
    QVERIFY(test.window->minimumSize() != test.window->maximumSize());
    const QSize tableBefore = table->size();
    const int buttonHeight = test.Button("download")->height();
    test.window->resize(test.window->size() + QSize(120, 90));
    QTRY_COMPARE(table->width(), tableBefore.width() + 120);
    QCOMPARE(table->height(), tableBefore.height() + 90);
    QCOMPARE(information->height(), information->maximumHeight());
    QCOMPARE(test.Button("download")->height(), buttonHeight);
    QCOMPARE(table->columnWidth(quillon::SentenceTable::kIdColumn), 80);
    VerifyNothingClipped(test);
  }
};

int main(int argc, char* argv[]) {
  QString screen = qEnvironmentVariable("QUILLON_TEST_SCREEN", QStringLiteral("1366x768@1.5"));
  const QRegularExpressionMatch parts =
      QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)@([\\d.]+)$")).match(screen);
  if (!parts.hasMatch()) {
    std::fprintf(stderr, "QUILLON_TEST_SCREEN must read WIDTHxHEIGHT@SCALE\n");
    return 2;
  }
  QTemporaryDir configFolder;
  const QString configPath = configFolder.filePath(QStringLiteral("screen.json"));
  QFile config(configPath);
  if (!config.open(QIODevice::WriteOnly)) return 2;
  config.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1,)"
                              R"( "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(parts.captured(1), parts.captured(2))
                   .toUtf8());
  config.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + configPath).toLocal8Bit());
  qputenv("QT_SCALE_FACTOR", parts.captured(3).toLatin1());

  QApplication application(argc, argv);
  std::printf("screen %s: %dx%d device-independent pixels\n", qPrintable(screen),
              application.primaryScreen()->geometry().width(),
              application.primaryScreen()->geometry().height());
  WindowFitTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "app_window_fit_test.moc"
