// Decoding command files: byte-order marks, the system-language rules for
// files without one, and the language tests.
#include <gtest/gtest.h>

#include <string>

#include "platform/code_page.h"
#include "quillon/recognition/command_text_decoder.h"
#include "quillon/tests/recognition_test_text.h"

namespace quillon {
namespace {

using testing::Big5;
using testing::Gbk;
using testing::Utf16LeFile;

using platform::LanguageId;

TEST(LanguageTest, SecondTokenOfEachLineDecides) {
  EXPECT_TRUE(IsTextOfLanguage("1 " + Big5("開燈") + "\r\n2 " + Big5("關燈") + "\n", TextLanguage::Big5));
  EXPECT_TRUE(IsTextOfLanguage("1 turn-on\n2 back\\slash\n", TextLanguage::English));
  EXPECT_FALSE(IsTextOfLanguage("1 don't\n", TextLanguage::English));
  // The first token is never examined, and a line without two tokens is passed over.
  EXPECT_TRUE(IsTextOfLanguage("x!y on\n", TextLanguage::English));
  EXPECT_TRUE(IsTextOfLanguage("lonely\n", TextLanguage::English));
  // A GBK trail byte in 80..A0 is no Big5 trail byte; odd tokens fail pair tests.
  EXPECT_FALSE(IsTextOfLanguage("1 \x81\x80\n", TextLanguage::Big5));
  EXPECT_TRUE(IsTextOfLanguage("1 \x81\x80\n", TextLanguage::Gbk));
  EXPECT_FALSE(IsTextOfLanguage("1 \xB6\x7D\xBF\n", TextLanguage::Big5));
}

TEST(LanguageTest, DetectionOrderIsBig5GbkEnglish) {
  EXPECT_EQ(DetectTextLanguage("1 " + Big5("開燈") + "\n"), TextLanguage::Big5);
  EXPECT_EQ(DetectTextLanguage(std::string_view("1 \x81\x80\n")), TextLanguage::Gbk);
  EXPECT_EQ(DetectTextLanguage(std::string_view("1 lights-on\n")), TextLanguage::English);
  EXPECT_EQ(DetectTextLanguage(std::string_view("1 on!\n")), TextLanguage::Unknown);
  // Wide text: Simplified characters have no Big5 form and fall through to GBK.
  EXPECT_EQ(DetectTextLanguage(platform::Utf8ToUtf16("1 开灯\n")), TextLanguage::Gbk);
  EXPECT_EQ(DetectTextLanguage(platform::Utf8ToUtf16("1 開燈\n")), TextLanguage::Big5);
}

TEST(DecodeTest, Utf16SimplifiedFileBecomesTraditionalBig5) {
  const DecodedCommandText decoded = DecodeCommandText(Utf16LeFile("1 开灯\r\n2 关门\r\n"), platform::kLangEnglishUs);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.encoding, FileEncoding::Utf16Le);
  EXPECT_EQ(decoded.language, TextLanguage::Gbk);
  EXPECT_EQ(decoded.text, "1 " + Big5("開燈") + "\r\n2 " + Big5("關門") + "\r\n");
}

TEST(DecodeTest, Utf16FilesOfEveryLanguageOnAnySystem) {
  for (LanguageId system : {platform::kLangEnglishUs, LanguageId{0x0407}, platform::kLangChineseHongKong}) {
    const DecodedCommandText big5 = DecodeCommandText(Utf16LeFile("1 開燈\n"), system);
    ASSERT_TRUE(big5.ok);
    EXPECT_EQ(big5.language, TextLanguage::Big5);
    EXPECT_EQ(big5.text, "1 " + Big5("開燈") + "\n");
    const DecodedCommandText english = DecodeCommandText(Utf16LeFile("1 lights-on\n"), system);
    ASSERT_TRUE(english.ok);
    EXPECT_EQ(english.language, TextLanguage::English);
    EXPECT_EQ(english.text, "1 lights-on\n");
  }
  EXPECT_FALSE(DecodeCommandText(Utf16LeFile("1 on!\n"), platform::kLangEnglishUs).ok);
}

TEST(DecodeTest, Utf16TextEndsAtItsFirstNulUnit) {
  std::string file = Utf16LeFile("1 on\n");
  file += std::string("\0\0", 2) + Utf16LeFile("2 bad!").substr(2);
  const DecodedCommandText decoded = DecodeCommandText(file, platform::kLangEnglishUs);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.text, "1 on\n");
}

TEST(DecodeTest, Utf8AndUtf16BigEndianMarksAreRefused) {
  const DecodedCommandText utf8 = DecodeCommandText("\xEF\xBB\xBF" "1 on\n", platform::kLangEnglishUs);
  EXPECT_FALSE(utf8.ok);
  EXPECT_EQ(utf8.encoding, FileEncoding::Utf8);
  const DecodedCommandText big = DecodeCommandText(std::string("\xFE\xFF\0" "1", 4), platform::kLangEnglishUs);
  EXPECT_FALSE(big.ok);
  EXPECT_EQ(big.encoding, FileEncoding::Utf16Be);
}

TEST(DecodeTest, FileWithoutMarkFollowsTheSystemLanguage) {
  const std::string big5File = "1 " + Big5("開燈") + "\n";
  // Taiwan and English systems take the bytes as they are.
  for (LanguageId system : {platform::kLangChineseTaiwan, platform::kLangEnglishUs, platform::kLangEnglishUk}) {
    const DecodedCommandText decoded = DecodeCommandText(big5File, system);
    ASSERT_TRUE(decoded.ok) << system;
    EXPECT_EQ(decoded.encoding, FileEncoding::None);
    EXPECT_EQ(decoded.language, TextLanguage::Big5);
    EXPECT_EQ(decoded.text, big5File);
  }
  // Neither Chinese nor English, or a Chinese system other than Taiwan and the PRC.
  EXPECT_FALSE(DecodeCommandText(big5File, LanguageId{0x0407}).ok);
  EXPECT_FALSE(DecodeCommandText(big5File, platform::kLangChineseHongKong).ok);
  EXPECT_FALSE(DecodeCommandText(big5File, platform::kLangChineseSingapore).ok);
}

TEST(DecodeTest, PrcSystemConvertsGbkToTraditionalBig5) {
  const DecodedCommandText decoded = DecodeCommandText("1 " + Gbk("开灯") + "\n", platform::kLangChinesePrc);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.text, "1 " + Big5("開燈") + "\n");
}

TEST(DecodeTest, RawTextEndsAtItsFirstNul) {
  const DecodedCommandText decoded =
      DecodeCommandText(std::string("1 on\n\0" "2 off\n", 12), platform::kLangEnglishUs);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.text, "1 on\n");
}

}  // namespace
}  // namespace quillon
