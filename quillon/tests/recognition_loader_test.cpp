// Loading a command file for the sentence list: every refusal with its
// message, the sentence limit, the visible IDs and the display texts.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>

#include "platform/code_page.h"
#include "quillon/recognition/command_file_loader.h"
#include "quillon/recognition/recognition_messages.h"
#include "quillon/tests/recognition_fake_converter.h"
#include "quillon/tests/recognition_test_text.h"

namespace quillon {
namespace {

using testing::Utf16LeFile;

std::string Numbered(int count, std::string_view sentence) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + " " + std::string(sentence) + "\r\n";
  return text;
}

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all("loader");
    std::filesystem::create_directory("loader");
  }
  std::filesystem::path Write(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::absolute("loader") / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  CommandFileLoad Load(const std::filesystem::path& path, platform::LanguageId system = platform::kLangEnglishUs) {
    return LoadCommandFile(path, converter_, system);
  }
  // The specified text, then the file, then what is wrong where that is known.
  CommandFileLoad ExpectRefused(const std::filesystem::path& path, const UserMessage& message) {
    const CommandFileLoad load = Load(path);
    EXPECT_FALSE(load.ok()) << path;
    if (load.ok()) return load;
    const std::u16string named = message.text + u"\r\nPath => " + platform::Utf8ToUtf16(path.string());
    EXPECT_EQ(load.failure->text.substr(0, named.size()), named);
    EXPECT_EQ(load.failure->caption, u"Error");
    EXPECT_EQ(load.failure->icon, MessageIcon::Stop);
    EXPECT_TRUE(load.error);
    return load;
  }
  testing::FakeSentenceConverter converter_;
};

TEST_F(LoaderTest, EveryRefusalHasItsMessageAndNamesTheFile) {
  const auto missing = std::filesystem::absolute("loader/missing.txt");
  EXPECT_EQ(ExpectRefused(missing, FileOpenFailedMessage()).failure->text,
            u"Fail to open file!\r\nPath => " + platform::Utf8ToUtf16(missing.string()) +
                u"\r\nNo such file or directory");
  EXPECT_EQ(FileOpenFailedMessage().text, u"Fail to open file!");
  EXPECT_EQ(*ExpectRefused(Write("empty.txt", ""), FileSizeZeroMessage()).error,
            (LineDiagnostic{0, u"File size is zero!"}));
  EXPECT_EQ(ExpectRefused(Write("big.txt", std::string("\xFE\xFF\0" "1", 4)), TransformFailedMessage()).error->message,
            u"the file is UTF-16 big-endian, which is not read: save it as UTF-8 or UTF-16 little-endian");
  EXPECT_EQ(ExpectRefused(Write("words.txt", "no sentence here\n"), FileFormatErrorMessage()).error->message,
            u"no line starts with a numeric ID followed by a sentence");
  const auto content = Write("content.txt", "1 on\n2 back\\slash\n");
  const CommandFileLoad refused = ExpectRefused(content, FileContentErrorMessage());
  EXPECT_EQ(refused.failure->text, u"File content error! It may be under unfitted language system.\r\nPath => " +
                                       platform::Utf8ToUtf16(content.string()) + u"\r\nLine 2: " +
                                       refused.error->message);
  EXPECT_EQ(refused.error->line, 2u);
}

TEST_F(LoaderTest, IdsOutsideTheDeviceRangeAreContentErrorsAtTheirLine) {
  for (const char* id : {"0x10002", "0x7FFF0002", "0x100000002", "0xFFFFFFFF", "0xFFFF", "0xZZ"}) {
    const CommandFileLoad load =
        ExpectRefused(Write("range.txt", std::string("0x2 on\r\n") + id + " off\r\n"), FileContentErrorMessage());
    ASSERT_TRUE(load.error);
    EXPECT_EQ(load.error->line, 2u) << id;
    EXPECT_NE(load.failure->text.find(u"\r\nLine 2: the ID \"" + platform::Utf8ToUtf16(id) + u"\""),
              std::u16string::npos)
        << id;
  }
  // The first-digit skip would read a first "-1" as 1; it is refused too.
  const CommandFileLoad first = ExpectRefused(Write("negative.txt", "-1 on\r\n"), FileContentErrorMessage());
  EXPECT_EQ(first.error->line, 1u);
  EXPECT_NE(first.error->message.find(u"\"-1\" has a sign"), std::u16string::npos);
  const CommandFileLoad later = ExpectRefused(Write("negative.txt", "1 on\r\n-2 off\r\n"), FileContentErrorMessage());
  EXPECT_EQ(later.error->line, 2u);
  const CommandFileLoad top = Load(Write("top.txt", "0 on\r\n0xFFFE off\r\n"));
  ASSERT_TRUE(top.ok());
  EXPECT_EQ(top.content.records[1].id, 0xFFFE);
}

TEST_F(LoaderTest, UnicodeFilesLoadExactlyAsTheirBig5Text) {
  const std::string utf8 = "0x1 開燈\r\n0x2 關燈\r\n0xA 播放音樂\r\n";
  const CommandFileLoad big5 = Load(Write("big5.txt", testing::Big5(utf8)));
  ASSERT_TRUE(big5.ok());
  EXPECT_EQ(big5.content.encoding, FileEncoding::None);
  const std::pair<std::string, FileEncoding> files[] = {
      {utf8, FileEncoding::Utf8WithoutMark},
      {"\xEF\xBB\xBF" + utf8, FileEncoding::Utf8},
      {Utf16LeFile(utf8), FileEncoding::Utf16Le},
  };
  for (const auto& [bytes, encoding] : files) {
    // Read the same on every system, like UTF-16 files.
    for (platform::LanguageId system : {platform::kLangEnglishUs, platform::kLangChineseTaiwan, platform::LanguageId{0x0407}}) {
      const CommandFileLoad load = Load(Write("unicode.txt", bytes), system);
      ASSERT_TRUE(load.ok()) << static_cast<int>(encoding);
      EXPECT_EQ(load.content.encoding, encoding);
      EXPECT_EQ(load.content.language, TextLanguage::Big5);
      EXPECT_EQ(load.content.records, big5.content.records);
      EXPECT_EQ(load.content.displayTexts, big5.content.displayTexts);
      EXPECT_TRUE(load.warnings.empty());
    }
  }
}

TEST_F(LoaderTest, SimplifiedUtf8FollowsTheGbkPath) {
  const CommandFileLoad load = Load(Write("simplified.txt", "1 开灯\n"));
  ASSERT_TRUE(load.ok());
  EXPECT_EQ(load.content.encoding, FileEncoding::Utf8WithoutMark);
  EXPECT_EQ(load.content.language, TextLanguage::Gbk);
  EXPECT_EQ(load.content.records[0].text, testing::Big5("開燈"));
  EXPECT_EQ(Load(Write("simplified.txt", "1 开灯\n"), platform::kLangChinesePrc).content.displayTexts[0], u"开灯");
}

TEST_F(LoaderTest, WarningsComeWithTheLoadInLineOrder) {
  const CommandFileLoad load = Load(Write("warned.txt", "My commands\n1 Turn on\n\n2 off\n" + std::string(1, '\0') + " 3 x\n"));
  ASSERT_TRUE(load.ok());
  ASSERT_EQ(load.warnings.size(), 4u);
  EXPECT_EQ(load.warnings[0].line, 1u);  // text before the first ID
  EXPECT_EQ(load.warnings[1].line, 2u);  // "on" after the sentence
  EXPECT_EQ(load.warnings[2].line, 3u);  // the empty line reads line 4 again
  EXPECT_EQ(load.warnings[3].line, 5u);  // the NUL cuts " 3 x"
  EXPECT_EQ(load.content.records.size(), 3u);
  // A refused file keeps its warnings.
  const CommandFileLoad refused = Load(Write("refused.txt", "1 Turn on\n2 b\\d\n"));
  ASSERT_FALSE(refused.ok());
  ASSERT_EQ(refused.warnings.size(), 1u);
  EXPECT_EQ(refused.warnings[0].line, 1u);
}

TEST_F(LoaderTest, TwoThousandSentencesLoadAndOneMoreIsRefused) {
  const CommandFileLoad load = Load(Write("full.txt", Numbered(2000, "on")));
  ASSERT_TRUE(load.ok());
  EXPECT_EQ(load.content.records.size(), 2000u);

  ExpectRefused(Write("over.txt", Numbered(2001, "on")), TooManySentencesMessage(2000));
  EXPECT_EQ(TooManySentencesMessage(2000).text,
            u"The number of sentences exceeds the upper limit!\r\nMaximal Number: 2000");
}

TEST_F(LoaderTest, OverlongTokensAreRefusedAsContentErrors) {
  ExpectRefused(Write("longid.txt", std::string(80, '0') + " on\n"), FileContentErrorMessage());
  ExpectRefused(Write("longtext.txt", "1 " + std::string(512, 'a') + "\n"), FileContentErrorMessage());
  SentenceConversion small;
  small.unitCount = 1;
  small.unitCodeList = "412 ";
  converter_.overrides[std::string(511, 'a')] = small;
  EXPECT_TRUE(Load(Write("fits.txt", std::string(79, '0') + " " + std::string(511, 'a') + "\n")).ok());
}

TEST_F(LoaderTest, RecordsKeepFileOrderAndDuplicates) {
  const CommandFileLoad load = Load(Write("dup.txt", "0x1F up\n5 down\n5 left\n"));
  ASSERT_TRUE(load.ok());
  ASSERT_EQ(load.content.records.size(), 3u);
  EXPECT_EQ(load.content.records[0].id, 31);
  EXPECT_EQ(load.content.records[2].text, "left");
  EXPECT_EQ(load.content.displayTexts, (std::vector<std::u16string>{u"up", u"down", u"left"}));
  EXPECT_EQ(load.content.language, TextLanguage::English);
  EXPECT_EQ(load.content.encoding, FileEncoding::None);
}

TEST_F(LoaderTest, VisibleIdsComeFromTheConfigBesideTheFile) {
  const auto path = Write("cmd.txt", "1 up\n2 down\n3 left\n");
  EXPECT_TRUE(Load(path).content.visibleIds.empty());
  Write("config.ini", "[cmd.txt]\r\nvisible=3,,1\r\n");
  EXPECT_EQ(Load(path).content.visibleIds, (VisibleIdSet{1, 3}));
}

TEST_F(LoaderTest, SimplifiedUtf16FileShowsInTheSystemsScript) {
  const auto path = Write("simplified.txt", Utf16LeFile("1 开灯\r\n"));
  const CommandFileLoad prc = Load(path, platform::kLangChinesePrc);
  ASSERT_TRUE(prc.ok());
  EXPECT_EQ(prc.content.language, TextLanguage::Gbk);
  EXPECT_EQ(prc.content.records[0].text,
            platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16("開燈")).bytes);
  EXPECT_EQ(prc.content.displayTexts[0], u"开灯");
  // Big5 text reads as Big5 on every other system, whatever its ANSI page.
  for (platform::LanguageId system : {platform::kLangChineseTaiwan, platform::kLangEnglishUs}) {
    const CommandFileLoad load = Load(path, system);
    ASSERT_TRUE(load.ok());
    EXPECT_EQ(load.content.displayTexts[0], u"開燈");
  }
}

}  // namespace
}  // namespace quillon
