// Save File's text and the code page it is written in.
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/code_page.h"
#include "quillon/app/command_file_save.h"

namespace {

constexpr quillon::FileEncoding kCodePage = quillon::FileEncoding::None;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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

  void LinesOfOneIdKeepTheirOrder() {
    const std::vector<quillon::CommandLine> lines{{2, u"Stop"}, {1, u"Lamp"}, {1, u"Music"}};
    QCOMPARE(QString::fromStdU16String(quillon::CommandFileText(lines)),
             QStringLiteral("0x1 Lamp\r\n0x1 Music\r\n0x2 Stop\r\n"));
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
    QVERIFY(!quillon::SaveCommandFile(file, sentences, kCodePage, platform::SystemLocaleFromName("en_US")));
    const std::string expected =
        "0x1 " + platform::FromUtf16(platform::kCodePageBig5, u"\u958B\u71C8").bytes + "\r\n";
    QCOMPARE(ReadBytes(file), expected);
  }

  void Utf8FilesStayUtf8WithTheirMark() {
    using quillon::CommandFileBytes;
    using quillon::FileEncoding;
    const platform::SystemLocale english = platform::SystemLocaleFromName("en_US");
    const std::u16string text = u"0x1 \u958B\u71C8\r\n";  // open the light
    const std::string utf8 = "0x1 \xE9\x96\x8B\xE7\x87\x88\r\n";
    QCOMPARE(CommandFileBytes(text, FileEncoding::Utf8WithoutMark, english), utf8);
    QCOMPARE(CommandFileBytes(text, FileEncoding::Utf8, english), std::string(kUtf8Mark) + utf8);
    // A UTF-16 file is written in the code page, as it always was.
    QCOMPARE(CommandFileBytes(text, FileEncoding::Utf16Le, english),
             "0x1 " + platform::FromUtf16(platform::kCodePageBig5, u"\u958B\u71C8").bytes + "\r\n");
    // Text that would read as Big5 without a mark gets one, so it keeps being
    // read as UTF-8: E5 A4 A7 E5 A4 A9 is three Big5 characters as well.
    QCOMPARE(CommandFileBytes(u"1 \u5927\u5929\n", FileEncoding::Utf8WithoutMark, english),
             std::string(kUtf8Mark) + "1 \xE5\xA4\xA7\xE5\xA4\xA9\n");
    // Plain ASCII needs no mark: it reads the same either way.
    QCOMPARE(CommandFileBytes(u"1 on\r\n", FileEncoding::Utf8WithoutMark, english), std::string("1 on\r\n"));
  }

  void EmptyMapLeavesTheFileAlone() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("cmd.txt").toStdString();
    std::ofstream(file) << "kept";
    QVERIFY(!quillon::SaveCommandFile(file, quillon::SentenceMap{}, kCodePage, platform::SystemLocaleFromName("en_US")));
    QCOMPARE(ReadBytes(file), std::string("kept"));
  }

  void MissingFolderFailsAndWritesNothing() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("missing/cmd.txt").toStdString();
    QVERIFY(static_cast<bool>(
        quillon::SaveCommandFile(file, quillon::SentenceMap{{1, u"On"}}, kCodePage, platform::SystemLocaleFromName("en_US"))));
    QVERIFY(!std::filesystem::exists(file));
  }
};

QTEST_GUILESS_MAIN(CommandFileSaveTest)
#include "app_command_file_save_test.moc"
