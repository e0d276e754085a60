// What the reader passes over or cuts is said, with its line: each warning of
// the sentence scan, and that the scan's results stay as they were.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillon/recognition/sentence_line_review.h"
#include "quillon/recognition/sentence_line_scanner.h"
#include "quillon/recognition/sentence_parser.h"
#include "quillon/tests/recognition_fake_converter.h"
#include "quillon/tests/recognition_test_text.h"

namespace quillon {
namespace {

std::vector<LineDiagnostic> Review(const std::string& text, TextLanguage language = TextLanguage::English) {
  return ReviewSentenceLines(text, language);
}

std::vector<std::size_t> LinesOf(const std::vector<LineDiagnostic>& warnings) {
  std::vector<std::size_t> lines;
  for (const LineDiagnostic& warning : warnings) lines.push_back(warning.line);
  return lines;
}

TEST(WarningsTest, ATidyFileHasNone) {
  EXPECT_TRUE(Review("0x1 Lights\r\n0x2 turn-on\r\n0x1A Goodbye\r\n").empty());
  EXPECT_TRUE(Review("1 " + testing::Big5("開燈") + "\n2 " + testing::Big5("關燈"), TextLanguage::Big5).empty());
  EXPECT_TRUE(Review("1 on\n\n\n").empty());  // empty lines at the end read nothing
}

TEST(WarningsTest, WordsAfterTheSentenceAreLeftOutWithAHint) {
  const std::vector<LineDiagnostic> warnings = Review("0x2 on\n0x1 Turn on the lights\n");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].line, 2u);
  EXPECT_EQ(warnings[0].message, u"only \"Turn\" is the sentence, \"on the lights\" is left out (a sentence is one "
                                 u"token: join English words with hyphens, e.g. \"Turn-on-the-lights\")");
  const std::vector<LineDiagnostic> chinese =
      Review("1 " + testing::Big5("開 燈") + "\n", TextLanguage::Big5);
  ASSERT_EQ(chinese.size(), 1u);
  EXPECT_NE(chinese[0].message.find(u"write it without spaces"), std::u16string::npos);
}

TEST(WarningsTest, LinesWithoutANumericIdArePassedOver) {
  const std::vector<LineDiagnostic> warnings = Review("1 on\nLights off\n2 up\n#3 down\n");
  EXPECT_EQ(LinesOf(warnings), (std::vector<std::size_t>{2, 4}));
  EXPECT_EQ(warnings[0].message, u"the line is passed over: it does not start with a numeric ID: \"Lights off\"");
  EXPECT_EQ(CountSentences("1 on\nLights off\n2 up\n#3 down\n"), 2);  // as before
}

TEST(WarningsTest, AnIdAloneTakesTheNextLinesTokenOrIsPassedOver) {
  std::vector<LineDiagnostic> warnings = Review("1 on\n5\nhello there\n");
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].line, 2u);
  EXPECT_EQ(warnings[0].message, u"the ID \"5\" has no sentence on its line and takes \"hello\" from line 3");
  EXPECT_EQ(warnings[1].line, 3u);  // line 3 is read as a line of its own too, and has no ID
  warnings = Review("1 on\n7");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].line, 2u);
  EXPECT_EQ(warnings[0].message, u"the ID \"7\" has no sentence; the line is passed over");
}

TEST(WarningsTest, AnEmptyLineReadsTheNextSentenceAgain) {
  const std::vector<LineDiagnostic> warnings = Review("1 on\n\n\n2 off\n");
  EXPECT_EQ(LinesOf(warnings), (std::vector<std::size_t>{2, 3}));
  EXPECT_EQ(warnings[0].message, u"an empty line reads the sentence of line 4 a second time (remove the empty line)");
  EXPECT_EQ(CountSentences("1 on\n\n\n2 off\n"), 4);  // the specified count stands
}

TEST(WarningsTest, DuplicateIdsNameTheFirstLine) {
  const std::vector<LineDiagnostic> warnings = Review("5 up\n0x5 down\n6 left\n005 right\n");
  EXPECT_EQ(LinesOf(warnings), (std::vector<std::size_t>{2, 4}));
  EXPECT_EQ(warnings[0].message,
            u"duplicate ID \"0x5\" (first on line 1): both sentences are downloaded, the sentence list keeps the first "
            u"text");
  // The second reading through an empty line is no duplicate of its own.
  EXPECT_EQ(LinesOf(Review("5 up\n\n6 down\n")), (std::vector<std::size_t>{2}));
}

TEST(WarningsTest, CarriageReturnsWithoutLineFeedsCutTheRestOfTheLine) {
  const std::string macFile = "0x1 Lights\r0x2 Music\r0x3 Stop\r";
  const std::vector<LineDiagnostic> warnings = Review(macFile);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].line, 1u);
  EXPECT_EQ(warnings[0].message, u"a carriage return without a line feed does not end a line, so after the sentence "
                                 u"\"0x2 Music 0x3 Stop\" is left out (end lines with LF or CR LF)");
  EXPECT_EQ(CountSentences(macFile), 1);
  // A carriage return between the ID and the sentence is only white space.
  EXPECT_TRUE(Review("1\ron\r\n").empty());
}

TEST(WarningsTest, TextBeforeTheFirstDigitIsLeftOut) {
  const std::vector<LineDiagnostic> warnings = Review("Kitchen commands\n\nversion: abc1 on\n2 off\n");
  EXPECT_EQ(LinesOf(warnings), (std::vector<std::size_t>{1, 3}));
  EXPECT_EQ(warnings[0].message, u"text before the first ID of the file is left out: \"Kitchen commands\"");
  EXPECT_EQ(warnings[1].message, u"text before the first ID of the file is left out: \"version: abc\"");
  // A file without any digit is refused as a whole, not warned about.
  EXPECT_TRUE(Review("no digits\nat all\n").empty());
}

TEST(WarningsTest, TheListIsBounded) {
  std::string text = "1 on\n";
  for (int i = 0; i < 1500; ++i) text += "x y\n";
  const std::vector<LineDiagnostic> warnings = Review(text);
  ASSERT_EQ(warnings.size(), kMaxListedWarnings + 1);
  EXPECT_EQ(warnings.back().message, u"500 more warnings are not listed");
  EXPECT_EQ(warnings.back().line, kMaxListedWarnings + 2);
}

TEST(WarningsTest, QuotedTextIsCutAndKeepsToOneLine) {
  const std::vector<LineDiagnostic> warnings = Review("1 on " + std::string(100, 'x') + "\n");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].message.find(u"\"" + std::u16string(40, u'x') + u"...\""), std::u16string::npos);
  EXPECT_EQ(Quoted("a\tb\rc"), u"\"a b c\"");
}

}  // namespace
}  // namespace quillon
