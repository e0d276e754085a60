// The trainer's parts: alignment, back-off estimation, windows and chunks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "phonwright/train/backoff_models.h"
#include "phonwright/train/chunk_selection.h"
#include "phonwright/train/letter_to_sound_training.h"
#include "phonwright/train/many_to_many_alignment.h"
#include "phonwright/train/plain_dictionary.h"

namespace phonwright::train {
namespace {

// Phones: 0 B, 1 AA, 2 K, 3 S, 4 F, 5 OW, 6 N, 7 T
std::vector<AlignmentExample> Examples() {
  return {{"box", {0, 1, 2, 3}}, {"fox", {4, 1, 2, 3}}, {"phone", {4, 5, 6}}, {"photo", {4, 5, 7, 5}},
          {"bob", {0, 1, 0}},    {"ton", {7, 1, 6}},    {"note", {6, 5, 7}},  {"tone", {7, 5, 6}},
          {"fob", {4, 1, 0}},    {"phot", {4, 5, 7}}};
}

TEST(Alignment, LearnsOneLetterToTwoPhonesAndTwoLettersToOne) {
  const auto examples = Examples();
  ManyToManyAligner aligner(examples);
  double previous = -1e300;
  for (int i = 0; i < 8; ++i) {
    const double likelihood = aligner.Iterate();
    EXPECT_GE(likelihood, previous - 1e-9);  // EM never lowers the likelihood
    previous = likelihood;
  }
  const auto box = aligner.Align(examples[0]);
  ASSERT_EQ(box.size(), 3u);
  EXPECT_EQ(box[2], (Link{"x", {2, 3}}));
  const auto phone = aligner.Align(examples[2]);
  ASSERT_FALSE(phone.empty());
  EXPECT_EQ(phone[0], (Link{"ph", {4}}));
}

TEST(Alignment, AFilterForbidsLinks) {
  const auto examples = Examples();
  ManyToManyAligner aligner(examples, [](std::string_view letters, const std::vector<std::uint8_t>& phones) {
    return letters.size() == 1 && phones.size() <= 1;
  });
  aligner.Iterate();
  EXPECT_TRUE(aligner.Align(examples[0]).empty());  // x must take two phones
  EXPECT_EQ(aligner.Align(examples[4]).size(), 3u);
}

TEST(BackoffModels, BackedOffDistributionsSumToOne) {
  std::vector<NgramCounts> counts(2);
  counts[0][""] = {{3, 6}, {4, 3}, {5, 1}};
  counts[1]["a"] = {{3, 4}, {4, 1}};
  counts[1]["b"] = {{5, 1}, {4, 2}};
  const auto models = EstimateBackoffModels(counts, {});
  ASSERT_EQ(models.size(), 2u);
  const auto& unigram = models[0].leaves.at({});
  for (const char context : {'a', 'b'}) {
    const auto& leaf = models[1].leaves.at({static_cast<std::uint8_t>(context)});
    double sum = 0.0;
    for (const std::uint8_t key : {3, 4, 5}) {
      const auto seen = leaf.find(key);
      const double score = seen != leaf.end() ? seen->second : leaf.at(2) + unigram.at(key);
      sum += std::exp(score / 1000.0);
    }
    EXPECT_NEAR(sum, 1.0, 0.01) << context;
  }
  EXPECT_EQ(unigram.at(3), std::lround(1000.0 * std::log(0.6)));
}

TEST(BackoffModels, KeepOnlyContextsWhoseShorterContextIsKept) {
  std::vector<NgramCounts> counts(3);
  counts[0][""] = {{3, 10}};
  counts[1]["x"] = {{3, 1}};     // below the minimum count: dropped
  counts[1]["y"] = {{3, 5}};
  counts[2]["yx"] = {{3, 5}};    // its shorter context "x" is not kept
  counts[2]["xy"] = {{3, 4}};
  const auto models = EstimateBackoffModels(counts, {});
  EXPECT_EQ(models[1].leaves.size(), 1u);
  EXPECT_TRUE(models[2].leaves.contains({'x', 'y'}));
  EXPECT_FALSE(models[2].leaves.contains({'y', 'x'}));
}

TEST(BackoffModels, StayWithinTheRecordIndexes) {
  std::vector<NgramCounts> counts(2);
  counts[0][""] = {{3, 1}};
  for (int c = 1; c <= 200; ++c) counts[1][std::string(1, static_cast<char>(c))] = {{3, 5}, {4, 5}};
  BackoffOptions options;
  options.maxRecords = 40;  // ten leaves of header, two keys and the back-off weight
  const auto models = EstimateBackoffModels(counts, options);
  EXPECT_EQ(models[1].leaves.size(), 10u);
}

TEST(WindowContext, ReadsRightLeftRightThenSelf) {
  const std::vector<std::uint8_t> word = {1, 10, 11, 12, 13, 1};
  EXPECT_EQ(WindowContext(word, 2, 5), std::string({13, 10, 12, 11}));
  EXPECT_EQ(WindowContext(word, 4, 5), std::string({1, 12, 1, 13}));  // beyond the end: the boundary
  EXPECT_EQ(WindowContext(word, 2, 2), std::string({11}));
  EXPECT_EQ(WindowContext(word, 2, 1), std::string());
}

TEST(Chunks, KeepRunsWithAReliablePronunciation) {
  // "ph" (10 11) always reads 20 1; "ea" (12 13) is split 3:1.
  std::vector<AlignedWord> words;
  for (int i = 0; i < 3; ++i) words.push_back({{1, 10, 11, 1}, {1, 20, 1, 1}});
  for (int i = 0; i < 3; ++i) words.push_back({{12, 13}, {30, 1}});
  words.push_back({{12, 13}, {31, 1}});
  ChunkOptions options;
  options.maxLength = 2;
  options.checkSilentEdges = false;
  const auto chunks = SelectChunks(words, options);
  std::vector<std::vector<std::uint8_t>> runs;
  for (const auto& chunk : chunks) runs.push_back(chunk.graphemes);
  EXPECT_EQ(runs, (std::vector<std::vector<std::uint8_t>>{{1, 10}, {10, 11}, {11, 1}}));
  EXPECT_EQ(chunks[1].phonemes, (std::vector<std::uint8_t>{20, 1}));
  EXPECT_EQ(chunks[1].weight, 10000000 / 2000);  // two letters, always the same
}

TEST(Chunks, DropASilentEdgeSeenBesideOneGraphemeOnly) {
  // "ng" aligned n (14) to nothing and g (7) to NG (40): the run "in" reads
  // IH and silence only because g always followed it. The silent letter 3
  // after i is seen before two different graphemes.
  std::vector<AlignedWord> words;
  for (int i = 0; i < 3; ++i) words.push_back({{1, 9, 14, 7, 1}, {1, 30, 1, 40, 1}});
  words.push_back({{1, 9, 3, 14, 1}, {1, 30, 1, 50, 1}});
  words.push_back({{1, 9, 3, 20, 1}, {1, 30, 1, 51, 1}});
  ChunkOptions options;
  options.maxLength = 2;
  const auto chunks = SelectChunks(words, options);
  const auto held = [&](std::vector<std::uint8_t> run) {
    return std::any_of(chunks.begin(), chunks.end(), [&](const data::ChunkEntry& c) { return c.graphemes == run; });
  };
  EXPECT_FALSE(held({9, 14}));  // ends silent, only ever before g
  EXPECT_FALSE(held({14, 7}));  // starts silent, only ever after i
  EXPECT_TRUE(held({7, 1}));    // no silent edge
  EXPECT_TRUE(held({9, 3}));    // ends silent, seen before n and another grapheme
}

TEST(PlainDictionary, SplitsEveryKthWordWithAllItsPronunciations) {
  const auto entries = ParsePlainDictionary("A\tAX\nA\tEY\nB\tB IY\nC\tS IY\r\nbad line\nD\tD IY\n");
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].word, "a");
  EXPECT_EQ(entries[3].phones, (std::vector<std::string>{"S", "IY"}));
  const auto split = SplitForTest(entries, 2);
  ASSERT_EQ(split.test.size(), 3u);  // a (twice) and c
  EXPECT_EQ(split.test[2].word, "c");
  EXPECT_EQ(split.training.size(), 2u);
}

}  // namespace
}  // namespace phonwright::train
