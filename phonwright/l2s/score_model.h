// Queries of a letter-to-sound back-off score model file (layout in
// l2s_format.h): the score of a key symbol after a context of symbols.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "phonwright/l2s/model_file_access.h"

namespace phonwright::l2s {

// Returns the score of `key` after `context` (level 0 first) in the model
// `fileName` (relative to the data directory), or kAbsentScore. When the
// context node is found and a leaf is reached, `backoffWeight` receives the
// leaf's back-off weight (the score of key 2, kAbsentScore without one);
// otherwise it keeps its value. A model without context levels answers every
// context alike and leaves the weight alone; a context whose length differs
// from the model's levels finds nothing. A model that cannot be opened prints
// "Open score file:"<fileName>" error" and yields kAbsentScore.
std::int32_t QueryScoreModel(ModelFileAccess& files, std::span<const std::uint8_t> context, std::uint8_t key,
                             const std::string& fileName, std::int32_t& backoffWeight);

}  // namespace phonwright::l2s
