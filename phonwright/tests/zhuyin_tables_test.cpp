#include <gtest/gtest.h>

#include <set>
#include <string>

#include "phonwright/core/digit_phone_table.h"
#include "phonwright/core/if_code_table.h"
#include "phonwright/tests/big5_text.h"
#include "phonwright/zhuyin/syllable_table.h"
#include "phonwright/zhuyin/zhuyin_code_table.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright {
namespace {

using testing::Big5;
using testing::Utf8;

TEST(ZhuyinSymbols, MatchTheBig5CodePage) {
  EXPECT_EQ(zhuyin::InitialSymbol(1), Big5("ㄅ"));
  EXPECT_EQ(zhuyin::InitialSymbol(11), Big5("ㄏ"));
  EXPECT_EQ(zhuyin::InitialSymbol(12), Big5("ㄐ"));  // first symbol after the trail-byte gap
  EXPECT_EQ(zhuyin::InitialSymbol(21), Big5("ㄙ"));
  EXPECT_EQ(zhuyin::FinalSymbol(1), Big5("ㄚ"));
  EXPECT_EQ(zhuyin::FinalSymbol(13), Big5("ㄦ"));
  EXPECT_EQ(zhuyin::MedialSymbol(1), Big5("ㄧ"));
  EXPECT_EQ(zhuyin::MedialSymbol(3), Big5("ㄩ"));
  EXPECT_EQ(zhuyin::ToneMark(1), Big5("˙"));
  EXPECT_EQ(zhuyin::ToneMark(2), Big5("ˊ"));
  EXPECT_EQ(zhuyin::ToneMark(3), Big5("ˇ"));
  EXPECT_EQ(zhuyin::ToneMark(4), Big5("ˋ"));
  EXPECT_EQ(zhuyin::ToneMark(0), "");
  EXPECT_EQ(zhuyin::InitialSymbol(0), "");
  EXPECT_EQ(zhuyin::InitialSymbol(22), "");
  EXPECT_EQ(zhuyin::Big5FromUtf8Zhuyin("ㄅㄧㄢˋ ㄌㄜ˙"), Big5("ㄅㄧㄢˋ ㄌㄜ˙"));
}

TEST(ZhuyinSymbols, ReadingsRoundTripThroughText) {
  const zhuyin::Reading reading{14, 1, 12, 2};  // ㄒㄧㄥˊ
  EXPECT_EQ(Utf8(zhuyin::FormatReading(reading)), "ㄒㄧㄥˊ");
  EXPECT_EQ(zhuyin::ParseReading(Big5("ㄒㄧㄥˊ")), reading);
  EXPECT_EQ(zhuyin::ParseReading(Big5("ㄦ")), (zhuyin::Reading{0, 0, 13, 0}));
  EXPECT_FALSE(zhuyin::ParseReading(Big5("ㄧㄒ")));   // medial before initial
  EXPECT_FALSE(zhuyin::ParseReading(Big5("ˊㄒ")));    // mark first
  EXPECT_FALSE(zhuyin::ParseReading(Big5("ㄒˊㄧ")));  // something after the mark
  EXPECT_FALSE(zhuyin::ParseReading("a"));
}

TEST(SyllableTable, HoldsTheNumberedSyllables) {
  EXPECT_EQ(SyllableText(0), "");
  EXPECT_EQ(Utf8(SyllableText(1)), "ㄓ");
  EXPECT_EQ(Utf8(SyllableText(22)), "ㄅㄚ");
  EXPECT_EQ(Utf8(SyllableText(183)), "ㄧ");
  EXPECT_EQ(Utf8(SyllableText(189)), "ㄋㄧ");
  EXPECT_EQ(Utf8(SyllableText(377)), "ㄕㄨㄥ");
  EXPECT_EQ(Utf8(SyllableText(408)), "ㄦ");
  EXPECT_EQ(Utf8(SyllableText(409)), "ㄇㄜ");
  EXPECT_EQ(SyllableText(410), "");
  EXPECT_EQ(SyllableText(-1), "");
  std::set<std::string_view> distinct;
  for (int number = 1; number < kSyllableCount; ++number) {
    ASSERT_TRUE(zhuyin::ParseReading(SyllableText(number))) << number;
    EXPECT_LE(SyllableText(number).size(), 8u);
    distinct.insert(SyllableText(number));
  }
  EXPECT_EQ(distinct.size(), 409u);
}

TEST(ZhuyinCodeTable, EntriesFollowBaseSyllableAndTone) {
  EXPECT_EQ(Utf8(ZhuyinCodeEntryAt(0).text), "ㄓ");
  EXPECT_EQ(ZhuyinCodeEntryAt(0).code, 1001);
  EXPECT_EQ(Utf8(ZhuyinCodeEntryAt(1).text), "ㄓˊ");
  EXPECT_EQ(ZhuyinCodeEntryAt(1).code, 2001);
  EXPECT_EQ(Utf8(ZhuyinCodeEntryAt(4).text), "ㄓ˙");
  EXPECT_EQ(ZhuyinCodeEntryAt(4).code, 5001);
  EXPECT_EQ(ZhuyinCodeEntryAt(kZhuyinCodeEntryCount - 1).code, 5411);
  EXPECT_EQ(ZhuyinCodeEntryAt(kZhuyinCodeEntryCount).code, 0);
  std::set<std::string_view> distinct;
  for (int i = 0; i < kZhuyinCodeEntryCount; ++i) distinct.insert(ZhuyinCodeEntryAt(i).text);
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kZhuyinCodeEntryCount));
}

TEST(ZhuyinCodeTable, DiffersFromTheSyllableTableInFourPlaces) {
  EXPECT_EQ(FindZhuyinCode(Big5("ㄌㄩㄣˊ")), 2377);
  EXPECT_EQ(FindZhuyinCode(Big5("ㄧㄛ")), 1409);
  EXPECT_EQ(FindZhuyinCode(Big5("ㄇㄜ˙")), 5410);
  EXPECT_EQ(FindZhuyinCode(Big5("ㄌㄛ")), 1411);
  EXPECT_EQ(FindZhuyinCode(Big5("ㄕㄨㄥ")), std::nullopt);
  for (int number = 1; number < kSyllableCount; ++number) {
    if (number == 377 || number == 409) continue;
    EXPECT_EQ(FindZhuyinCode(std::string(SyllableText(number)) + Big5("ˇ")), 3000 + number);
  }
  EXPECT_EQ(FindZhuyinCode(Big5("ㄅㄧㄚ")), std::nullopt);
  EXPECT_EQ(FindZhuyinCode(""), std::nullopt);
}

TEST(InitialFinalCodes, PinnedExamples) {
  EXPECT_EQ(InitialFinalCodesOf(0), (InitialFinalCodes{0, 0}));
  EXPECT_EQ(InitialFinalCodesOf(22), (InitialFinalCodes{22, 2}));    // ㄅㄚ
  EXPECT_EQ(InitialFinalCodesOf(189), (InitialFinalCodes{70, 14}));  // ㄋㄧ
  EXPECT_EQ(InitialFinalCodesOf(84), (InitialFinalCodes{17, 8}));    // ㄏㄠ
  EXPECT_EQ(InitialFinalCodesOf(1), (InitialFinalCodes{1, 1}));      // ㄓ alone
  EXPECT_EQ(InitialFinalCodesOf(7), (InitialFinalCodes{7, 1}));      // ㄙ alone
  EXPECT_EQ(InitialFinalCodesOf(26), (InitialFinalCodes{26, 3}));    // ㄛ
  EXPECT_EQ(InitialFinalCodesOf(314), (InitialFinalCodes{100, 3}));  // ㄅㄛ
  EXPECT_EQ(InitialFinalCodesOf(315), (InitialFinalCodes{61, 3}));   // ㄆㄛ
  EXPECT_EQ(InitialFinalCodesOf(408), (InitialFinalCodes{27, 38}));  // ㄦ
  EXPECT_EQ(InitialFinalCodesOf(409), (InitialFinalCodes{44, 4}));   // ㄇㄜ
  EXPECT_EQ(InitialFinalCodesOf(407), (InitialFinalCodes{97, 37}));  // ㄒㄩㄥ
  EXPECT_EQ(InitialFinalCodesOf(410), (InitialFinalCodes{0, 0}));
  EXPECT_EQ(InitialFinalCodesOf(411), (InitialFinalCodes{0, 0}));
  EXPECT_EQ(InitialFinalCodesOf(-5), (InitialFinalCodes{0, 0}));
}

TEST(InitialFinalCodes, EverySyllableGetsAPairAndEveryCodeIsUsed) {
  std::set<int> initials, finals;
  for (int number = 1; number < kSyllableCount; ++number) {
    const auto pair = InitialFinalCodesOf(number);
    EXPECT_GE(pair.initial, 1) << Utf8(SyllableText(number));
    EXPECT_LE(pair.initial, 100);
    EXPECT_GE(pair.final, 1) << Utf8(SyllableText(number));
    EXPECT_LE(pair.final, 38);
    initials.insert(pair.initial);
    finals.insert(pair.final);
  }
  EXPECT_EQ(initials.size(), 100u);
  EXPECT_EQ(finals.size(), 38u);
}

TEST(DigitPhones, TableRows) {
  const auto zero = DigitPhones(0);
  ASSERT_EQ(zero.size(), 3u);
  EXPECT_EQ(zero[0], "L");
  EXPECT_EQ(zero[2], "NG");
  ASSERT_EQ(DigitPhones(9).size(), 4u);
  EXPECT_EQ(DigitPhones(9)[0], "JH");
  EXPECT_TRUE(DigitPhones(10).empty());
  EXPECT_TRUE(DigitPhones(-1).empty());
}

}  // namespace
}  // namespace phonwright
