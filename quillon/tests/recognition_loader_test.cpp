// Loading a command file for the sentence list: every refusal with its
// message, the sentence limit, the visible IDs and the display texts.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

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
  void ExpectRefused(const std::filesystem::path& path, const UserMessage& message) {
    const CommandFileLoad load = Load(path);
    ASSERT_FALSE(load.ok()) << path;
    EXPECT_EQ(*load.failure, message);
    EXPECT_EQ(load.failure->caption, u"Error");
    EXPECT_EQ(load.failure->icon, MessageIcon::Stop);
  }
  testing::FakeSentenceConverter converter_;
};

TEST_F(LoaderTest, EveryRefusalHasItsMessage) {
  ExpectRefused(std::filesystem::absolute("loader/missing.txt"), FileOpenFailedMessage());
  EXPECT_EQ(FileOpenFailedMessage().text, u"Fail to open file!");
  ExpectRefused(Write("empty.txt", ""), FileSizeZeroMessage());
  ExpectRefused(Write("utf8.txt", "\xEF\xBB\xBF" "1 on\n"), TransformFailedMessage());
  ExpectRefused(Write("words.txt", "no sentence here\n"), FileFormatErrorMessage());
  ExpectRefused(Write("content.txt", "1 on\n2 back\\slash\n"), FileContentErrorMessage());
  EXPECT_EQ(FileContentErrorMessage().text, u"File content error! It may be under unfitted language system.");
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
  ExpectRefused(Write("longid.txt", std::string(80, '7') + " on\n"), FileContentErrorMessage());
  ExpectRefused(Write("longtext.txt", "1 " + std::string(512, 'a') + "\n"), FileContentErrorMessage());
  SentenceConversion small;
  small.unitCount = 1;
  small.unitCodeList = "412 ";
  converter_.overrides[std::string(511, 'a')] = small;
  EXPECT_TRUE(Load(Write("fits.txt", std::string(79, '7') + " " + std::string(511, 'a') + "\n")).ok());
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
