// Choosing the readings of characters and phrases, and the segmentation
// dictionary's entries.
#include <gtest/gtest.h>

#include "phonwright/data/mkdata_chinese_lexicon.h"
#include "phonwright/data/mkdata_segmentation_entries.h"
#include "phonwright/tests/big5_text.h"

namespace phonwright::mkdata {
namespace {

using testing::Big5;
using zhuyin::Reading;

constexpr Reading kXing2{14, 1, 12, 2};  // ㄒㄧㄥˊ
constexpr Reading kHang2{11, 0, 11, 2};  // ㄏㄤˊ
constexpr Reading kYin2{0, 1, 10, 2};    // ㄧㄣˊ
constexpr Reading kRen2{18, 0, 10, 2};   // ㄖㄣˊ
constexpr Reading kGe4{9, 0, 3, 4};      // ㄍㄜˋ
constexpr Reading kGeNeutral{9, 0, 3, 1};

TEST(ChineseLexicon, ReadsACharacterAsTheReadingCarryingMostFrequency) {
  const std::vector<ChewingPhrase> chewing = {
      {"行", {kHang2}, 0}, {"行", {kXing2}, 0},
      {"銀行", {kYin2, kHang2}, 500}, {"行人", {kXing2, kRen2}, 300}, {"行走", {kXing2, {19, 0, 8, 3}}, 400},
  };
  const auto lexicon = BuildChineseLexicon(chewing, {});
  EXPECT_EQ(lexicon.characters.at(Big5("行")), kXing2);  // 700 against 500
  EXPECT_EQ(lexicon.characters.at(Big5("銀")), kYin2);
  EXPECT_EQ(lexicon.fromChewing, 4u);
}

TEST(ChineseLexicon, ANeutralToneGivesWayToTheSameSyllableWithATone) {
  const std::vector<ChewingPhrase> chewing = {
      {"個", {kGe4}, 0}, {"一個", {{0, 1, 0, 2}, kGeNeutral}, 900}, {"個人", {kGe4, kRen2}, 100}};
  EXPECT_EQ(BuildChineseLexicon(chewing, {}).characters.at(Big5("個")), kGe4);
}

TEST(ChineseLexicon, FillsGapsFromUnihanAndReadsHangzhouNumeralsAsDigits) {
  UnihanReadings unihan;
  unihan.readings[U'\u5783'] = {8, 0, 1, 0};  // 垃 lā
  const std::vector<ChewingPhrase> chewing = {{"一", {{0, 1, 0, 0}}, 0}};
  const auto lexicon = BuildChineseLexicon(chewing, unihan);
  EXPECT_EQ(lexicon.characters.at(Big5("垃")), (Reading{8, 0, 1, 0}));
  EXPECT_EQ(lexicon.characters.at(Big5("〡")), (Reading{0, 1, 0, 0}));
  EXPECT_EQ(lexicon.fromUnihan, 1u);
  EXPECT_EQ(lexicon.fromNumerals, 1u);
  EXPECT_EQ(lexicon.big5HanCharacters, lexicon.characters.size() + lexicon.withoutReading.size());
  EXPECT_GT(lexicon.big5HanCharacters, 13000u);
}

TEST(ChineseLexicon, KeepsOneReadingPerPhraseAndSettlesEqualFrequencies) {
  const Reading yi1{0, 1, 0, 0};
  const Reading yi2{0, 1, 0, 2};
  const Reading ding4{5, 1, 12, 4};
  const std::vector<ChewingPhrase> chewing = {
      {"一", {yi1}, 0}, {"定", {ding4}, 0},
      // Sandhi variants of 一定 share one frequency: the one agreeing with the
      // characters' own readings wins, whatever its place.
      {"一定", {yi2, ding4}, 70}, {"一定", {yi1, ding4}, 70},
      {"😀行", {kXing2, kXing2}, 5},  // not Big5
  };
  const auto lexicon = BuildChineseLexicon(chewing, {});
  ASSERT_EQ(lexicon.phrases.size(), 1u);
  EXPECT_EQ(lexicon.phrases[0].reading, (std::vector<Reading>{yi1, ding4}));
  EXPECT_EQ(lexicon.alternativeReadings, 1u);
  EXPECT_EQ(lexicon.nonBig5Phrases, 1u);
}

TEST(SegmentationEntries, CodesFollowTheSyllableTable) {
  EXPECT_EQ(SyllableCodeOf({7, 1, 0, 3}), 3189);   // ㄋㄧˇ
  EXPECT_EQ(SyllableCodeOf({11, 0, 7, 3}), 3084);  // ㄏㄠˇ
  EXPECT_EQ(SyllableCodeOf({15, 0, 0, 0}), 1001);  // ㄓ
  EXPECT_EQ(SyllableCodeOf({3, 0, 3, 1}), 5409);   // ㄇㄜ˙
  EXPECT_EQ(SyllableCodeOf({1, 1, 1, 0}), std::nullopt);  // ㄅㄧㄚ is no syllable
}

TEST(SegmentationEntries, DigitsCharactersThenPhrasesUpToCapacity) {
  ChineseLexicon lexicon;
  lexicon.characters = {{Big5("你"), {7, 1, 0, 3}}, {Big5("好"), {11, 0, 7, 3}}, {Big5("乒"), {1, 1, 1, 0}}};
  lexicon.phrases = {{Big5("你好"), {{7, 1, 0, 3}, {11, 0, 7, 3}}, 90},
                     {Big5("好好"), {{11, 0, 7, 3}, {11, 0, 7, 3}}, 50},
                     {Big5("十一個字的很長很長片語"), std::vector<Reading>(11, {7, 1, 0, 3}), 40},
                     {Big5("乒好"), {{1, 1, 1, 0}, {11, 0, 7, 3}}, 30}};
  const auto selection = SelectSegmentationEntries(lexicon, 13);
  EXPECT_EQ(selection.classNames, (std::vector<std::string>{"CHAR", "WORD", "DIGIT"}));
  ASSERT_EQ(selection.entries.size(), 13u);
  EXPECT_EQ(selection.entries[0].word, Big5("０"));
  EXPECT_EQ(selection.entries[0].codes, std::vector<int>{6000});
  EXPECT_EQ(selection.entries[9].word, Big5("９"));
  EXPECT_EQ(selection.entries[9].codes, std::vector<int>{6009});
  EXPECT_EQ(selection.entries[10].className, "CHAR");
  EXPECT_EQ(selection.entries[12].word, Big5("你好"));
  EXPECT_EQ(selection.entries[12].codes, (std::vector<int>{3189, 3084}));
  EXPECT_EQ(selection.inexpressibleCharacters, 1u);
  EXPECT_EQ(selection.inexpressiblePhrases, 1u);
  EXPECT_EQ(selection.longPhrases, 1u);
  ASSERT_EQ(selection.heldOut.size(), 1u);
  EXPECT_EQ(selection.heldOut[0].big5, Big5("好好"));
}

// 行人 reads right from its characters, 銀行 does not: when room is short the
// phrase that changes a reading goes in first; with room both do, in order of
// frequency.
TEST(SegmentationEntries, PhrasesTheCharactersReadWrongComeFirst) {
  ChineseLexicon lexicon;
  lexicon.characters = {{Big5("銀"), kYin2}, {Big5("行"), kXing2}, {Big5("人"), kRen2}};
  lexicon.phrases = {{Big5("行人"), {kXing2, kRen2}, 90}, {Big5("銀行"), {kYin2, kHang2}, 50}};
  const auto tight = SelectSegmentationEntries(lexicon, 14);
  ASSERT_EQ(tight.entries.size(), 14u);
  EXPECT_EQ(tight.entries[13].word, Big5("銀行"));
  EXPECT_EQ(tight.entries[13].codes, (std::vector<int>{*SyllableCodeOf(kYin2), *SyllableCodeOf(kHang2)}));
  ASSERT_EQ(tight.heldOut.size(), 1u);
  EXPECT_EQ(tight.heldOut[0].big5, Big5("行人"));
  EXPECT_EQ(tight.composedPhrases, 0u);

  const auto roomy = SelectSegmentationEntries(lexicon, 20);
  ASSERT_EQ(roomy.entries.size(), 15u);
  EXPECT_EQ(roomy.entries[13].word, Big5("行人"));
  EXPECT_EQ(roomy.entries[14].word, Big5("銀行"));
  EXPECT_TRUE(roomy.heldOut.empty());
  EXPECT_EQ(roomy.composedPhrases, 1u);
}

}  // namespace
}  // namespace phonwright::mkdata
