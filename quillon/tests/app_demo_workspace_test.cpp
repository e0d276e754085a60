// The window as the program starts it, on the demo workspace with the built
// pronunciation data: both command files are read with the real engine and
// the Download button writes the workspace's image into a simulated device.
#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app_window_fixture.h"
#include "quillon/app/sentence_table.h"
#include "quillon/app/pronunciation_engine.h"
#include "quillon/app/main_window.h"
#include "quillon/app/recognition_services.h"
#include "quillon/device/sim/sim_backend.h"
#include "quillon/recognition/engine_pronunciation_hints.h"
#include "quillon/devsim/sim_server.h"

namespace {

constexpr int kPatience = 30000;  // ms: the machine may be busy
const std::filesystem::path kBuiltData = std::filesystem::path(PROJECT_BINARY_DIR) / "fastt2p";

QStringList Column(const quillon::SentenceTable& list, int column) {
  QStringList texts;
  for (int row = 0; row < list.rowCount(); ++row) texts << list.CellText(row, column);
  return texts;
}

}  // namespace

class DemoWorkspaceTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    if (!std::filesystem::exists(kBuiltData / "summary.txt")) QSKIP("the build wrote no fastt2p");
    const QString workspace = QDir::current().filePath(QStringLiteral("workspace"));
    QProcess prepare;
    prepare.start(QStringLiteral("bash"),
                  {QStringLiteral(PROJECT_SOURCE_DIR "/scripts/demo-workspace"), workspace,
                   QString::fromStdString(kBuiltData.string())});
    QVERIFY(prepare.waitForFinished(kPatience));
    QVERIFY2(prepare.exitCode() == 0, prepare.readAllStandardError().constData());
    startDirectory_ = QDir::currentPath();
    // The program runs in its workspace: settings paths and the engine's
    // "fastt2p/" are relative to it.
    QVERIFY(QDir::setCurrent(workspace));
  }

  void cleanup() {
    if (!startDirectory_.isEmpty()) QDir::setCurrent(startDirectory_);
  }

  void ReadsBothFilesAndDownloadsTheirImage() {
    QTemporaryDir socketDir;
    const std::string socket = socketDir.filePath(QStringLiteral("devsim.sock")).toStdString();
    std::string error;
    const auto server = quillon::devsim::SimServer::Create(socket, {}, error);
    QVERIFY2(server != nullptr, error.c_str());
    server->Start();
    const auto devices = quillon::device::sim::SimBackend::Connect(socket);
    QVERIFY(devices != nullptr);

    const std::optional<quillon::WorkingDirectory> directory = quillon::WorkingDirectory::Capture();
    QVERIFY(directory.has_value());
    quillon::testing::ScriptedFileChooser files;
    quillon::RecordingMessageSink messages;
    quillon::PhonwrightEngine engine;
    quillon::RecognitionServices recognition(*directory);
    quillon::EnginePronunciationHints hints;
    hints.Open(std::filesystem::path(PROJECT_BINARY_DIR) / "fastt2p");
    quillon::testing::ScriptedUnsavedPrompt unsavedPrompt;
    const quillon::MainWindow::Services services{
        *directory,       &files,         &messages, &recognition.CommandFiles(), devices.get(),
        &engine,          [&recognition] { return recognition.CreatePackageSource(); }, {},
        &recognition.Converter(), &hints, &unsavedPrompt, {}};
    quillon::MainWindow window(services);
    window.OnInitDialog();
    window.show();

    // Start-up loads the last file of the list.
    auto* fileList = window.findChild<QComboBox*>(QStringLiteral("fileList"));
    auto* sentences = window.findChild<quillon::SentenceTable*>(QStringLiteral("sentenceTable"));
    QCOMPARE(fileList->itemText(1), QStringLiteral("Group - 002 - English.txt"));
    QCOMPARE(Column(*sentences, 0), (QStringList{"  1", "  2", "  3", "  4", " 26"}));
    QCOMPARE(sentences->CellText(4, 1), QStringLiteral("Goodbye"));

    fileList->setCurrentIndex(0);
    emit fileList->activated(0);
    QCOMPARE(Column(*sentences, 1),
             (QStringList{QStringLiteral("開燈"), QStringLiteral("關燈"), QStringLiteral("打開風扇"),
                          QStringLiteral("關閉風扇"), QStringLiteral("播放音樂")}));
    QVERIFY2(messages.messages.empty(), "a command file was refused");
    // The engine's own zhuyin pairs with the characters: 樂 of 音樂 is read
    // ㄩㄝˋ (music), not ㄌㄜˋ (joy).
    const QString notes = sentences->item(4, quillon::SentenceTable::kPronunciationColumn)->toolTip();
    QVERIFY2(notes.contains(QString::fromUtf16(u"\u6A02 chosen: \u3129\u311D\u02CB; others: ")), qPrintable(notes));

    auto* download = window.findChild<QPushButton*>(QStringLiteral("download"));
    auto* information = window.findChild<QPlainTextEdit*>(QStringLiteral("informationBox"));
    QTRY_VERIFY_WITH_TIMEOUT(download->isEnabled(), kPatience);
    QTest::mouseClick(download, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(information->toPlainText(), QStringLiteral("Download complete"),
                              kPatience);
    QVERIFY(messages.messages.empty());

    // The same image built again from the same settings is what the flash holds.
    const std::unique_ptr<quillon::device::PackageSource> package = recognition.CreatePackageSource();
    package->ReadSettings();
    QCOMPARE(package->PreparePackageEntries(messages), 0u);
    std::vector<std::uint8_t> image(package->PackageLength());
    QVERIFY(!image.empty());
    QCOMPARE(package->FillPackage(image), 0u);
    const auto flash = server->WithDevice([&](quillon::devsim::SimulatedDevice& device) {
      std::vector<std::uint8_t> stored(image.size());
      device.Flash().Read(0, stored);
      return stored;
    });
    QVERIFY(flash == image);
  }

 private:
  QString startDirectory_;
};

QTEST_MAIN(DemoWorkspaceTest)
#include "app_demo_workspace_test.moc"
