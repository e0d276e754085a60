// The binary letter-to-sound model files: writers and queries round-trip, with
// both ways of reaching the files.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <stdexcept>

#include "phonwright/data/l2s_chunk_writer.h"
#include "phonwright/data/l2s_score_model_writer.h"
#include "phonwright/l2s/base255.h"
#include "phonwright/l2s/chunk_dictionary.h"
#include "phonwright/l2s/l2s_format.h"
#include "phonwright/l2s/score_model.h"

namespace phonwright::l2s {
namespace {

using Context = std::vector<std::uint8_t>;

TEST(Base255, UsesTheMultiplier255) {
  const std::uint8_t two[] = {1, 2};
  const std::uint8_t three[] = {1, 0, 2};
  EXPECT_EQ(LoadBase255_2(two), 257u);
  EXPECT_EQ(LoadBase255_3(three), 65027u);
  std::uint8_t out[3];
  ASSERT_TRUE(StoreBase255_3(out, 65027));
  EXPECT_EQ(LoadBase255_3(out), 65027u);
  EXPECT_FALSE(StoreBase255_2(out, 255 * 255));
}

class ModelFiles : public testing::TestWithParam<ModelFileMode> {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::current_path() / "models";
    files_ = MakeModelFileAccess(GetParam(), directory_);
  }
  std::int32_t Query(const Context& context, std::uint8_t key, const std::string& name) {
    return QueryScoreModel(*files_, context, key, name, backoff_);
  }

  std::filesystem::path directory_;
  std::unique_ptr<ModelFileAccess> files_;
  std::int32_t backoff_ = 77;
};

TEST_P(ModelFiles, ModelWithoutContextAnswersEveryContextAlike) {
  data::WriteScoreModel(directory_ / "uni", {.contextLength = 0, .leaves = {{{}, {{3, -50}, {5, -70}}}}});
  EXPECT_EQ(Query({}, 3, "uni"), -50);
  EXPECT_EQ(Query({9, 9}, 5, "uni"), -70);
  EXPECT_EQ(Query({}, 4, "uni"), kAbsentScore);
  EXPECT_EQ(backoff_, 77);
}

TEST_P(ModelFiles, ContextQueriesFindScoresAndSetTheBackoffWeight) {
  data::ScoreModelContent model{.contextLength = 2, .leaves = {}};
  // Enough symbols that nodes need several probes and indexes pass 255.
  for (std::uint8_t a = 1; a < 120; ++a)
    for (std::uint8_t b : {3, 7}) model.leaves[{a, b}] = {{2, -(a * 10 + b)}, {4, a * 100 + b}, {9, -1}};
  model.leaves[{200, 1}] = {{4, 5}};  // no back-off weight
  data::WriteScoreModel(directory_ / "tri", model);

  EXPECT_EQ(Query({101, 7}, 4, "tri"), 10107);
  EXPECT_EQ(backoff_, -1017);
  EXPECT_EQ(Query({1, 3}, 9, "tri"), -1);
  EXPECT_EQ(Query({1, 3}, 5, "tri"), kAbsentScore);  // leaf reached, key absent
  EXPECT_EQ(backoff_, -13);
  EXPECT_EQ(Query({200, 1}, 4, "tri"), 5);
  EXPECT_EQ(backoff_, kAbsentScore);

  backoff_ = 77;
  EXPECT_EQ(Query({150, 3}, 4, "tri"), kAbsentScore);  // first symbol missing on level 0
  EXPECT_EQ(Query({5, 4}, 4, "tri"), kAbsentScore);    // second symbol missing
  EXPECT_EQ(Query({5}, 4, "tri"), kAbsentScore);       // context of the wrong length
  EXPECT_EQ(backoff_, 77);
}

TEST_P(ModelFiles, MissingOrCutModelsHoldNothing) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(Query({1}, 1, "sco/none.3"), kAbsentScore);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Open score file:\"sco/none.3\" error\n");

  const std::string bytes = data::EncodeScoreModel({.contextLength = 1, .leaves = {{{1}, {{4, 9}}}}});
  data::WriteScoreModel(directory_ / "full", {.contextLength = 1, .leaves = {{{1}, {{4, 9}}}}});
  EXPECT_EQ(Query({1}, 4, "full"), 9);
  std::ofstream(directory_ / "cut", std::ios::binary) << bytes.substr(0, bytes.size() - 2);
  EXPECT_EQ(Query({1}, 4, "cut"), kAbsentScore);
}

TEST_P(ModelFiles, ChunkLookupsFollowTheTrieAndNeedAValue) {
  data::WriteChunks(directory_ / "chunk.dic", directory_ / "chunk.sco",
                    {{.graphemes = {5, 6}, .phonemes = {10, 11}, .weight = 4000},
                     {.graphemes = {5, 6, 7}, .phonemes = {10, 11, 12}, .weight = 3},
                     {.graphemes = {8}, .phonemes = {1}, .weight = 1}});
  const auto lookup = [&](const Context& graphemes) { return LookupChunk(*files_, "chunk.dic", graphemes); };
  EXPECT_FALSE(lookup({}));
  EXPECT_FALSE(lookup({5}));  // the path exists, its value is 0
  EXPECT_FALSE(lookup({5, 7}));
  EXPECT_FALSE(lookup({8, 1}));  // no child below 8
  EXPECT_FALSE(lookup({5, 6, 7, 1}));
  const auto offset = lookup({5, 6});
  ASSERT_TRUE(offset);
  const auto chunk = ReadChunkPronunciation(*files_, "chunk.sco", *offset, false);
  ASSERT_TRUE(chunk);
  EXPECT_EQ(chunk->phonemes, (Context{10, 11}));
  EXPECT_EQ(chunk->score, 2500);
  EXPECT_EQ(ReadChunkPronunciation(*files_, "chunk.sco", *offset, true)->score, 3500);

  const auto longer = lookup({5, 6, 7});
  ASSERT_TRUE(longer);
  EXPECT_EQ(ReadChunkPronunciation(*files_, "chunk.sco", *longer, false)->phonemes, (Context{10, 11, 12}));
  EXPECT_EQ(ReadChunkPronunciation(*files_, "chunk.sco", *longer, false)->score, 3333333);
  EXPECT_FALSE(ReadChunkPronunciation(*files_, "chunk.sco", 1000, false));
}

TEST_P(ModelFiles, UnopenedChunkFilesHaveNoRecord) {
  testing::internal::CaptureStdout();
  EXPECT_FALSE(LookupChunk(*files_, "none.dic", Context{1}));
  EXPECT_FALSE(ReadChunkPronunciation(*files_, "none.sco", 1, false));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "**** ERROR! Unable to open score file ****\n**** ERROR! Unable to open score file ****\n");
}

TEST_P(ModelFiles, DamagedFilesAreReadWithinTheirBounds) {
  std::filesystem::create_directories(directory_);
  std::mt19937 random(11);
  const std::string model = data::EncodeScoreModel({.contextLength = 2, .leaves = {{{1, 3}, {{4, 9}}}, {{2, 5}, {{2, 1}}}}});
  const auto chunks = data::EncodeChunks({{.graphemes = {5, 6, 7}, .phonemes = {1, 2, 3}, .weight = 9}});
  for (int round = 0; round < 300; ++round) {
    std::string damagedModel = model;
    std::string damagedChunks = chunks.dictionary;
    for (int n = 0; n < 4; ++n) {
      damagedModel[random() % damagedModel.size()] = static_cast<char>(random());
      damagedChunks[random() % damagedChunks.size()] = static_cast<char>(random());
    }
    const std::string name = "damaged" + std::to_string(round);
    std::ofstream(directory_ / (name + ".sco"), std::ios::binary) << damagedModel.substr(0, random() % (model.size() + 1));
    std::ofstream(directory_ / (name + ".dic"), std::ios::binary) << damagedChunks;
    Query({static_cast<std::uint8_t>(random() % 4), static_cast<std::uint8_t>(random() % 6)}, 4, name + ".sco");
    LookupChunk(*files_, name + ".dic", Context{5, 6, 7});
  }
  // Any answer is right for damaged bytes; the sanitizer build checks that no
  // read went past a file and the loops ended.
  SUCCEED();
}

INSTANTIATE_TEST_SUITE_P(BothAccessModes, ModelFiles,
                         testing::Values(ModelFileMode::Mapped, ModelFileMode::OpenPerQuery));

TEST(ModelFileWriters, RefuseWhatTheFormatsCannotHold) {
  EXPECT_THROW(data::EncodeScoreModel({.contextLength = 2, .leaves = {{{1}, {{4, 1}}}}}), std::invalid_argument);
  EXPECT_THROW(data::EncodeScoreModel({.contextLength = 11, .leaves = {}}), std::invalid_argument);
  EXPECT_THROW(data::EncodeChunks({{.graphemes = {1, 2}, .phonemes = {1}, .weight = 1}}), std::invalid_argument);
  EXPECT_THROW(data::EncodeChunks({{.graphemes = {1}, .phonemes = {1}, .weight = 0}}), std::invalid_argument);
  EXPECT_THROW(data::EncodeChunks({{.graphemes = {1}, .phonemes = {1}, .weight = 1},
                                   {.graphemes = {1}, .phonemes = {2}, .weight = 1}}),
               std::invalid_argument);
}

}  // namespace
}  // namespace phonwright::l2s
