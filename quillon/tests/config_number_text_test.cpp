// Decimal and hexadecimal values of the settings files.
#include <gtest/gtest.h>

#include <limits>

#include "quillon/config/number_text.h"

namespace quillon {
namespace {

TEST(NumberTextTest, DecimalReadsLikeAtoi) {
  EXPECT_EQ(ParseDecimal(u"42"), 42);
  EXPECT_EQ(ParseDecimal(u" \t-17xyz"), -17);
  EXPECT_EQ(ParseDecimal(u"+8"), 8);
  EXPECT_EQ(ParseDecimal(u"005"), 5);
  EXPECT_EQ(ParseDecimal(u""), 0);
  EXPECT_EQ(ParseDecimal(u"abc"), 0);
  EXPECT_EQ(ParseDecimal(u"- 3"), 0);
  EXPECT_EQ(ParseDecimal(u"0x1A"), 0);
  EXPECT_EQ(ParseDecimal(u"99999999999999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ParseDecimal(u"-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ParseDecimal(u"-99999999999"), std::numeric_limits<std::int32_t>::min());
}

TEST(NumberTextTest, HexadecimalScansLikePercentX) {
  EXPECT_EQ(ParseHexadecimal(u"1A"), 26u);
  EXPECT_EQ(ParseHexadecimal(u"0x1a"), 26u);
  EXPECT_EQ(ParseHexadecimal(u"  0X1Ag"), 26u);
  EXPECT_EQ(ParseHexadecimal(u"0x00"), 0u);
  EXPECT_EQ(ParseHexadecimal(u"0x"), 0u);
  EXPECT_EQ(ParseHexadecimal(u"zz"), 0u);
  EXPECT_EQ(ParseHexadecimal(u"FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseHexadecimal(u"123456789"), 0xFFFFFFFFu);
}

TEST(NumberTextTest, FormatPadsLikePrintf) {
  EXPECT_EQ(FormatDecimal(5, 3), u"005");
  EXPECT_EQ(FormatDecimal(12, 3), u"012");
  EXPECT_EQ(FormatDecimal(1234, 3), u"1234");
  EXPECT_EQ(FormatDecimal(-5, 3), u"-05");
  EXPECT_EQ(FormatDecimal(255), u"255");
  EXPECT_EQ(IndexedKeyName(u"VoiceID_", 3, 4), u"VoiceID_0003");
  EXPECT_EQ(IndexedKeyName(u"PathName_", 10000, 4), u"PathName_10000");
}

}  // namespace
}  // namespace quillon
