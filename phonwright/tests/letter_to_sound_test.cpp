#include "phonwright/l2s/letter_to_sound.h"

#include <gtest/gtest.h>

#include "l2s_test_models.h"

namespace phonwright::l2s {
namespace {

using testing_models::ModelSetBuilder;

class LetterToSoundTest : public testing::TestWithParam<ModelFileMode> {
 protected:
  std::string Decode(ModelSetBuilder& builder, std::string_view word) {
    builder.WriteAndLoad(std::filesystem::current_path() / "models", models_, GetParam());
    EXPECT_TRUE(models_.is_loaded());
    return LetterToSound(models_, word);
  }
  LetterToSoundModels models_;
};

ModelSetBuilder WithLetters() {
  ModelSetBuilder builder;
  builder.Candidate("a", "A").Candidate("b", "B").Stage2Order(1);
  return builder;
}

TEST_P(LetterToSoundTest, EqualStageOneTotalsKeepTheArcCreatedLast) {
  auto builder = WithLetters();
  builder.Candidate("ab", "X").Unigram("#", -10).Unigram("a", -10).Unigram("b", -10).Unigram("ab", -20);
  EXPECT_EQ(Decode(builder, "ab"), "A B ");  // b (from 1) stands ahead of ab (from 0)
  builder.Unigram("ab", -19);
  EXPECT_EQ(Decode(builder, "ab"), "X ");
}

TEST_P(LetterToSoundTest, BigramScoresOverrideTheUnigramBackoff) {
  auto builder = WithLetters();
  builder.Candidate("ab", "X").Unigram("#", -10).Unigram("a", -10).Unigram("b", -10).Unigram("ab", -10);
  EXPECT_EQ(Decode(builder, "ab"), "X ");
  builder.Bigram("a", "b", 50);
  EXPECT_EQ(Decode(builder, "ab"), "A B ");
}

TEST_P(LetterToSoundTest, EqualPhonemeScoresPreferTheCandidateListedLast) {
  ModelSetBuilder builder;
  builder.Candidate("a", "P1").Candidate("a", "P2").Candidate("a", "P3").Stage2Order(1);
  EXPECT_EQ(Decode(builder, "a"), "P3 ");
  builder.Stage2({}, "P1", 10);
  EXPECT_EQ(Decode(builder, "a"), "P1 ");
}

TEST_P(LetterToSoundTest, OrderThreeWindowUsesTheRightNeighbourAndCollectsBackoffWeights) {
  ModelSetBuilder builder;
  builder.Candidate("a", "A1").Candidate("a", "A2").Candidate("b", "B").Stage2Order(3);
  builder.Stage2({"b", "a"}, "A2", -1).Backoff({"b", "a"}, -7);
  builder.Stage2({"#", "a"}, "A1", 0);  // the left neighbour is not in an order-3 window
  builder.Stage2({}, "A1", 12);         // -7 at order 2, -7 again at order 1: 12 - 14 < -1
  EXPECT_EQ(Decode(builder, "ab"), "A2 B ");
  builder.Stage2({}, "A1", 14);
  EXPECT_EQ(Decode(builder, "ab"), "A1 B ");
}

TEST_P(LetterToSoundTest, OrderFourWindowReadsLeftThenRight) {
  ModelSetBuilder builder;
  builder.Candidate("a", "A").Candidate("b", "B1").Candidate("b", "B2").Candidate("c", "C").Stage2Order(4);
  builder.Stage2({"a", "c", "b"}, "B1", -1).Stage2({"c", "a", "b"}, "B2", 0);
  EXPECT_EQ(Decode(builder, "abc"), "A B1 C ");
}

TEST_P(LetterToSoundTest, OrderOneAsksOnlyTheUnigramModel) {
  ModelSetBuilder builder;
  builder.Candidate("a", "A1").Candidate("a", "A2").Stage2Order(1).Stage2({}, "A1", -3).Stage2({}, "A2", -4);
  EXPECT_EQ(Decode(builder, "a"), "A1 ");
}

TEST_P(LetterToSoundTest, ChunkPronunciationsReplaceSingleGraphemes) {
  auto builder = WithLetters();
  builder.Chunk({"a", "b"}, {"Y", "Z"}, 1000);
  EXPECT_EQ(Decode(builder, "ab"), "Y Z ");
}

TEST_P(LetterToSoundTest, BoundaryChunksCarryTheBonusAndNoStepPenalty) {
  // (#, a) from position 0 scores 11000 and reaches b at 10100; (a, b) after #
  // scores 10000000 / weight - 900.
  auto builder = WithLetters();
  builder.Chunk({"#", "a"}, {"#", "Y"}, 1000).Chunk({"a", "b"}, {"Q", "Z"}, 909);
  EXPECT_EQ(Decode(builder, "ab"), "Q Z ");
  builder.set().chunks.back().weight = 910;
  EXPECT_EQ(Decode(builder, "ab"), "Y B ");
}

TEST_P(LetterToSoundTest, WordsWithoutAPathHaveNoPronunciation) {
  auto builder = WithLetters();
  builder.Candidate("z", "Z").Unigram("a", -1);
  builder.set().candidates.pop_back();  // z is a grapheme without candidates
  EXPECT_EQ(Decode(builder, "abc"), "");  // c begins no grapheme
  EXPECT_EQ(Decode(builder, "az"), "");
  EXPECT_EQ(Decode(builder, ""), "");
  std::string longest;
  for (int i = 0; i < 28; ++i) longest += "A ";
  EXPECT_EQ(Decode(builder, std::string(28, 'a')), longest);
  EXPECT_EQ(Decode(builder, std::string(29, 'a')), "");
}

INSTANTIATE_TEST_SUITE_P(BothAccessModes, LetterToSoundTest,
                         testing::Values(ModelFileMode::Mapped, ModelFileMode::OpenPerQuery));

TEST(LetterToSoundScores, CombinationTruncatesTowardZero) {
  EXPECT_EQ(CombinedScore(-20000, -900), -2800);  // (-1900000 - 900000) / 1000
  EXPECT_EQ(CombinedScore(-1, 0), 0);
  EXPECT_EQ(CombinedScore(-11, 0), -1);
}

TEST(LetterToSoundModelsLoad, AMissingMapLeavesTheModelsUnloaded) {
  ModelSetBuilder builder;
  builder.Candidate("a", "A").Stage2Order(1);
  const auto directory = std::filesystem::current_path() / "no-map";
  LetterToSoundModels models;
  builder.WriteAndLoad(directory, models);
  ASSERT_TRUE(models.is_loaded());
  std::filesystem::remove(directory / "P_map.txt");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(models.Load(directory));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "open P_map.txt file error\n");
  EXPECT_FALSE(models.is_loaded());
  EXPECT_EQ(LetterToSound(models, "a"), "");
}

}  // namespace
}  // namespace phonwright::l2s
