// Downloads through the window into the simulated device: the button, the
// timer ticks, the status texts and the progress bar, the question about
// unsaved edits first, and an unplug midway.
#include <QLabel>
#include <QSignalSpy>
#include <fstream>
#include <iterator>

#include "app_window_fixture.h"
#include "quillon/app/gradient_progress_bar.h"
#include "quillon/app/sentence_table.h"
#include "quillon/device/sim/sim_backend.h"
#include "quillon/devsim/fault_plan.h"
#include "quillon/devsim/sim_server.h"

using quillon::testing::WindowUnderTest;

namespace {

constexpr int kPatience = 15000;  // ms: the machine may be busy

// A simulated device served in-process, and the window connected to it.
struct SimulatedSetUp {
  SimulatedSetUp() {
    std::string error;
    server = quillon::devsim::SimServer::Create(socketDir.filePath("devsim.sock").toStdString(),
                                                {}, error);
    QVERIFY2(server != nullptr, error.c_str());
    server->Start();
    backend = quillon::device::sim::SimBackend::Connect(socketDir.filePath("devsim.sock").toStdString());
    QVERIFY(backend != nullptr);
    test = std::make_unique<WindowUnderTest>(backend.get());
    std::filesystem::create_directories(test->root / "FSM");
    std::ofstream(test->root / "FSM" / "FSM.BIN", std::ios::binary) << std::string(3000, '\x42');
  }

  QTemporaryDir socketDir;
  std::unique_ptr<quillon::devsim::SimServer> server;
  std::unique_ptr<quillon::device::sim::SimBackend> backend;
  std::unique_ptr<WindowUnderTest> test;
};

// Two flash blocks and a part of a third.
std::vector<std::uint8_t> Image() {
  std::vector<std::uint8_t> image(0x24000);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7);
  return image;
}

// Every control but the progress bar is disabled while a download runs.
void VerifyControlsDisabled(const WindowUnderTest& test) {
  for (const char* name : {"download", "addFile", "deleteFile", "saveList", "saveFile"}) {
    QVERIFY2(!test.Button(name)->isEnabled(), name);
  }
  QVERIFY(!test.FileList()->isEnabled());
  QVERIFY(!test.Find<QWidget>("sentenceTable")->isEnabled());
}

void VerifyFileControlsEnabled(const WindowUnderTest& test) {
  for (const char* name : {"addFile", "deleteFile", "saveList"}) {
    QVERIFY2(test.Button(name)->isEnabled(), name);
  }
  QVERIFY(test.FileList()->isEnabled());
  QVERIFY(test.Find<QWidget>("sentenceTable")->isEnabled());
}

// Starts a download held at its start and checks what the window shows then:
// "Downloading", the controls disabled and the bar moving with the timer.
void StartHeldDownload(WindowUnderTest& test) {
  test.gate.Close();
  test.Click("download");
  VerifyControlsDisabled(test);
  // The transport is the download's: no scan meanwhile.
  QVERIFY(!test.Action("rescanAction")->isEnabled());
  QCOMPARE(test.Find<QLabel>("deviceState")->text(), QStringLiteral("Downloading"));
  QTRY_COMPARE_WITH_TIMEOUT(test.Information(), QStringLiteral("Downloading"), kPatience);
  auto* bar = test.Find<quillon::GradientProgressBar>("progressBar");
  QTRY_VERIFY_WITH_TIMEOUT(bar->GetPos() > 1, kPatience);
  VerifyControlsDisabled(test);
  test.gate.Open();
}

// Adds Fan.txt, one English sentence, through Add File; its path.
std::filesystem::path AddFanFile(WindowUnderTest& test) {
  quillon::LoadedCommandFile content = quillon::testing::Sentences({{1, u"Fan"}}, {1});
  content.language = quillon::TextLanguage::English;
  const std::filesystem::path path = test.AddCommandFile("Fan.txt", content);
  test.files.answers.push_back(QString::fromStdString(path.string()));
  test.Click("addFile");
  return path;
}

// Opens the in-place editor over the first sentence, its text selected.
QLineEdit* OpenEditor(const WindowUnderTest& test) {
  auto* table = test.Find<quillon::SentenceTable>("sentenceTable");
  const QRect cell = table->visualItemRect(table->item(0, quillon::SentenceTable::kWordColumn));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  auto* editor = test.Find<QLineEdit>("inPlaceEditor");
  editor->selectAll();
  return editor;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class DownloadTest : public QObject {
  Q_OBJECT

 private slots:
  void DownloadsIntoTheDevice() {
    SimulatedSetUp sim;
    WindowUnderTest& test = *sim.test;
    const std::vector<std::uint8_t> image = Image();
    test.Start(image);
    QTRY_VERIFY_WITH_TIMEOUT(test.Button("download")->isEnabled(), kPatience);
    QCOMPARE(test.Information(), QStringLiteral("Device connected"));

    StartHeldDownload(test);
    if (QTest::currentTestFailed()) return;
    QTRY_COMPARE_WITH_TIMEOUT(test.Information(), QStringLiteral("Download complete"), kPatience);
    QCOMPARE(test.Find<quillon::GradientProgressBar>("progressBar")->GetPos(), 100);
    QVERIFY(test.Button("download")->isEnabled());
    VerifyFileControlsEnabled(test);
    QVERIFY(test.messages.messages.empty());
    QVERIFY(test.Action("rescanAction")->isEnabled());
    QCOMPARE(test.Find<QLabel>("deviceState")->text(), QStringLiteral("Device connected"));
    QCOMPARE(test.Find<QLabel>("deviceMessage")->text(), QStringLiteral("Download complete"));

    const auto flash = sim.server->WithDevice([&](quillon::devsim::SimulatedDevice& device) {
      std::vector<std::uint8_t> stored(image.size());
      device.Flash().Read(0, stored);
      return stored;
    });
    QVERIFY(flash == image);
  }

  void EditingWaitsForTheDownloadAndWorksAfterIt() {
    // The in-place editor stayed disabled after every download: a double
    // click showed a greyed box until the program restarted.
    SimulatedSetUp sim;
    WindowUnderTest& test = *sim.test;
    test.Start(Image());
    QTRY_VERIFY_WITH_TIMEOUT(test.Button("download")->isEnabled(), kPatience);
    AddFanFile(test);
    auto* table = test.Find<quillon::SentenceTable>("sentenceTable");
    const auto editCell = [&](const QString& text) {
      QLineEdit* editor = OpenEditor(test);
      QVERIFY(editor->isVisible());
      QVERIFY(editor->isEnabled());
      QTest::keyClicks(editor, text);
      QTest::keyClick(editor, Qt::Key_Return);
    };
    editCell("Lamp");

    // While the worker converts, the window converts nothing: not even undo.
    test.gate.Close();
    test.Click("download");
    VerifyControlsDisabled(test);
    const int conversions = test.converter.calls;
    test.Action("undoAction")->trigger();
    QCOMPARE(table->CellText(0, 1), QStringLiteral("Lamp"));
    QCOMPARE(test.converter.calls, conversions);
    test.gate.Open();
    QTRY_COMPARE_WITH_TIMEOUT(test.Information(), QStringLiteral("Download complete"), kPatience);

    QVERIFY(test.Button("saveFile")->isEnabled());  // the edit is still unsaved
    editCell("Music");
    if (QTest::currentTestFailed()) return;
    QCOMPARE(table->CellText(0, 1), QStringLiteral("Music"));
    QCOMPARE(table->CellText(0, quillon::SentenceTable::kPronunciationColumn), QStringLiteral("AA AA AA AA AA"));
  }

  void UnsavedEditsAreAskedAboutBeforeADownload_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("downloaded");
    QTest::addColumn<std::string>("fileAfter");
    QTest::addColumn<bool>("modifiedAfter");
    QTest::newRow("save") << int(quillon::UnsavedChoice::Save) << true << std::string("0x1 Lamp\r\n") << false;
    // The saved file is downloaded; the edit stays in the editor, unsaved.
    QTest::newRow("discard") << int(quillon::UnsavedChoice::Discard) << true << std::string("0x1 placeholder\n")
                             << true;
    QTest::newRow("cancel") << int(quillon::UnsavedChoice::Cancel) << false << std::string("0x1 placeholder\n")
                            << true;
  }
  void UnsavedEditsAreAskedAboutBeforeADownload() {
    // A download reads the saved files: unsaved edits were left out of it
    // without a word.
    QFETCH(int, answer);
    QFETCH(bool, downloaded);
    QFETCH(std::string, fileAfter);
    QFETCH(bool, modifiedAfter);
    SimulatedSetUp sim;
    WindowUnderTest& test = *sim.test;
    test.Start(Image());
    QTRY_VERIFY_WITH_TIMEOUT(test.Button("download")->isEnabled(), kPatience);
    const auto path = AddFanFile(test);
    test.Click("download");  // nothing edited: nothing to ask
    QVERIFY(test.unsavedPrompt.asked.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(test.Information(), QStringLiteral("Download complete"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(test.Button("download")->isEnabled(), kPatience);
    QSignalSpy informationShown(test.Find<QPlainTextEdit>("informationBox"), &QPlainTextEdit::textChanged);

    // Typed and not yet committed: the Download command (a menu or a
    // shortcut leaves the editor open) takes the typed text in.
    QTest::keyClicks(OpenEditor(test), "Lamp");
    test.unsavedPrompt.answer = static_cast<quillon::UnsavedChoice>(answer);
    test.Action("downloadAction")->trigger();
    QCOMPARE(test.unsavedPrompt.asked, QStringList{"Fan.txt"});
    QCOMPARE(test.unsavedPrompt.questions, std::vector{quillon::UnsavedQuestion::BeforeDownload});
    // A started download disables the button at once.
    QCOMPARE(test.Button("download")->isEnabled(), !downloaded);
    if (downloaded) {
      QTRY_VERIFY_WITH_TIMEOUT(test.Button("download")->isEnabled(), kPatience);
      QVERIFY(informationShown.count() > 0);
      QCOMPARE(test.Information(), QStringLiteral("Download complete"));
    } else {
      QTest::qWait(300);  // long enough for the progress timer to show a start
      QCOMPARE(informationShown.count(), 0);
    }
    QCOMPARE(ReadBytes(path), fileAfter);
    QCOMPARE(test.window->isWindowModified(), modifiedAfter);
    QCOMPARE(test.Find<quillon::SentenceTable>("sentenceTable")->CellText(0, 1), QStringLiteral("Lamp"));
  }

  void UnplugDuringTheDownloadFails() {
    SimulatedSetUp sim;
    WindowUnderTest& test = *sim.test;
    test.Start(Image());
    QTRY_VERIFY_WITH_TIMEOUT(test.Button("download")->isEnabled(), kPatience);
    sim.server->WithDevice([](quillon::devsim::SimulatedDevice& device) {
      device.Faults().Add(*quillon::devsim::ParseFault("write:detach:3"));
    });

    StartHeldDownload(test);
    if (QTest::currentTestFailed()) return;
    QTRY_COMPARE_WITH_TIMEOUT(test.Information(), QStringLiteral("Download fail"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(test.FileList()->isEnabled(), kPatience);
    VerifyFileControlsEnabled(test);
    // The status bar says why.
    QVERIFY(!test.Find<QLabel>("deviceMessage")->text().isEmpty());
  }

  void AMissingRamProgramIsToldPlainly() {
    SimulatedSetUp sim;
    WindowUnderTest& test = *sim.test;
    std::filesystem::remove(test.root / "FSM" / "FSM.BIN");
    test.Start();
    QCOMPARE(test.Find<QLabel>("deviceState")->text(), QStringLiteral("No device"));
    const QString message = test.Find<QLabel>("deviceMessage")->text();
    QVERIFY2(message.contains(QStringLiteral("RAM program")) &&
                 message.contains(QStringLiteral("FSM/FSM.BIN")),
             qPrintable(message));
  }
};

QTEST_MAIN(DownloadTest)
#include "app_download_test.moc"
