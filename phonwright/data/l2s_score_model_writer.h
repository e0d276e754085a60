// Writes one order of a letter-to-sound back-off score model (layout in
// phonwright/l2s/l2s_format.h), read by phonwright/l2s/score_model.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace phonwright::data {

struct ScoreModelContent {
  std::size_t contextLength = 0;  // n context levels (order - 1), at most 10
  // One leaf per context of exactly n symbols (level 0 first): key symbol to
  // score. The key 2 holds the context's back-off weight. With n = 0 the only
  // leaf has the empty context.
  std::map<std::vector<std::uint8_t>, std::map<std::uint8_t, std::int32_t>> leaves;

  // Sets the score of `key` after `context` (key 2: the context's back-off weight).
  void Set(const std::vector<std::uint8_t>& context, std::uint8_t key, std::int32_t score);
};

// Returns the file's bytes. Throws std::invalid_argument when a context has the
// wrong length, a node would have more than 255 entries, or a level or the leaf
// region has more records than a two-digit base-255 index reaches (65025).
std::string EncodeScoreModel(const ScoreModelContent& content);

void WriteScoreModel(const std::filesystem::path& path, const ScoreModelContent& content);

}  // namespace phonwright::data
