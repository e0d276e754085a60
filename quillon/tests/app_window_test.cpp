// The main window's start-up, controls, keyboard and window menu.
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>
#include <fstream>

#include "app_window_fixture.h"
#include "quillon/app/about_dlg.h"
#include "quillon/app/gradient_progress_ctrl.h"
#include "quillon/app/my_list_ctrl.h"

using quillon::testing::WindowUnderTest;

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
    QCOMPARE(window.windowTitle(), QStringLiteral("QUILLON--Voice Deck"));
    QCOMPARE(test.Find<QGroupBox>("informationFrame")->title(), QStringLiteral("Informations"));
    QCOMPARE(test.Find<QGroupBox>("fileListFrame")->title(), QStringLiteral("File List"));
    QCOMPARE(test.Find<QGroupBox>("currentFileFrame")->title(), QStringLiteral("Current File"));
    QCOMPARE(test.Button("addFile")->text(), QStringLiteral("Add File"));
    QCOMPARE(test.Button("deleteFile")->text(), QStringLiteral("Delete File"));
    QCOMPARE(test.Button("saveList")->text(), QStringLiteral("Save List"));
    QCOMPARE(test.Button("saveFile")->text(), QStringLiteral("Save File"));
    QCOMPARE(test.Button("download")->text(), QStringLiteral("Download"));
    QVERIFY(!test.Find<QWidget>("inPlaceEditor")->isVisible());
  }

  void PlacesFollowTheDialogUnits() {
    WindowUnderTest test;
    test.Start();
    // Add File and Save List sit on one row, Download spans the frames' width.
    const QRect add = test.Button("addFile")->geometry();
    const QRect saveList = test.Button("saveList")->geometry();
    const QRect download = test.Button("download")->geometry();
    const QRect bar = test.Find<QWidget>("progressBar")->geometry();
    QCOMPARE(add.top(), saveList.top());
    QCOMPARE(add.width(), saveList.width());
    QCOMPARE(download.width(), bar.width());
    QVERIFY(download.bottom() < bar.top());
    QVERIFY(bar.right() < test.window->width());
    QCOMPARE(test.window->minimumSize(), test.window->maximumSize());
  }

  void SentenceListColumnsAreFixed() {
    WindowUnderTest test;
    test.Start();
    auto* list = test.Find<quillon::CMyListCtrl>("sentenceList");
    QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("ID"));
    QCOMPARE(list->horizontalHeaderItem(1)->text(), QStringLiteral("WORD"));
    QCOMPARE(list->columnWidth(0), 80);
    QCOMPARE(list->columnWidth(1), 350);
    QCOMPARE(list->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(list->horizontalHeader()->sectionResizeMode(1), QHeaderView::Fixed);
  }

  void ProgressBarHasTheWindowColours() {
    WindowUnderTest test;
    test.Start();
    auto* bar = test.Find<quillon::CGradientProgressCtrl>("progressBar");
    QCOMPARE(bar->UpperBound(), 100);
    QCOMPARE(bar->GetPos(), 0);
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

  void WindowMenuEndsWithAbout() {
    WindowUnderTest test;
    auto& window = test.Start();
    const auto menu = window.CreateSystemMenu();
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() >= 2);
    QVERIFY(actions[actions.size() - 2]->isSeparator());
    QCOMPARE(actions.back()->text(), QStringLiteral("&About"));
    QCOMPARE(actions.back()->data().toInt(), quillon::CQuendalDlg::kAboutCommand);
  }

  void F1OpensTheAboutBox() {
    WindowUnderTest test;
    auto& window = test.Start();
    bool aboutShown = false;
    QTimer::singleShot(0, [&] {
      auto* about = qobject_cast<quillon::CAboutDlg*>(QApplication::activeModalWidget());
      aboutShown = about != nullptr && about->windowTitle() == QStringLiteral("QUILLON--Voice Deck");
      // Escape belongs to the About box, not to the main window's filter.
      if (about != nullptr) QTest::keyClick(about, Qt::Key_Escape);
    });
    QTest::keyClick(&window, Qt::Key_F1);
    QVERIFY(aboutShown);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void AboutCommandIgnoresItsLowBits() {
    WindowUnderTest test;
    auto& window = test.Start();
    bool aboutShown = false;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      aboutShown = qobject_cast<quillon::CAboutDlg*>(modal) != nullptr;
      if (modal != nullptr) modal->close();
    });
    window.OnSysCommand(quillon::CQuendalDlg::kAboutCommand | 0x5, 0);
    QVERIFY(aboutShown);
  }
};

QTEST_MAIN(WindowTest)
#include "app_window_test.moc"
