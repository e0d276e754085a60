// The main window's start-up, controls, layout, menus, keyboard and status bar.
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QContextMenuEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <fstream>

#include "app_window_fixture.h"
#include "quillon/app/about_dialog.h"
#include "quillon/app/gradient_progress_bar.h"
#include "quillon/app/sentence_table.h"

using quillon::testing::Sentences;
using quillon::testing::WindowUnderTest;

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// Runs `check` on the modal dialog that `open` brings up, then closes it.
template <typename Open>
bool ModalShown(Open open, const std::function<bool(QWidget*)>& check) {
  bool shown = false;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    shown = modal != nullptr && check(modal);
    if (modal != nullptr) modal->close();
  });
  open();
  return shown;
}

bool IsAboutBox(QWidget* modal) {
  auto* about = qobject_cast<quillon::AboutDialog*>(modal);
  return about != nullptr && about->windowTitle() == QStringLiteral("QUILLON--Voice Deck");
}

QStringList MenuTexts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* action : menu.actions()) {
    texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  return texts;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void StartInAnEmptyFolderCreatesTheConfiguration() {
    WindowUnderTest test;
    test.Start();
    QVERIFY(std::filesystem::exists(test.root / "Configure.ini"));
    QVERIFY(std::filesystem::exists(test.root / "Recipe" / "DefaultRecipe.ini"));
    QCOMPARE(test.FileList()->count(), 0);
    QCOMPARE(test.Information(), QStringLiteral("No device"));
    QCOMPARE(test.Find<QLabel>("deviceState")->text(), QStringLiteral("No device"));
    QVERIFY(!test.Button("download")->isEnabled());
    QVERIFY(!test.Button("saveFile")->isEnabled());
    QVERIFY(test.messages.messages.empty());
    QCOMPARE(test.engine.calls, (std::vector<std::string>{"init fastt2p/"}));
  }

  void ClosingTheWindowReleasesTheEngine() {
    WindowUnderTest test;
    test.Start();
    test.window.reset();
    QCOMPARE(test.engine.calls.back(), std::string("release"));
  }

  void ControlsCarryTheirCaptions() {
    WindowUnderTest test;
    auto& window = test.Start();
    QCOMPARE(window.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("QUILLON--Voice Deck"));
    QCOMPARE(test.Find<QGroupBox>("informationFrame")->title(), QStringLiteral("Informations"));
    QCOMPARE(test.Find<QGroupBox>("fileListFrame")->title(), QStringLiteral("File List"));
    QCOMPARE(test.Find<QGroupBox>("currentFileFrame")->title(), QStringLiteral("Current File"));
    // The captions as users know them; the ampersand only marks the Alt key.
    const std::pair<const char*, const char*> captions[] = {
        {"addFile", "Add File"},   {"deleteFile", "Delete File"}, {"saveList", "Save List"},
        {"saveFile", "Save File"}, {"download", "Download"}};
    for (const auto& [name, caption] : captions) {
      QCOMPARE(test.Button(name)->text().remove(QLatin1Char('&')), QString::fromLatin1(caption));
    }
    QVERIFY(!test.Find<QWidget>("inPlaceEditor")->isVisible());
  }

  void ControlsAreInTheirFramesInOrder() {
    WindowUnderTest test;
    test.Start();
    const auto frameOf = [&](const char* name) {
      return test.Find<QWidget>(name)->parentWidget()->objectName();
    };
    QCOMPARE(frameOf("informationBox"), QStringLiteral("informationFrame"));
    QCOMPARE(frameOf("fileList"), QStringLiteral("fileListFrame"));
    for (const char* name : {"addFile", "deleteFile", "saveList"}) {
      QCOMPARE(frameOf(name), QStringLiteral("fileListFrame"));
    }
    QCOMPARE(frameOf("saveFile"), QStringLiteral("currentFileFrame"));
    QCOMPARE(frameOf("sentenceTable"), QStringLiteral("currentFileFrame"));

    // Top to bottom: the three frames, Download, the bar; Add File, Delete
    // File and Save List on one row, left to right, equally wide.
    const auto top = [&](const char* name) {
      QWidget* widget = test.Find<QWidget>(name);
      return widget->mapTo(test.window.get(), QPoint(0, 0)).y();
    };
    QVERIFY(top("informationFrame") < top("fileListFrame"));
    QVERIFY(top("fileListFrame") < top("currentFileFrame"));
    QVERIFY(top("saveFile") < top("sentenceTable"));
    QVERIFY(top("currentFileFrame") < top("download"));
    QVERIFY(top("download") < top("progressBar"));
    const QRect add = test.Button("addFile")->geometry();
    const QRect remove = test.Button("deleteFile")->geometry();
    const QRect saveList = test.Button("saveList")->geometry();
    QCOMPARE(add.top(), saveList.top());
    QVERIFY(add.right() < remove.left() && remove.right() < saveList.left());
    QCOMPARE(add.width(), saveList.width());
    QCOMPARE(test.Button("download")->width(), test.Find<QWidget>("progressBar")->width());
  }

  void SentenceTableColumnsAreNotResizable() {
    WindowUnderTest test;
    test.Start();
    auto* table = test.Find<quillon::SentenceTable>("sentenceTable");
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("ID"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("WORD"));
    QCOMPARE(table->columnWidth(0), 80);
    QVERIFY(table->columnWidth(1) >= 350);
    QCOMPARE(table->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(table->horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
  }

  void ProgressBarHasTheWindowColours() {
    WindowUnderTest test;
    test.Start();
    auto* bar = test.Find<quillon::GradientProgressBar>("progressBar");
    QCOMPARE(bar->UpperBound(), 100);
    QCOMPARE(bar->GetPos(), 0);
  }

  void NoControlUsesAWindowsFont() {
    WindowUnderTest test;
    test.Start();
    for (const QWidget* widget : test.window->findChildren<QWidget*>()) {
      const QString family = widget->font().family();
      QVERIFY2(family != QStringLiteral("MS Shell Dlg") && family != QStringLiteral("Courier New"),
               qPrintable(widget->objectName()));
    }
    QVERIFY(QFontInfo(test.Find<QWidget>("informationBox")->font()).fixedPitch());
  }

  void EscapeAndEnterDoNotCloseTheWindow() {
    WindowUnderTest test;
    auto& window = test.Start();
    QTest::keyClick(test.Button("addFile"), Qt::Key_Escape);
    QTest::keyClick(test.Button("addFile"), Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
    QVERIFY(window.isVisible());
    QCOMPARE(test.files.asked, 0);  // Enter pressed no button
  }

  void CloseBoxEndsTheWindow() {
    WindowUnderTest test;
    auto& window = test.Start();
    window.close();
    QVERIFY(!window.isVisible());
  }

  void MenusHoldTheWindowsCommands() {
    WindowUnderTest test;
    auto& window = test.Start();
    const QList<QAction*> menus = window.menuBar()->actions();
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
    QCOMPARE(MenuTexts(*menus[0]->menu()),
             (QStringList{"&Add File...", "&Save File", "Save &List", "&Recent Workspaces", "-", "&Quit"}));
    QCOMPARE(menus[1]->text(), QStringLiteral("Ed&it"));
    QCOMPARE(MenuTexts(*menus[1]->menu()),
             (QStringList{"&Undo", "&Redo", "-", "&Add Sentence", "&Delete Sentence"}));
    QCOMPARE(menus[2]->text(), QStringLiteral("&Device"));
    QCOMPARE(MenuTexts(*menus[2]->menu()), (QStringList{"&Download", "&Rescan"}));
    QCOMPARE(menus[3]->text(), QStringLiteral("&Help"));
    QCOMPARE(MenuTexts(*menus[3]->menu()), (QStringList{"&About"}));
    QCOMPARE(test.Action("saveFileAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    // The window has no menu of its own beside the menu bar.
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &rightClick);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
  }

  void MenuActionsRunTheOperations() {
    WindowUnderTest test;
    test.Start();
    test.files.answers.push_back(
        Path(test.AddCommandFile("On.txt", Sentences({{1, u"On"}}, {1}))));
    test.Action("addFileAction")->trigger();
    QCOMPARE(test.files.asked, 1);
    QCOMPARE(test.FileList()->itemText(0), QStringLiteral("Group - 001 - On.txt"));

    test.Action("saveListAction")->trigger();
    quillon::AsrSettings saved;
    quillon::ReadAsrSettings(test.root / "Setting" / "ASR" / "DefaultASR.ini", saved);
    QCOMPARE(saved.count, 1);

    QVERIFY(ModalShown([&] { test.Action("aboutAction")->trigger(); }, IsAboutBox));
    test.Action("quitAction")->trigger();
    QVERIFY(!test.window->isVisible());
  }

  void ActionsAreEnabledWithTheirButtons() {
    WindowUnderTest test;
    test.Start();
    QVERIFY(!test.Action("saveFileAction")->isEnabled());
    QVERIFY(!test.Action("downloadAction")->isEnabled());  // no device
    QVERIFY(test.Action("addFileAction")->isEnabled());
    QVERIFY(test.Action("rescanAction")->isEnabled());
    test.Button("saveFile")->setEnabled(true);
    QVERIFY(test.Action("saveFileAction")->isEnabled());
    // A disabled action presses nothing.
    test.Button("addFile")->setEnabled(false);
    test.Action("addFileAction")->trigger();
    QCOMPARE(test.files.asked, 0);
  }

  void RescanLooksForTheDeviceAgain() {
    WindowUnderTest test;
    test.Start();
    test.Find<QPlainTextEdit>("informationBox")->setPlainText(QStringLiteral("stale"));
    test.Action("rescanAction")->trigger();
    QCOMPARE(test.Information(), QStringLiteral("No device"));
    QVERIFY(!test.Button("download")->isEnabled());
  }

  void DeviceProblemsAreToldPlainly() {
    {
      WindowUnderTest test;
      test.Start();
      QCOMPARE(test.Information(), QStringLiteral("No device"));
      QCOMPARE(test.Find<QLabel>("deviceState")->text(), QStringLiteral("No device"));
      QVERIFY(test.Find<QLabel>("deviceMessage")->text().startsWith(QStringLiteral("No device is attached.")));
    }
    {
      // A device whose node the user may not open: the fix is named.
      WindowUnderTest test;
      test.noDevices.unopenableNodes = {"/dev/sg7"};
      test.Start();
      QCOMPARE(test.Information(), QStringLiteral("No device"));
      const QString message = test.Find<QLabel>("deviceMessage")->text();
      for (const char* part : {"No permission", "/dev/sg7", "70-quillon.rules", "plugdev"}) {
        QVERIFY2(message.contains(QLatin1String(part)), qPrintable(message));
      }
      QCOMPARE(test.Find<QLabel>("deviceMessage")->toolTip(), message);
      // However long, the reason never widens the window.
      QVERIFY(test.window->minimumSizeHint().width() <
              test.Find<QLabel>("deviceMessage")->fontMetrics().horizontalAdvance(message));
    }
  }

  void AltLettersPressTheButtons() {
    WindowUnderTest test;
    auto& window = test.Start();
    QVERIFY(test.windowActive);
    QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(test.files.asked, 1);  // the button shows itself pressed first

    // No two buttons or menus share a letter.
    QSet<QChar> letters;
    QStringList captions;
    for (const QPushButton* button : window.findChildren<QPushButton*>()) captions << button->text();
    for (const QAction* menu : window.menuBar()->actions()) captions << menu->text();
    for (const QString& caption : captions) {
      const qsizetype mark = caption.indexOf(QLatin1Char('&'));
      QVERIFY2(mark >= 0 && mark + 1 < caption.size(), qPrintable(caption));
      const QChar letter = caption.at(mark + 1).toLower();
      QVERIFY2(!letters.contains(letter), qPrintable(caption));
      letters.insert(letter);
    }
  }

  void TabVisitsEveryControlAndLeavesTheTable() {
    WindowUnderTest test;
    auto& window = test.Start();
    QVERIFY(test.windowActive);
    test.files.answers.push_back(
        Path(test.AddCommandFile("On.txt", Sentences({{1, u"On"}, {2, u"Off"}}, {1, 2}))));
    test.Click("addFile");
    // Every control enabled, as with a device and an edit pending.
    test.Button("saveFile")->setEnabled(true);
    test.Button("download")->setEnabled(true);
    test.Button("deleteSentence")->setEnabled(true);

    test.Find<QWidget>("informationBox")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 10; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{"informationBox", "fileList", "addFile", "deleteFile",
                                   "saveList", "saveFile", "addSentence", "deleteSentence",
                                   "sentenceTable", "download", "informationBox"}));
    Q_UNUSED(window);
  }

  void F1OpensTheAboutBox() {
    WindowUnderTest test;
    auto& window = test.Start();
    QVERIFY(test.windowActive);
    bool aboutShown = false;
    QTimer::singleShot(0, [&] {
      QWidget* about = QApplication::activeModalWidget();
      aboutShown = IsAboutBox(about);
      // Escape belongs to the About box, not to the main window's filter.
      if (about != nullptr) QTest::keyClick(about, Qt::Key_Escape);
    });
    QTest::keyClick(&window, Qt::Key_F1);
    QVERIFY(aboutShown);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(window.isVisible());
  }
};

QTEST_MAIN(WindowTest)
#include "app_window_test.moc"
