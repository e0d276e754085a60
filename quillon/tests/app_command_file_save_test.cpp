// Save File's text and the code page it is written in.
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/code_page.h"
#include "quillon/app/command_file_save.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

class CommandFileSaveTest : public QObject {
  Q_OBJECT

 private slots:
  void LinesInAscendingIdOrder() {
    const quillon::SentenceMap sentences{{26, u"Fan"}, {10, u"Lights off"}, {1, u"On"}};
    QCOMPARE(QString::fromStdU16String(quillon::CommandFileText(sentences)),
             QStringLiteral("0x1 On\r\n0xA Lights off\r\n0x1A Fan\r\n"));
  }

  void CodePageFollowsWhatTheReaderExpects() {
    using platform::SystemLocaleFromName;
    QCOMPARE(quillon::CommandFileCodePage(SystemLocaleFromName("zh_TW.UTF-8")), 950u);
    QCOMPARE(quillon::CommandFileCodePage(SystemLocaleFromName("zh_CN.UTF-8")), 936u);
    QCOMPARE(quillon::CommandFileCodePage(SystemLocaleFromName("en_US.UTF-8")), 950u);
  }

  void ChineseSurvivesOnAnEnglishSystem() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("cmd.txt").toStdString();
    const quillon::SentenceMap sentences{{1, u"\u958B\u71C8"}};  // open the light
    QVERIFY(!quillon::SaveCommandFile(file, sentences, platform::SystemLocaleFromName("en_US")));
    const std::string expected =
        "0x1 " + platform::FromUtf16(platform::kCodePageBig5, u"\u958B\u71C8").bytes + "\r\n";
    QCOMPARE(ReadBytes(file), expected);
  }

  void EmptyMapLeavesTheFileAlone() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("cmd.txt").toStdString();
    std::ofstream(file) << "kept";
    QVERIFY(!quillon::SaveCommandFile(file, {}, platform::SystemLocaleFromName("en_US")));
    QCOMPARE(ReadBytes(file), std::string("kept"));
  }

  void MissingFolderFailsAndWritesNothing() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("missing/cmd.txt").toStdString();
    QVERIFY(static_cast<bool>(
        quillon::SaveCommandFile(file, {{1, u"On"}}, platform::SystemLocaleFromName("en_US"))));
    QVERIFY(!std::filesystem::exists(file));
  }
};

QTEST_GUILESS_MAIN(CommandFileSaveTest)
#include "app_command_file_save_test.moc"
