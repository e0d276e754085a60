#include "phonwright/core/display_tables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "phonwright/core/display_string.h"
#include "phonwright/data/display_table_writer.h"
#include "phonwright/inter_unit/inter_unit_lexicon.h"

namespace phonwright {
namespace {

using data::WriteChineseDisplayTable;
using data::WriteEnglishDisplayTable;

class DisplayTablesTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(WriteEnglishDisplayTable(
        "english.txt", {{u"HH", u"h"}, {u"AH", u"ʌ"}, {u"OW", u"oʊ"}, {u"AX", u"ʌ"}}));
    ASSERT_FALSE(WriteChineseDisplayTable("chinese.txt", {u"ㄅ", u"ㄋ", u"ㄧ", u"ˇ", u"ㄏ", u"ㄠ"}));
    ASSERT_TRUE(tables_.LoadEnglish("english.txt"));
    ASSERT_TRUE(tables_.LoadChinese("chinese.txt"));
  }
  DisplayTables tables_;
};

TEST_F(DisplayTablesTest, LoadsFixedCountsAndBlanksChineseEntryZero) {
  ASSERT_EQ(tables_.english().size(), 48u);
  EXPECT_EQ(tables_.english()[2].phone, u"OW");
  EXPECT_EQ(tables_.english()[2].display, u"oʊ");
  EXPECT_TRUE(tables_.english()[4].phone.empty());
  ASSERT_EQ(tables_.chinese().size(), 42u);
  EXPECT_EQ(tables_.chinese()[0], u" ");
  EXPECT_TRUE(tables_.IsChineseEntry(u"ㄋ"));
  EXPECT_FALSE(tables_.IsChineseEntry(u"ㄅ"));  // entry 0 was overwritten
}

TEST_F(DisplayTablesTest, LookupsTakeTheFirstEntryInTableOrder) {
  ASSERT_NE(tables_.DisplayOf(u"OW"), nullptr);
  EXPECT_EQ(*tables_.DisplayOf(u"OW"), u"oʊ");
  EXPECT_EQ(tables_.DisplayOf(u"ZZ"), nullptr);
  EXPECT_EQ(*tables_.PhoneOf(u"ʌ"), u"AH");  // AH comes before AX
  EXPECT_FALSE(tables_.LoadEnglish("missing.txt"));
  EXPECT_EQ(tables_.english()[0].phone, u"HH");  // a failed load leaves the table
}

TEST_F(DisplayTablesTest, DisplayStringGivesEachTokenItsFormAndOneSpace) {
  platform::CodePageDecoder big5(platform::kCodePageBig5);
  EXPECT_EQ(DisplayString("HH AH  L OW ", tables_, big5), u"h ʌ L oʊ ");
  EXPECT_EQ(DisplayString("  OWOW HHHHHHHHHHHH", tables_, big5), u"OWOW HHHHHHHHHHHH ");
  EXPECT_EQ(DisplayString("", tables_, big5), u"");
  EXPECT_EQ(DisplayString("   ", tables_, big5), u"");
  const std::string ni = platform::FromUtf16(platform::kCodePageBig5, u"ㄋㄧˇ").bytes;
  EXPECT_EQ(DisplayString(ni + " HH OW ", tables_, big5), u"ㄋㄧˇ h oʊ ");
  // English tokens read the same beside Chinese ones as alone.
  EXPECT_EQ(DisplayString(ni + " HH AH  L OW ", tables_, big5),
            DisplayString(ni, tables_, big5) + DisplayString("HH AH  L OW ", tables_, big5));
  std::u16string reused = u"left from before";
  DisplayString("AX", tables_, big5, reused);
  EXPECT_EQ(reused, u"ʌ ");
}

// English phone strings are widened without the converter, which is right
// only while code page 950 leaves every ASCII byte as it is.
TEST(DisplayString, CodePage950LeavesAsciiAsItIs) {
  std::string ascii;
  std::u16string widened;
  for (char c = 1; c < 0x7F; ++c) {
    ascii += c;
    widened += static_cast<char16_t>(c);
  }
  ascii += '\x7F';
  widened += u'\x7F';
  EXPECT_EQ(platform::CodePageDecoder(platform::kCodePageBig5).ToUtf16(ascii), widened);
}

TEST_F(DisplayTablesTest, AsciiPhoneNamesFindTheFirstEntryWhetherUnitsOrNot) {
  ASSERT_FALSE(WriteEnglishDisplayTable(
      "names.txt", {{u"AH", u"ʌ"}, {u"hh", u"h"}, {u"AH", u"second"}, {u"ŋ", u"ng"}, {u"QQ9", u"q"}}));
  ASSERT_TRUE(tables_.LoadEnglish("names.txt"));
  ASSERT_NE(tables_.DisplayOfAscii("AH"), nullptr);
  EXPECT_EQ(*tables_.DisplayOfAscii("AH"), u"ʌ");  // the first of two entries
  EXPECT_EQ(*tables_.DisplayOfAscii("hh"), u"h");  // names that are no unit
  EXPECT_EQ(*tables_.DisplayOfAscii("QQ9"), u"q");
  EXPECT_EQ(tables_.DisplayOfAscii("HH"), nullptr);  // the table loaded before is gone
  EXPECT_EQ(tables_.DisplayOfAscii("OW"), nullptr);
  EXPECT_EQ(tables_.DisplayOfAscii(""), nullptr);
  EXPECT_EQ(*tables_.DisplayOf(u"ŋ"), u"ng");
}

TEST_F(DisplayTablesTest, LongTokensAreCut) {
  ASSERT_FALSE(WriteChineseDisplayTable("long.txt", {u"x", u"abcdefghijkl"}));
  ASSERT_TRUE(tables_.LoadChinese("long.txt"));
  EXPECT_EQ(tables_.chinese()[1], u"abcdefghi");
}

TEST_F(DisplayTablesTest, DisplayToLexiconClassifiesWhatItMapped) {
  testing::internal::CaptureStdout();
  const LexiconText mixed = DisplayToLexicon(u"ㄋㄧˇ h oʊ", tables_);
  const LexiconText chinese = DisplayToLexicon(u"ㄏㄠˇ ", tables_);
  const LexiconText english = DisplayToLexicon(u"hoʊ", tables_);
  const LexiconText unknown = DisplayToLexicon(u"ㄏ?", tables_);
  const LexiconText blank = DisplayToLexicon(u"  ", tables_);
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(mixed.text, u"ㄋㄧˇ  HH   OW ");
  EXPECT_EQ(mixed.kind, kLexiconMixed);
  EXPECT_EQ(chinese.kind, kLexiconChinese);
  EXPECT_EQ(english.text, u" HH  OW ");  // "ho" is no form, "h" is; then "oʊ" as a pair
  EXPECT_EQ(english.kind, kLexiconEnglish);
  EXPECT_EQ(unknown.text, u"ㄏ?");
  EXPECT_EQ(unknown.kind, kLexiconUnknown);
  EXPECT_EQ(blank.kind, kLexiconUnknown);
  EXPECT_EQ(printed.rfind("ㄏ?\n", 0), std::string::npos);
  EXPECT_NE(printed.find("ㄏ?\n"), std::string::npos);  // candidates are echoed
}

}  // namespace
}  // namespace phonwright
