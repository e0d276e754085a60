// Stage 1 of letter-to-sound decoding: the split of a word into graphemes with
// the best score under the grapheme bigram model (sco/stage1/bkf.sp.2, backed
// off to sco/stage1/bkf.sp.1).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "phonwright/l2s/letter_to_sound_models.h"

namespace phonwright::l2s {

// Returns the grapheme numbers 1, g1, ..., gk, 1 (the word boundary at both
// ends), or nothing when no split covers the word. Among splits of equal
// score the one whose arcs were created last wins, as in the engine's lattice.
std::optional<std::vector<std::uint8_t>> SegmentGraphemes(LetterToSoundModels& models, std::string_view word);

}  // namespace phonwright::l2s
