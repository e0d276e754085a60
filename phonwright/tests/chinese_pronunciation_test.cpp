#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "phonwright/core/character_zhuyin.h"
#include "phonwright/core/if_string.h"
#include "phonwright/core/polyphone_search.h"
#include "phonwright/core/polyphone_table.h"
#include "phonwright/core/zhuyin_to_codes.h"
#include "phonwright/data/c2zy_writer.h"
#include "phonwright/tests/big5_text.h"

namespace phonwright {
namespace {

using testing::Big5;
using testing::Utf8;
using Codes = std::vector<int>;

TEST(ZhuyinToSyllableCodes, SplitsAtSpacesAndTabs) {
  const auto lookup = ZhuyinToSyllableCodes(Big5("ㄓ  ㄓˊ"));
  EXPECT_TRUE(lookup.complete);
  EXPECT_EQ(lookup.codes, (Codes{1001, 2001}));
  EXPECT_EQ(FormatSyllableCodes(lookup.codes), "1001 2001 ");
  EXPECT_EQ(ZhuyinToSyllableCodes(Big5("\tㄋㄧˇ\tㄏㄠˇ ")).codes, (Codes{3189, 3084}));
  EXPECT_EQ(ZhuyinToSyllableCodes(Big5("ㄌㄜ˙")).codes, (Codes{5041}));
}

TEST(ZhuyinToSyllableCodes, StopsAtTheFirstUnknownSyllable) {
  const auto lookup = ZhuyinToSyllableCodes(Big5("ㄓ ㄅㄧㄚ ㄓˊ"));
  EXPECT_FALSE(lookup.complete);
  EXPECT_EQ(lookup.codes, (Codes{1001}));
  // A stray single byte joins its syllable, which then is unknown.
  EXPECT_FALSE(ZhuyinToSyllableCodes(Big5("ㄓ") + "x").complete);
  EXPECT_FALSE(ZhuyinToSyllableCodes(Big5("ㄓ") + "\r\n").complete);
}

TEST(ZhuyinToSyllableCodes, EmptyTextAndNewlineEndTheInput) {
  EXPECT_TRUE(ZhuyinToSyllableCodes("").complete);
  EXPECT_TRUE(ZhuyinToSyllableCodes("  \t ").codes.empty());
  const auto lookup = ZhuyinToSyllableCodes(Big5("ㄓ\nㄅㄧㄚ"));
  EXPECT_TRUE(lookup.complete);
  EXPECT_EQ(lookup.codes, (Codes{1001}));
}

TEST(SyllableCodesToIFString, PairsTwoSpacesApart) {
  EXPECT_EQ(SyllableCodesToIFString(Codes{3189, 3084}), "I70 F14  I17 F08");
  EXPECT_EQ(SyllableCodesToIFString(Codes{4022}), "I22 F02");
  EXPECT_EQ(SyllableCodesToIFString(Codes{}), "");
}

TEST(SyllableCodesToIFString, DigitsWritePhones) {
  EXPECT_EQ(SyllableCodesToIFString(Codes{6000}), "L IY NG ");
  EXPECT_EQ(SyllableCodesToIFString(Codes{4022, 6001}), "I22 F02  NU1 IY ");
  EXPECT_EQ(SyllableCodesToIFString(Codes{6001, 4022}), "NU1 IY   I22 F02");
  EXPECT_EQ(SyllableCodesToIFString(Codes{6042}), "");  // no digit 42: only its spaces
}

TEST(SyllableCodesToIFString, OutOfTableSyllablesGiveZeroPairs) {
  EXPECT_EQ(SyllableCodesToIFString(Codes{1410, 2999}), "I00 F00  I00 F00");
}

TEST(ParseCodeList, ReadsSpaceAndTabSeparatedCodes) {
  EXPECT_EQ(ParseCodeList("3189 3084 "), (Codes{3189, 3084}));
  EXPECT_EQ(ParseCodeList("3189\t3084\t"), (Codes{3189, 3084}));
  EXPECT_EQ(ParseCodeList("  x 12"), (Codes{0, 12}));
  EXPECT_TRUE(ParseCodeList("").empty());
}

class CharacterZhuyinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CharacterZhuyinTableWriter writer;
    ASSERT_TRUE(writer.Set(Big5("你"), {7, 1, 0, 3}));   // ㄋㄧˇ
    ASSERT_TRUE(writer.Set(Big5("好"), {11, 0, 7, 3}));  // ㄏㄠˇ
    ASSERT_TRUE(writer.Set(Big5("天"), {6, 1, 9, 0}));   // ㄊㄧㄢ
    ASSERT_TRUE(writer.Set(Big5("的"), {5, 0, 3, 1}));   // ㄉㄜ˙
    ASSERT_FALSE(writer.Set("a", {1, 0, 1, 0}));
    ASSERT_FALSE(writer.Set(Big5("天"), {22, 0, 0, 0}));
    ASSERT_FALSE(writer.Write(table_));
  }
  const std::string table_ = "c2zy.tbl";
};

TEST_F(CharacterZhuyinTest, WritesTheTableLayout) {
  std::ifstream in(table_, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 40192u);
  // 你 is A7 41: entry (0xA7 - 0x80) * 157 + 1; high byte 7 * 5 + 3, low byte 1 * 16.
  const std::size_t offset = ((0xA7 - 0x80) * 157 + 1) * 2;
  ASSERT_EQ(Big5("你"), "\xA7\x41");
  EXPECT_EQ(static_cast<unsigned char>(bytes[offset]), 16);
  EXPECT_EQ(static_cast<unsigned char>(bytes[offset + 1]), 38);
}

TEST_F(CharacterZhuyinTest, SpellsEachCharacterWithItsTone) {
  EXPECT_EQ(CharactersToZhuyin(table_, Big5("你好")), Big5("ㄋㄧˇ ㄏㄠˇ "));
  EXPECT_EQ(CharactersToZhuyin(table_, Big5("天的")), Big5("ㄊㄧㄢ  ㄉㄜ˙ "));
  // A character without a reading yields two spaces.
  EXPECT_EQ(CharactersToZhuyin(table_, Big5("我")), "  ");
}

TEST_F(CharacterZhuyinTest, StopsAtAsciiAndAfterTwentyOneCharacters) {
  EXPECT_EQ(CharactersToZhuyin(table_, Big5("你a好")), Big5("ㄋㄧˇ "));
  EXPECT_EQ(CharactersToZhuyin(table_, "a" + Big5("你")), std::nullopt);
  EXPECT_EQ(CharactersToZhuyin(table_, ""), std::nullopt);
  std::string many, expected;
  for (int i = 0; i < 25; ++i) many += Big5("好");
  for (int i = 0; i < 21; ++i) expected += Big5("ㄏㄠˇ ");
  EXPECT_EQ(CharactersToZhuyin(table_, many), expected);
  // A lead byte without its trail byte ends the text.
  EXPECT_EQ(CharactersToZhuyin(table_, Big5("你") + "\xA7"), Big5("ㄋㄧˇ "));
}

TEST_F(CharacterZhuyinTest, MissingOrShortTableFile) {
  EXPECT_EQ(CharactersToZhuyin("no-such-c2zy.tbl", Big5("你")), std::nullopt);
  std::ofstream("short.tbl", std::ios::binary) << std::string(10, '\0');
  EXPECT_EQ(CharactersToZhuyin("short.tbl", Big5("你")), "  ");
}

TEST_F(CharacterZhuyinTest, CharactersToSyllableCodes) {
  const auto lookup = CharactersToSyllableCodes(table_, Big5("你好天"));
  EXPECT_TRUE(lookup.complete);
  EXPECT_EQ(lookup.codes, (Codes{3189, 3084, 1260}));
  EXPECT_TRUE(CharactersToSyllableCodes("no-such-c2zy.tbl", Big5("你")).codes.empty());
}

TEST(PolyphoneTable, DocumentedRows) {
  const auto row = [](int index) {
    std::string text = Utf8(PolyphoneRowAt(index).character) + ":";
    for (const auto reading : PolyphoneRowAt(index).readings) text += " " + Utf8(reading);
    return text;
  };
  EXPECT_EQ(row(0), "一: ㄧ ㄧˊ ㄧˋ");
  EXPECT_EQ(row(1), "丁: ㄉㄧㄥ ㄓㄥ");
  EXPECT_EQ(row(2), "了: ㄌㄜ˙ ㄌㄧㄠˇ");
  EXPECT_EQ(row(3), "几: ㄐㄧ ㄐㄧˇ");
  EXPECT_EQ(row(4), "上: ㄕㄤˋ ㄕㄤˇ");
  EXPECT_EQ(row(7), "叉: ㄔㄚ ㄔㄚˊ ㄔㄚˇ");
  EXPECT_EQ(row(11), "不: ㄅㄨˊ ㄅㄨˋ ㄈㄡˇ");
  EXPECT_EQ(row(1054), "碁: ㄐㄧ ㄑㄧˊ");
  EXPECT_EQ(FindPolyphoneRow(Big5("碁")), 1054);
  EXPECT_EQ(FindPolyphoneRow(Big5("我")), std::nullopt);
  EXPECT_TRUE(PolyphoneRowAt(kPolyphoneRowCount).readings.empty());
}

TEST(PolyphoneTable, EveryReadingHasASyllableCode) {
  for (int row = 0; row < kPolyphoneRowCount; ++row) {
    const auto entry = PolyphoneRowAt(row);
    ASSERT_EQ(entry.character.size(), 2u) << row;
    EXPECT_GE(entry.readings.size(), 1u) << row;
    EXPECT_LE(entry.readings.size(), 6u) << row;
    EXPECT_EQ(FindPolyphoneRow(entry.character), row);
    for (const auto reading : entry.readings) {
      EXPECT_LE(reading.size(), kMaxPolyphoneReadingBytes);
      const auto lookup = ZhuyinToSyllableCodes(reading);
      EXPECT_TRUE(lookup.complete && lookup.codes.size() == 1) << row << " " << Utf8(reading);
    }
  }
}

TEST(SearchPolyphone, ReadingsCodesAndScratchFile) {
  const auto found = SearchPolyphone(Big5("一"), "polyphone.txt");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->row, 0);
  EXPECT_EQ(found->codes, (Codes{1183, 2183, 4183}));
  ASSERT_EQ(found->readings.size(), 3u);
  EXPECT_EQ(Utf8(found->readings[1]), "ㄧˊ");
  std::ifstream in("polyphone.txt");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(Utf8(text), "一 ㄧ 1183 \n一 ㄧˊ 2183 \n一 ㄧˋ 4183 \n");
  EXPECT_FALSE(SearchPolyphone(Big5("我"), "polyphone.txt"));
  EXPECT_FALSE(SearchPolyphone(Big5("一一"), "polyphone.txt"));
  // An unwritable scratch file does not change the answer.
  EXPECT_EQ(SearchPolyphone(Big5("上"), "no-such-folder/polyphone.txt")->codes,
            (Codes{4148, 3148}));
}

}  // namespace
}  // namespace phonwright
