// Choosing the readings of characters and phrases, and the segmentation
// dictionary's entries.
#include <gtest/gtest.h>

#include <algorithm>

#include "phonwright/core/segment_run.h"
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

TEST(ChineseLexicon, ParticlesAloneReadNeutralAndSomeCharactersAsTheyAreAlone) {
  constexpr Reading kMa3{3, 0, 1, 3};
  constexpr Reading kMaNeutral{3, 0, 1, 1};
  constexpr Reading kNi3{7, 1, 0, 3};
  constexpr Reading kHao3{11, 0, 7, 3};
  constexpr Reading kShe2{17, 0, 3, 2};
  constexpr Reading kShi2{17, 0, 0, 2};
  constexpr Reading kMeNeutral{3, 0, 3, 1};
  const std::vector<ChewingPhrase> chewing = {
      {"嗎", {kMaNeutral}, 0}, {"嗎", {kMa3}, 0}, {"嗎啡", {kMa3, {4, 0, 6, 0}}, 900},
      {"你好嗎", {kNi3, kHao3, {3, 0, 1, 0}}, 50}, {"什麼", {kShe2, kMeNeutral}, 5000},
      {"什錦", {kShi2, {12, 1, 10, 3}}, 10},
      // 吧 ends 酒吧 with a tone, and keeps it there.
      {"吧", {{1, 0, 1, 1}}, 0}, {"酒吧", {{12, 1, 8, 3}, {1, 0, 1, 0}}, 400}};
  const auto lexicon = BuildChineseLexicon(chewing, {});
  EXPECT_EQ(lexicon.characters.at(Big5("嗎")), kMaNeutral);  // not 嗎啡's ㄇㄚˇ
  EXPECT_EQ(lexicon.characters.at(Big5("吧")), (Reading{1, 0, 1, 1}));
  EXPECT_EQ(lexicon.characters.at(Big5("什")), kShi2);  // not 什麼's ㄕㄜˊ
  EXPECT_EQ(lexicon.readOnTheirOwn, 3u);
  const auto phrase = [&](const char* text) {
    return std::find_if(lexicon.phrases.begin(), lexicon.phrases.end(),
                        [&](const Big5Phrase& p) { return p.big5 == Big5(text); })->reading;
  };
  EXPECT_EQ(phrase("你好嗎").back(), kMaNeutral);
  EXPECT_EQ(phrase("嗎啡").front(), kMa3);
  EXPECT_EQ(phrase("酒吧").back(), (Reading{1, 0, 1, 0}));
}

TEST(ChineseLexicon, ReduplicatedPhrasesMakeAdverbsInDe) {
  constexpr Reading kMan4{3, 0, 9, 4};
  constexpr Reading kDi4{5, 1, 0, 4};
  constexpr Reading kDeNeutral{5, 0, 3, 1};
  constexpr Reading kMa1{3, 0, 1, 0};
  const std::vector<ChewingPhrase> chewing = {
      {"地", {kDi4}, 0}, {"地", {kDeNeutral}, 0}, {"土地", {{6, 0, 0, 3}, kDi4}, 500},
      {"慢慢", {kMan4, kMan4}, 300}, {"媽媽", {kMa1, {3, 0, 1, 1}}, 800}};
  const auto lexicon = BuildChineseLexicon(chewing, {});
  EXPECT_EQ(lexicon.characters.at(Big5("地")), kDi4);
  ASSERT_EQ(lexicon.adverbsWithDe, 1u);  // not 媽媽地: kinship words end neutral
  const auto adverb = std::find_if(lexicon.phrases.begin(), lexicon.phrases.end(),
                                   [](const Big5Phrase& p) { return p.big5 == Big5("慢慢地"); });
  ASSERT_NE(adverb, lexicon.phrases.end());
  EXPECT_EQ(adverb->reading, (std::vector<Reading>{kMan4, kMan4, kDeNeutral}));
  EXPECT_EQ(adverb->frequency, 300u);
}

TEST(ChineseLexicon, SettlesTheWordsTheShortestPathNeedsWithLibchewingsReadings) {
  constexpr Reading kWo3{0, 2, 2, 3};
  constexpr Reading kDeNeutral{5, 0, 3, 1};
  constexpr Reading kDi2{5, 1, 0, 2};
  constexpr Reading kQue4{13, 3, 4, 4};
  constexpr Reading kZhang3{15, 0, 11, 3};
  constexpr Reading kChang2{16, 0, 11, 2};
  const std::vector<ChewingPhrase> chewing = {
      {"我的", {kWo3, kDeNeutral}, 900}, {"的確", {kDi2, kQue4}, 300},
      {"都會", {{5, 2, 0, 0}, {11, 2, 6, 4}}, 500}, {"都市", {{5, 2, 0, 0}, {17, 0, 0, 4}}, 100},
      {"校長", {{14, 1, 7, 4}, kZhang3}, 200}, {"長城", {kChang2, {16, 0, 12, 2}}, 100},
      {"得", {kDeNeutral}, 0}, {"走", {{19, 0, 8, 3}}, 0}};
  const auto lexicon = BuildChineseLexicon(chewing, {});
  const auto find = [&](const char* text) {
    return std::find_if(lexicon.phrases.begin(), lexicon.phrases.end(),
                        [&](const Big5Phrase& p) { return p.big5 == Big5(text); });
  };
  ASSERT_NE(find("我的確"), lexicon.phrases.end());
  EXPECT_EQ(find("我的確")->reading, (std::vector<Reading>{kWo3, kDi2, kQue4}));
  ASSERT_NE(find("長得"), lexicon.phrases.end());
  EXPECT_EQ(find("長得")->reading, (std::vector<Reading>{kZhang3, kDeNeutral}));
  // 得 has no ㄉㄟˇ in these phrases: 得走 is not made up.
  EXPECT_EQ(find("得走"), lexicon.phrases.end());
  EXPECT_EQ(find("都會"), lexicon.phrases.end());
  EXPECT_NE(find("都市"), lexicon.phrases.end());
  EXPECT_EQ(lexicon.settledWords, 3u);  // two added, 都會 left out
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

// 很高 reads right from its characters but, kept as a word, would win the tie
// in 很高興 against 高興 (five times as frequent), whose 興 reads otherwise:
// it is left out. 很好 hides nothing and stays; 高高 is too common to go.
TEST(SegmentationEntries, APhraseHidingAMoreFrequentWordInATieIsLeftOut) {
  constexpr Reading kHen3{11, 0, 10, 3};
  constexpr Reading kGao1{9, 0, 7, 0};
  constexpr Reading kXing1{14, 1, 12, 0};
  constexpr Reading kXing4{14, 1, 12, 4};
  constexpr Reading kHao3{11, 0, 7, 3};
  ChineseLexicon lexicon;
  lexicon.characters = {{Big5("很"), kHen3}, {Big5("高"), kGao1}, {Big5("興"), kXing1}, {Big5("好"), kHao3}};
  lexicon.phrases = {{Big5("高興"), {kGao1, kXing4}, 9000}, {Big5("很高"), {kHen3, kGao1}, 535},
                     {Big5("很好"), {kHen3, kHao3}, 400}, {Big5("高高"), {kGao1, kGao1}, 1200}};
  const auto selection = SelectSegmentationEntries(lexicon, 100);
  EXPECT_EQ(selection.shadowingPhrases, 1u);
  ASSERT_EQ(selection.heldOut.size(), 1u);
  EXPECT_EQ(selection.heldOut[0].big5, Big5("很高"));
  SegmentationDictionaries dictionaries;
  std::vector<SegmentationEntry> entries;
  for (const auto& word : selection.entries) {
    SegmentationEntry entry;
    entry.word = word.word;
    entry.codeCount = word.codes.size();
    std::copy(word.codes.begin(), word.codes.end(), entry.codeStorage.begin());
    entries.push_back(std::move(entry));
  }
  dictionaries.AddDictionary(std::move(entries));
  EXPECT_EQ(SegmentRun(dictionaries, Big5("很高興")).codes,
            (std::vector<int>{*SyllableCodeOf(kHen3), *SyllableCodeOf(kGao1), *SyllableCodeOf(kXing4)}));
}

// 我相 reads 相 otherwise than the character does, but is once in libchewing
// against 相信's 7,512: kept, it would read 我相信 as 我相+信.
TEST(SegmentationEntries, ARarePhraseHidingAFarMoreFrequentWordIsLeftOut) {
  constexpr Reading kWo3{0, 2, 2, 3};
  constexpr Reading kXiang1{14, 1, 11, 0};
  constexpr Reading kXiang4{14, 1, 11, 4};
  constexpr Reading kXin4{14, 1, 10, 4};
  ChineseLexicon lexicon;
  lexicon.characters = {{Big5("我"), kWo3}, {Big5("相"), kXiang1}, {Big5("信"), kXin4}};
  lexicon.phrases = {{Big5("相信"), {kXiang1, kXin4}, 7512}, {Big5("我相"), {kWo3, kXiang4}, 1}};
  const auto selection = SelectSegmentationEntries(lexicon, 100);
  EXPECT_EQ(selection.rareHidingPhrases, 1u);
  ASSERT_EQ(selection.heldOut.size(), 1u);
  EXPECT_EQ(selection.heldOut[0].big5, Big5("我相"));
  lexicon.phrases[0].frequency = 99;  // no longer a hundred times as frequent
  EXPECT_EQ(SelectSegmentationEntries(lexicon, 100).rareHidingPhrases, 0u);
  lexicon.phrases[0].frequency = 7512;
  lexicon.phrases[1].frequency = 10;  // seen ten times: no longer rare
  EXPECT_EQ(SelectSegmentationEntries(lexicon, 100).rareHidingPhrases, 0u);
}

}  // namespace
}  // namespace phonwright::mkdata
