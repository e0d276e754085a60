#include "phonwright/l2s/chunk_search.h"

#include <gtest/gtest.h>

#include <random>

#include "l2s_test_models.h"
#include "phonwright/l2s/chunk_dictionary.h"

namespace phonwright::l2s {
namespace {

using testing_models::ModelSetBuilder;
using Sequence = std::vector<std::uint8_t>;

// The segmentations of a run of one-letter graphemes, listed the way the
// engine's lattice lists them: column by column, each new path end put in
// front, single units before the joined graphemes.
std::vector<Sequence> LatticeSegmentations(const LetterToSoundModels& models, const Sequence& units) {
  struct End {
    std::uint8_t grapheme;
    int previous;
  };
  std::vector<End> ends{{units[0], -1}};
  std::vector<std::vector<int>> columns(units.size());
  columns[0] = {0};
  const auto add = [&](std::size_t column, std::uint8_t grapheme, int previous) {
    ends.push_back({grapheme, previous});
    columns[column].insert(columns[column].begin(), static_cast<int>(ends.size() - 1));
  };
  for (std::size_t t = 1; t < units.size(); ++t) {
    for (const int b : std::vector<int>(columns[t - 1])) add(t, units[t], b);
    for (std::size_t k = 0; k < t; ++k) {
      std::string joined;
      for (std::size_t i = k; i <= t; ++i) joined += models.graphemes().names[units[i]];
      const auto grapheme = models.graphemes().trie.Find(joined);
      if (!grapheme) continue;
      if (k == 0) {
        add(t, static_cast<std::uint8_t>(*grapheme), -1);
        continue;
      }
      for (const int b : std::vector<int>(columns[k - 1])) add(t, static_cast<std::uint8_t>(*grapheme), b);
    }
  }
  std::vector<Sequence> result;
  for (const int end : columns.back()) {
    Sequence sequence;
    for (int at = end; at >= 0; at = ends[static_cast<std::size_t>(at)].previous)
      sequence.insert(sequence.begin(), ends[static_cast<std::size_t>(at)].grapheme);
    result.push_back(sequence);
  }
  return result;
}

class ChunkSearchTest : public testing::Test {
 protected:
  void Load(ModelSetBuilder& builder) {
    builder.Stage2Order(1);
    builder.WriteAndLoad(std::filesystem::current_path() / "models", models_);
    ASSERT_TRUE(models_.is_loaded());
  }
  LetterToSoundModels models_;
};

TEST_F(ChunkSearchTest, LatticeOrderOfTheSegmentationsIsKept) {
  ModelSetBuilder builder;
  for (const char* g : {"x", "y", "z", "xy", "yz", "xyz"}) builder.Candidate(g, "P");
  const Sequence run{builder.G("x"), builder.G("y"), builder.G("z")};
  std::vector<std::vector<std::string>> order = {{"x", "yz"}, {"xyz"}, {"x", "y", "z"}, {"xy", "z"}};
  for (const auto& segmentation : order) builder.Chunk(segmentation, std::vector<std::string>(segmentation.size(), "P"), 10);
  Load(builder);

  std::vector<Sequence> expected;
  for (const auto& segmentation : order) {
    Sequence sequence;
    for (const auto& name : segmentation) sequence.push_back(builder.G(name));
    expected.push_back(sequence);
  }
  EXPECT_EQ(LatticeSegmentations(models_, run), expected);
  for (std::size_t first = 0; first < order.size(); ++first) {
    // Leave out the chunks ahead of `first`: the search must then find `first`.
    ModelSetBuilder partial = builder;
    partial.set().chunks.erase(partial.set().chunks.begin(), partial.set().chunks.begin() + static_cast<long>(first));
    Load(partial);
    const auto chunk = FindChunk(models_, run);
    ASSERT_TRUE(chunk);
    EXPECT_EQ(chunk->graphemes, expected[first]);
    EXPECT_EQ(chunk->score, 1000000);
  }
}

TEST_F(ChunkSearchTest, GraphemesSplitIntoTheirLettersExceptPossessives) {
  ModelSetBuilder builder;
  for (const char* g : {"s", "h", "sh", "'", "'s", "q", "qu"}) builder.Candidate(g, "P");
  builder.Chunk({"s", "h", "'s"}, {"P", "P", "P"}, 100);
  builder.Chunk({"q", "#"}, {"P", "#"}, 100);
  Load(builder);
  const auto chunk = FindChunk(models_, Sequence{builder.G("sh"), builder.G("'s")});
  ASSERT_TRUE(chunk);
  EXPECT_EQ(chunk->graphemes, (Sequence{builder.G("s"), builder.G("h"), builder.G("'s")}));
  EXPECT_EQ(chunk->score, 100000);
  EXPECT_FALSE(FindChunk(models_, Sequence{builder.G("qu"), 1}));  // "u" is no grapheme: "qu" stays whole
  const auto boundary = FindChunk(models_, Sequence{builder.G("q"), 1});
  ASSERT_TRUE(boundary);
  EXPECT_EQ(boundary->score, 101000);
}

TEST_F(ChunkSearchTest, AgreesWithTheLatticeOnRandomModels) {
  std::mt19937 random(20081205);
  for (int round = 0; round < 40; ++round) {
    ModelSetBuilder builder;
    const std::string letters = "abc";
    for (const char c : letters) builder.Candidate(std::string(1, c), "P");
    std::vector<std::string> joined;
    for (int i = 0; i < 6; ++i) {
      std::string g;
      for (int n = 2 + static_cast<int>(random() % 3); n > 0; --n) g += letters[random() % letters.size()];
      builder.Candidate(g, "P");
      joined.push_back(g);
    }
    Sequence run;
    for (int n = 3 + static_cast<int>(random() % 8); n > 0; --n)
      run.push_back(builder.G(std::string(1, letters[random() % letters.size()])));
    Load(builder);
    const auto segmentations = LatticeSegmentations(models_, run);
    // Keep a random few of the segmentations as chunks, plus a few that are absent.
    ModelSetBuilder withChunks = builder;
    for (const auto& sequence : segmentations) {
      if (random() % 4 != 0) continue;
      withChunks.set().chunks.push_back({.graphemes = sequence, .phonemes = Sequence(sequence.size(), 3),
                                         .weight = static_cast<std::uint16_t>(1 + random() % 60000)});
    }
    Load(withChunks);
    std::optional<Sequence> expected;
    for (const auto& sequence : segmentations)
      if (LookupChunk(models_.files(), models_.config().chunkDictionary, sequence)) {
        expected = sequence;
        break;
      }
    const auto chunk = FindChunk(models_, run);
    ASSERT_EQ(chunk.has_value(), expected.has_value()) << "round " << round;
    if (chunk) {
      EXPECT_EQ(chunk->graphemes, *expected) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace phonwright::l2s
