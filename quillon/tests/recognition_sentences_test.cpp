// Counting and parsing sentence lines: the token scan that crosses line ends,
// the first-digit skip, IDs, the content checks and the field limits.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "quillon/recognition/sentence_id.h"
#include "quillon/recognition/sentence_line_scanner.h"
#include "quillon/recognition/sentence_parser.h"
#include "quillon/tests/recognition_fake_converter.h"

namespace quillon {
namespace {

using testing::FakeSentenceConverter;

const std::string kOn = "\xB6\x7D\xBF\x4F";  // Big5 of two characters

SentenceConversion Conversion(int count, std::string codes, std::string units) {
  SentenceConversion conversion;
  conversion.unitCount = count;
  conversion.unitCodeList = std::move(codes);
  conversion.unitNameString = std::move(units);
  return conversion;
}

TEST(CountSentencesTest, CountsLinesWithTwoTokensStartingWithADigit) {
  EXPECT_EQ(CountSentences("1 on\r\n2 off\r\n"), 2);
  EXPECT_EQ(CountSentences("1 on\nx off\n3 up"), 2);  // "x" does not begin with a digit
  EXPECT_EQ(CountSentences("no digits here\n"), 0);
  EXPECT_EQ(CountSentences(""), 0);
}

TEST(CountSentencesTest, TextBeforeTheFirstDigitIsIgnoredEvenMidLine) {
  EXPECT_EQ(CountSentences("header abc7 on\nnote line\n"), 1);
  ParseResult parsed;
  FakeSentenceConverter converter;
  parsed = ParseSentences("header 7 up\n", TextLanguage::English, converter);
  ASSERT_TRUE(parsed.ok);
  ASSERT_EQ(parsed.records.size(), 1u);
  EXPECT_EQ(parsed.records[0].id, 7);
  EXPECT_EQ(parsed.records[0].text, "up");
}

TEST(CountSentencesTest, TokensAreReadAcrossLineEnds) {
  FakeSentenceConverter converter;
  // A line holding only an ID pairs it with the first token of the next line,
  // and the next line is then read as a line of its own.
  ParseResult parsed = ParseSentences("1\nhello there\n", TextLanguage::English, converter);
  ASSERT_TRUE(parsed.ok);
  ASSERT_EQ(parsed.records.size(), 1u);
  EXPECT_EQ(parsed.records[0].id, 1);
  EXPECT_EQ(parsed.records[0].text, "hello");
  EXPECT_EQ(CountSentences("1\n2 two\n"), 2);
  // Paired with the next ID, the sentence "2" fails the content check.
  EXPECT_FALSE(ParseSentences("1\n2 two\n", TextLanguage::English, converter).ok);

  // An empty line after the first digit makes the next sentence count twice.
  EXPECT_EQ(CountSentences("1 one\n\n2 two\n"), 3);
  parsed = ParseSentences("1 one\n\n2 two\n", TextLanguage::English, converter);
  ASSERT_TRUE(parsed.ok);
  ASSERT_EQ(parsed.records.size(), 3u);
  EXPECT_EQ(parsed.records[1].id, 2);
  EXPECT_EQ(parsed.records[2].id, 2);
}

TEST(CountSentencesTest, ManyBlankLinesScanInLinearTime) {
  std::string text = "1 a\n" + std::string(2'000'000, '\n') + "2 b\n";
  EXPECT_EQ(CountSentences(text), 2'000'002);
}

TEST(ScannerTest, EveryStepKnowsItsLineAndWhereItsTokensAre) {
  SentenceLineScanner scanner("x\n1 on\n\n2\nlonely\n", 2);
  LineTokens tokens;
  ASSERT_TRUE(scanner.Next(tokens));
  EXPECT_EQ(tokens.line, 2u);
  EXPECT_EQ(tokens.lineText, "1 on");
  EXPECT_EQ(tokens.firstLine, 2u);
  EXPECT_EQ(tokens.secondLine, 2u);
  ASSERT_TRUE(scanner.Next(tokens));  // the empty line reads on to line 4
  EXPECT_EQ(tokens.line, 3u);
  EXPECT_EQ(tokens.lineText, "");
  EXPECT_EQ(tokens.firstLine, 4u);
  EXPECT_EQ(tokens.secondLine, 5u);
  ASSERT_TRUE(scanner.Next(tokens));
  EXPECT_EQ(tokens.line, 4u);
  EXPECT_EQ(tokens.first, "2");
  EXPECT_EQ(tokens.second, "lonely");
  EXPECT_EQ(tokens.secondLine, 5u);
  ASSERT_TRUE(scanner.Next(tokens));
  EXPECT_EQ(tokens.line, 5u);
  EXPECT_EQ(tokens.tokenCount, 1u);
  EXPECT_FALSE(scanner.Next(tokens));
}

// The group data keeps IDs in 16 bits and 0xFFFF is an unwritten block, so
// IDs run from 0 to 0xFFFE; nothing wraps or turns into 0 silently any more.
TEST(SentenceIdTest, DecimalAndHexadecimalFromZeroTo65534) {
  for (const auto& [token, id] : std::vector<std::pair<std::string, int>>{
           {"0", 0}, {"0x0", 0}, {"0x1F", 31}, {"0X1f", 31}, {"007", 7}, {"65534", 65534}, {"0xFFFE", 65534},
           {"0x0000000000000000000001", 1}}) {
    const SentenceIdReading reading = ReadSentenceId(token);
    ASSERT_TRUE(reading.id) << token;
    EXPECT_EQ(*reading.id, id) << token;
  }
}

TEST(SentenceIdTest, IdsThatDoNotFitOrAreNoNumbersAreRefusedByName) {
  for (const char* token : {"65535", "0xFFFF", "0x10002", "0x7FFF0002", "0x100000002", "0xFFFFFFFF", "4294967297",
                            "99999999999999999999999"}) {
    const SentenceIdReading reading = ReadSentenceId(token);
    EXPECT_FALSE(reading.id) << token;
    EXPECT_NE(reading.problem.find(u"does not fit the device: sentence IDs are 0 to 65534"), std::u16string::npos)
        << token;
    EXPECT_NE(reading.problem.find(platform::Utf8ToUtf16(std::string("\"") + token + "\"")), std::u16string::npos);
  }
  for (const char* token : {"0xZZ", "12abc", "0x", "1.5", "0x1G"}) {
    const SentenceIdReading reading = ReadSentenceId(token);
    EXPECT_FALSE(reading.id) << token;
    EXPECT_NE(reading.problem.find(u"is not a number"), std::u16string::npos) << token;
  }
  for (const char* token : {"-1", "+1", "-0x5"}) {
    EXPECT_FALSE(ReadSentenceId(token).id) << token;
    EXPECT_NE(ReadSentenceId(token).problem.find(u"has a sign"), std::u16string::npos) << token;
  }
  EXPECT_TRUE(IsSignedNumber("-1"));
  EXPECT_FALSE(IsSignedNumber("-x"));
  EXPECT_FALSE(IsSignedNumber("-"));
}

TEST(ParseSentencesTest, RefusedIdsNameTheirLine) {
  FakeSentenceConverter converter;
  for (const char* id : {"0x10002", "0xZZ", "0xFFFFFFFF", "65535"}) {
    const ParseResult parsed = ParseSentences(std::string("1 on\n\n3 off\n") + id + " up\n", TextLanguage::English, converter);
    EXPECT_FALSE(parsed.ok) << id;
    ASSERT_TRUE(parsed.refusal) << id;
    EXPECT_EQ(parsed.refusal->line, 4u) << id;
    EXPECT_EQ(parsed.records.size(), 3u);  // line 3 twice, through the empty line
  }
  // The count passes a signed ID over; the parse refuses the line.
  EXPECT_EQ(CountSentences("1 on\n-1 off\n"), 1);
  const ParseResult negative = ParseSentences("1 on\n-1 off\n", TextLanguage::English, converter);
  EXPECT_FALSE(negative.ok);
  ASSERT_TRUE(negative.refusal);
  EXPECT_EQ(negative.refusal->line, 2u);
  EXPECT_NE(negative.refusal->message.find(u"\"-1\" has a sign"), std::u16string::npos);
  // An ID of 0 and of 65534 are sentences like any other.
  const ParseResult limits = ParseSentences("0 on\n0xFFFE off\n", TextLanguage::English, converter);
  ASSERT_TRUE(limits.ok);
  EXPECT_EQ(limits.records[0].id, 0);
  EXPECT_EQ(limits.records[1].id, 65534);
}

TEST(ParseSentencesTest, RefusalsSayWhatIsWrongWithTheSentence) {
  FakeSentenceConverter converter;
  ParseResult parsed = ParseSentences("1 on\n2 back\\slash\n", TextLanguage::English, converter);
  ASSERT_TRUE(parsed.refusal);
  EXPECT_EQ(parsed.refusal->line, 2u);
  EXPECT_EQ(parsed.refusal->message,
            u"the sentence \"back\\slash\" holds \"\\\": English sentences are letters, hyphens and apostrophes");
  parsed = ParseSentences("7 A" + kOn + "\n", TextLanguage::Big5, converter);
  ASSERT_TRUE(parsed.refusal);
  EXPECT_NE(parsed.refusal->message.find(u"holds \"A\", which is not a double-byte Chinese character"),
            std::u16string::npos);
  parsed = ParseSentences("7 \x81" + kOn.substr(1) + "\n", TextLanguage::Gbk, converter);
  ASSERT_TRUE(parsed.refusal);
  EXPECT_NE(parsed.refusal->message.find(u"holds the byte 0x81"), std::u16string::npos);
  converter.overrides["silent"] = SentenceConversion{};
  parsed = ParseSentences("1 silent\n", TextLanguage::English, converter);
  ASSERT_TRUE(parsed.refusal);
  EXPECT_EQ(parsed.refusal->message, u"the pronunciation engine gives no units for \"silent\"");
}

TEST(ContentCheckTest, EnglishLettersHyphensAndApostrophes) {
  EXPECT_TRUE(IsEnglishSentence("turn-on"));
  EXPECT_TRUE(IsEnglishSentence("don't"));
  EXPECT_FALSE(IsEnglishSentence("back\\slash"));
  EXPECT_FALSE(IsEnglishSentence("on1"));
  EXPECT_TRUE(PassesContentCheck("1", "turn-on", TextLanguage::English));
  EXPECT_FALSE(PassesContentCheck("1", "back\\slash", TextLanguage::English));
}

TEST(ContentCheckTest, ChineseNeedsDoubleByteCharacters) {
  EXPECT_TRUE(PassesContentCheck("1", kOn, TextLanguage::Big5));
  EXPECT_TRUE(PassesContentCheck("1", kOn, TextLanguage::Unknown));
  EXPECT_FALSE(PassesContentCheck("1", "A" + kOn, TextLanguage::Big5));
  // Only even offsets are examined: an ASCII trail byte is accepted.
  EXPECT_TRUE(PassesContentCheck("1", "\xA4" "A", TextLanguage::Gbk));
}

TEST(ContentCheckTest, TokensLongerThanTheirFieldsAreRefused) {
  EXPECT_TRUE(PassesContentCheck(std::string(78, '0') + "1", "on", TextLanguage::English));
  EXPECT_FALSE(PassesContentCheck(std::string(79, '0') + "1", "on", TextLanguage::English));
  EXPECT_TRUE(PassesContentCheck("1", std::string(511, 'a'), TextLanguage::English));
  EXPECT_FALSE(PassesContentCheck("1", std::string(512, 'a'), TextLanguage::English));
}

TEST(ParseSentencesTest, RecordsHoldIdTextAndEngineOutputs) {
  FakeSentenceConverter converter;
  const ParseResult parsed = ParseSentences("0x1A " + kOn + "\r\n5 " + kOn + "\r\n", TextLanguage::Big5, converter);
  ASSERT_TRUE(parsed.ok);
  ASSERT_EQ(parsed.records.size(), 2u);
  const SentenceRecord& first = parsed.records[0];
  EXPECT_EQ(first.id, 0x1A);
  EXPECT_EQ(first.text, kOn);
  const SentenceConversion expected = converter.Convert(kOn, TextLanguage::Big5);
  EXPECT_EQ(first.unitCount, expected.unitCount);
  EXPECT_EQ(first.unitCodeList, expected.unitCodeList);
  EXPECT_EQ(first.unitNameString, expected.unitNameString);
  EXPECT_EQ(first.phoneString, expected.phoneString);
  EXPECT_EQ(first.displayString, expected.displayString);
  EXPECT_EQ(parsed.records[1].id, 5);
}

TEST(ParseSentencesTest, StopsAtTheFirstRefusedSentence) {
  FakeSentenceConverter converter;
  ParseResult parsed = ParseSentences("1 on\n2 o-n\n3 back\\slash\n4 on\n", TextLanguage::English, converter);
  EXPECT_FALSE(parsed.ok);
  EXPECT_EQ(parsed.records.size(), 2u);
  EXPECT_EQ(converter.calls, 2);  // the refused sentence is never converted

  parsed = ParseSentences("1 " + kOn + "\n2 A" + kOn + "\n", TextLanguage::Big5, converter);
  EXPECT_FALSE(parsed.ok);
  EXPECT_EQ(parsed.records.size(), 1u);
}

TEST(ParseSentencesTest, DuplicateIdsAreKeptInFileOrder) {
  FakeSentenceConverter converter;
  const ParseResult parsed = ParseSentences("3 on\n3 off\n", TextLanguage::English, converter);
  ASSERT_TRUE(parsed.ok);
  ASSERT_EQ(parsed.records.size(), 2u);
  EXPECT_EQ(parsed.records[0].text, "on");
  EXPECT_EQ(parsed.records[1].text, "off");
}

TEST(ParseSentencesTest, EngineOutputMustHaveCodesAndFitTheRecord) {
  FakeSentenceConverter converter;
  converter.overrides["silent"] = SentenceConversion{};
  EXPECT_FALSE(ParseSentences("1 silent\n", TextLanguage::English, converter).ok);
  converter.overrides["blank"] = Conversion(0, "  ", "");
  EXPECT_FALSE(ParseSentences("1 blank\n", TextLanguage::English, converter).ok);

  const SentenceConversion fits = Conversion(1, "412 ", std::string(511, 'u'));
  converter.overrides["fits"] = fits;
  EXPECT_TRUE(ParseSentences("1 fits\n", TextLanguage::English, converter).ok);
  SentenceConversion tooLong = fits;
  tooLong.unitNameString += "u";
  converter.overrides["long"] = tooLong;
  EXPECT_FALSE(ParseSentences("1 long\n", TextLanguage::English, converter).ok);
  SentenceConversion wideTooLong = Conversion(1, "412 ", "RCD_AA");
  wideTooLong.displayString = std::u16string(512, u'x');
  converter.overrides["wide"] = wideTooLong;
  EXPECT_FALSE(ParseSentences("1 wide\n", TextLanguage::English, converter).ok);
}

}  // namespace
}  // namespace quillon
