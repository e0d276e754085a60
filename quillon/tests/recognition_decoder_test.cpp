// Decoding command files: byte-order marks, the system-language rules for
// files without one, and the language tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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

TEST(DecodeTest, Utf16BigEndianMarkIsRefusedWithTheReason) {
  const DecodedCommandText big = DecodeCommandText(std::string("\xFE\xFF\0" "1", 4), platform::kLangEnglishUs);
  EXPECT_FALSE(big.ok);
  EXPECT_EQ(big.encoding, FileEncoding::Utf16Be);
  EXPECT_NE(big.failure.message.find(u"UTF-16 big-endian"), std::u16string::npos);
}

TEST(Utf8Test, WithAndWithoutMarkDecodeToTheBig5TextOnEverySystem) {
  const std::string utf8 = "0x1 開燈\r\n0x2 打開風扇\n";
  const std::string big5 = Big5(utf8);
  for (LanguageId system : {platform::kLangEnglishUs, platform::kLangChineseTaiwan, platform::kLangChinesePrc,
                            LanguageId{0x0407}}) {
    const DecodedCommandText plain = DecodeCommandText(utf8, system);
    ASSERT_TRUE(plain.ok) << system;
    EXPECT_EQ(plain.encoding, FileEncoding::Utf8WithoutMark);
    EXPECT_EQ(plain.language, TextLanguage::Big5);
    EXPECT_EQ(plain.text, big5);
    const DecodedCommandText marked = DecodeCommandText("\xEF\xBB\xBF" + utf8, system);
    ASSERT_TRUE(marked.ok) << system;
    EXPECT_EQ(marked.encoding, FileEncoding::Utf8);
    EXPECT_EQ(marked.text, big5);
    EXPECT_TRUE(plain.warnings.empty());
  }
  EXPECT_EQ(DetectFileEncoding(utf8), FileEncoding::Utf8WithoutMark);
  // Plain ASCII holds no multi-byte character: it stays a code page file.
  EXPECT_EQ(DetectFileEncoding("1 lights-on\n"), FileEncoding::None);
  const DecodedCommandText english = DecodeCommandText("\xEF\xBB\xBF" "1 on\n", platform::kLangEnglishUs);
  ASSERT_TRUE(english.ok);
  EXPECT_EQ(english.language, TextLanguage::English);
  EXPECT_EQ(english.text, "1 on\n");
}

TEST(Utf8Test, SimplifiedTextFollowsTheGbkPath) {
  const DecodedCommandText decoded = DecodeCommandText("1 开灯\n", platform::kLangEnglishUs);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.encoding, FileEncoding::Utf8WithoutMark);
  EXPECT_EQ(decoded.language, TextLanguage::Gbk);
  EXPECT_EQ(decoded.text, "1 " + Big5("開燈") + "\n");
}

TEST(Utf8Test, AMarkedFileThatIsNotUtf8IsRefusedAtItsLine) {
  const DecodedCommandText decoded =
      DecodeCommandText("\xEF\xBB\xBF" "1 on\n2 " + Big5("開燈") + "\n", platform::kLangEnglishUs);
  EXPECT_FALSE(decoded.ok);
  EXPECT_EQ(decoded.failure.line, 2u);
  EXPECT_NE(decoded.failure.message.find(u"not valid UTF-8"), std::u16string::npos);
}

// Big5 bytes that happen to be valid UTF-8 keep being read as Big5: when the
// UTF-8 reading also makes sense, a warning says how to have it read as UTF-8.
TEST(Utf8Test, Big5ThatIsAlsoValidUtf8StaysBig5) {
  // E5 A4 A7 E5 A4 A9 is "大天" in UTF-8 and three Big5 characters.
  const std::string both = "1 \xE5\xA4\xA7\xE5\xA4\xA9\n";
  EXPECT_EQ(DetectFileEncoding(both), FileEncoding::None);
  const DecodedCommandText decoded = DecodeCommandText(both, platform::kLangEnglishUs);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.text, both);
  ASSERT_EQ(decoded.warnings.size(), 1u);
  EXPECT_EQ(decoded.warnings[0].line, 0u);
  EXPECT_NE(decoded.warnings[0].message.find(u"UTF-8 byte order mark"), std::u16string::npos);
  // With the mark it is UTF-8.
  EXPECT_EQ(DecodeCommandText("\xEF\xBB\xBF" + both, platform::kLangEnglishUs).text, "1 " + Big5("大天") + "\n");
  // C2 B1 is a Big5 character and UTF-8 for U+00B1, which Big5 holds too.
  EXPECT_EQ(DetectFileEncoding("5 \xC2\xB1\r\n"), FileEncoding::None);
  // Valid UTF-8 in pieces only: the rest of the file decides.
  EXPECT_EQ(DetectFileEncoding("1 \xE5\xA4\xA7\xE5\xA4\xA9\n2 " + Big5("關燈") + "\n"), FileEncoding::None);
}

// Random Big5 characters (level 1 and 2), and text made only of Big5 pairs
// that are valid UTF-8 as well, in files of random lines: never UTF-8.
TEST(Utf8Test, RandomBig5IsNeverTakenForUtf8) {
  std::mt19937 random(14);
  const auto pick = [&random](unsigned low, unsigned high) {
    return std::uniform_int_distribution<unsigned>(low, high)(random);
  };
  const auto big5Character = [&]() {
    for (;;) {
      const unsigned lead = pick(0xA4, 0xF9);
      const unsigned trail = pick(0, 1) ? pick(0x40, 0x7E) : pick(0xA1, 0xFE);
      std::string character{static_cast<char>(lead), static_cast<char>(trail)};
      // Only assigned characters (the gap after level 1 is not).
      if (platform::ToUtf16(platform::kCodePageBig5, character) != u"\uFFFD" && !(lead >= 0xC6 && lead <= 0xC8)) {
        return character;
      }
    }
  };
  // Two UTF-8 ideographs whose six bytes are three Big5 pairs: leads E4-E9,
  // every continuation byte A1-BF.
  const auto utf8LookingPairs = [&]() {
    std::u16string two;
    for (int i = 0; i < 2; ++i) {
      two += static_cast<char16_t>((pick(0x4, 0x9) << 12) | (pick(0x21, 0x3F) << 6) | pick(0x21, 0x3F));
    }
    return platform::Utf16ToUtf8(two);
  };
  int validUtf8 = 0;
  for (int file = 0; file < 3000; ++file) {
    std::string text;
    const int lines = static_cast<int>(pick(1, file % 2 == 0 ? 3 : 20));
    for (int line = 0; line < lines; ++line) {
      std::string sentence;
      if (file % 3 == 0) {
        for (unsigned n = pick(1, 3); n > 0; --n) sentence += utf8LookingPairs();
      } else {
        for (unsigned n = pick(1, 6); n > 0; --n) sentence += big5Character();
      }
      text += "0x" + std::to_string(line + 1) + " " + sentence + (pick(0, 1) ? "\r\n" : "\n");
    }
    if (!std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) continue;
    validUtf8 += platform::Utf8ToUtf16(text).find(u'\uFFFD') == std::u16string::npos;
    ASSERT_EQ(DetectFileEncoding(text), FileEncoding::None) << file << ": " << ::testing::PrintToString(text);
    const DecodedCommandText decoded = DecodeCommandText(text, platform::kLangChineseTaiwan);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.text, text);
  }
  EXPECT_GT(validUtf8, 900);  // the UTF-8-looking third, at least
}

TEST(NulTest, ANulThatCutsTextIsReportedAtItsLine) {
  const std::string cut = std::string("1 on\r\n2 off\r\n", 14) + std::string(1, '\0') + "3 up\r\n";
  for (const std::string& file : {cut, Utf16LeFile("1 on\r\n2 off\r\n") + std::string(2, '\0') +
                                           Utf16LeFile("3 up\r\n").substr(2),
                                  "1 \xE9\x96\x8B\n2 \xE9\x96\x8B\n" + std::string(1, '\0') + "3 up\n"}) {
    const DecodedCommandText decoded = DecodeCommandText(file, platform::kLangEnglishUs);
    ASSERT_TRUE(decoded.ok);
    ASSERT_EQ(decoded.warnings.size(), 1u);
    EXPECT_EQ(decoded.warnings[0].line, 3u);
    EXPECT_NE(decoded.warnings[0].message.find(u"NUL"), std::u16string::npos);
  }
  // NULs that pad the end of a file cut nothing.
  EXPECT_TRUE(DecodeCommandText("1 on\n" + std::string(8, '\0'), platform::kLangEnglishUs).warnings.empty());
}

TEST(DecodeTest, FailuresSayWhy) {
  EXPECT_NE(DecodeCommandText("1 on\n", LanguageId{0x0407}).failure.message.find(u"this system's language is 0x0407"),
            std::u16string::npos);
  // No language fits: the furthest a language reads, and where it stops.
  const DecodedCommandText mixed = DecodeCommandText(Utf16LeFile("1 on\n2 off\n3 開燈\n"), platform::kLangEnglishUs);
  EXPECT_FALSE(mixed.ok);
  EXPECT_EQ(mixed.failure.line, 3u);
  EXPECT_EQ(mixed.failure.message, u"the file's language is not recognised: \"開燈\" (line 3) is not English (letters "
                                   u"and hyphens), which fits the lines before it");
  // A file in a code page decodes without a language, and says where it stopped.
  const DecodedCommandText header = DecodeCommandText("Commands\n1 on\n", platform::kLangEnglishUs);
  ASSERT_TRUE(header.ok);
  ASSERT_TRUE(header.languageProblem);
  EXPECT_EQ(header.languageProblem->line, 1u);
  EXPECT_NE(header.languageProblem->message.find(u"\"1\" (line 2) is not English"), std::u16string::npos);
  EXPECT_NE(header.languageProblem->message.find(u"read as the sentence of line 1, which holds a single word"),
            std::u16string::npos);
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
