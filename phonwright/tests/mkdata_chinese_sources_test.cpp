// libchewing's phrase tree and Unihan's pinyin, the two Chinese sources.
#include <gtest/gtest.h>

#include <stdexcept>

#include "phonwright/data/mkdata_chewing_phrases.h"
#include "phonwright/data/mkdata_pinyin.h"
#include "phonwright/data/mkdata_unihan.h"

namespace phonwright::mkdata {
namespace {

using zhuyin::Reading;

void AppendNode(std::string& tree, std::uint16_t key, std::uint32_t first, std::uint32_t second) {
  tree += {static_cast<char>(key & 0xFF), static_cast<char>(key >> 8)};
  for (const auto value : {first, second})
    tree += {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16)};
}

TEST(ChewingPhone, UnpacksInitialMedialFinalAndTone) {
  EXPECT_EQ(DecodeChewingPhone(0x1ce2), (Reading{14, 1, 12, 2}));  // ㄒㄧㄥˊ
  EXPECT_EQ(DecodeChewingPhone(0x00d2), (Reading{0, 1, 10, 2}));   // ㄧㄣˊ
  EXPECT_EQ(DecodeChewingPhone(0x165a), (Reading{11, 0, 11, 2}));  // ㄏㄤˊ
}

TEST(ChewingPhrases, WalksEveryPathToItsLeaves) {
  // root -> 銀 (ㄧㄣˊ) -> 行 (ㄏㄤˊ) -> leaf "銀行" 14560; 銀 also has the leaf "銀" 0.
  const std::string dictionary = std::string("銀行") + '\0' + "銀" + '\0';
  std::string tree;
  AppendNode(tree, 0, 1, 2);         // 0 root: child 1
  AppendNode(tree, 0x00d2, 2, 4);    // 1 ㄧㄣˊ: children 2, 3
  AppendNode(tree, 0, 7, 0);         // 2 leaf "銀"
  AppendNode(tree, 0x165a, 4, 5);    // 3 ㄏㄤˊ: child 4
  AppendNode(tree, 0, 0, 14560);     // 4 leaf "銀行"
  const auto phrases = ParseChewingPhrases(tree, dictionary);
  ASSERT_EQ(phrases.size(), 2u);
  EXPECT_EQ(phrases[0].text, "銀");
  EXPECT_EQ(phrases[0].reading, (std::vector<Reading>{{0, 1, 10, 2}}));
  EXPECT_EQ(phrases[1].text, "銀行");
  EXPECT_EQ(phrases[1].reading, (std::vector<Reading>{{0, 1, 10, 2}, {11, 0, 11, 2}}));
  EXPECT_EQ(phrases[1].frequency, 14560u);
  EXPECT_EQ(Utf8Length(phrases[1].text), 2u);
}

TEST(ChewingPhrases, RefusesDamagedFiles) {
  std::string tree;
  AppendNode(tree, 0, 1, 9);  // children beyond the end of the tree
  AppendNode(tree, 0, 0, 0);
  EXPECT_THROW(ParseChewingPhrases(tree, std::string("x") + '\0'), std::runtime_error);
  std::string outside;
  AppendNode(outside, 0, 1, 2);
  AppendNode(outside, 0, 50, 0);  // phrase offset beyond the dictionary
  EXPECT_THROW(ParseChewingPhrases(outside, std::string("x") + '\0'), std::runtime_error);
  EXPECT_THROW(ParseChewingPhrases("1234567", ""), std::runtime_error);  // not whole nodes
}

TEST(Pinyin, ConvertsToneMarkedSyllables) {
  EXPECT_EQ(PinyinToReading("xíng"), (Reading{14, 1, 12, 2}));
  EXPECT_EQ(PinyinToReading("háng"), (Reading{11, 0, 11, 2}));
  EXPECT_EQ(PinyinToReading("zhī"), (Reading{15, 0, 0, 0}));   // empty rhyme
  EXPECT_EQ(PinyinToReading("sì"), (Reading{21, 0, 0, 4}));
  EXPECT_EQ(PinyinToReading("lüè"), (Reading{8, 3, 4, 4}));
  EXPECT_EQ(PinyinToReading("jǔ"), (Reading{12, 3, 0, 3}));    // ju writes ü as u
  EXPECT_EQ(PinyinToReading("yōng"), (Reading{0, 3, 12, 0}));
  EXPECT_EQ(PinyinToReading("wǔ"), (Reading{0, 2, 0, 3}));
  EXPECT_EQ(PinyinToReading("yuán"), (Reading{0, 3, 9, 2}));
  EXPECT_EQ(PinyinToReading("ér"), (Reading{0, 0, 13, 2}));
  EXPECT_EQ(PinyinToReading("guǐ"), (Reading{9, 2, 6, 3}));
  EXPECT_EQ(PinyinToReading("me"), (Reading{3, 0, 3, 1}));     // unmarked: neutral
  EXPECT_EQ(PinyinToReading("m̄"), std::nullopt);
  EXPECT_EQ(PinyinToReading("hng"), std::nullopt);
  EXPECT_EQ(PinyinToReading("x1"), std::nullopt);
}

TEST(Unihan, TakesTheTaiwanValueWhereTwoAreGiven) {
  const auto readings = ParseUnihanMandarin(
      "# comment\n"
      "U+4E00\tkMandarin\tyī\n"
      "U+5783\tkMandarin\tlā lè\n"
      "U+5783\tkCantonese\tlaap6\n"
      "U+20000\tkMandarin\thē\n"
      "U+5463\tkMandarin\tm̄\n");
  EXPECT_EQ(readings.readings.at(U'\u4E00'), (Reading{0, 1, 0, 0}));
  EXPECT_EQ(readings.readings.at(U'\u5783'), (Reading{8, 0, 3, 4}));
  EXPECT_EQ(readings.readings.at(U'\U00020000'), (Reading{11, 0, 3, 0}));
  EXPECT_FALSE(readings.readings.contains(U'\u5463'));
  EXPECT_EQ(readings.unconvertible, 1u);
}

}  // namespace
}  // namespace phonwright::mkdata
