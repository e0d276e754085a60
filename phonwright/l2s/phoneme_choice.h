// Step 3 of letter-to-sound decoding: the choice of one phoneme per grapheme
// of a hypothesis chain under the stage-2 back-off model, which scores a
// phoneme from a window of graphemes around its own (for order N: N - 2
// neighbours alternating right and left, nearest first from the outside in,
// then the grapheme itself).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "phonwright/l2s/letter_to_sound_models.h"

namespace phonwright::l2s {

// One grapheme position of the chain and the phonemes it may take, in order.
struct PhonemeColumnInput {
  std::uint8_t grapheme;
  std::vector<std::uint8_t> candidates;
};

struct PhonemePath {
  std::vector<std::uint8_t> phonemes;  // one per column
  std::int64_t score = 0;
};

// Keeps the best 3 arcs per column. Nothing when a column has no candidate
// that reaches it.
std::optional<PhonemePath> ChoosePhonemes(LetterToSoundModels& models, std::span<const PhonemeColumnInput> columns);

// The window-model score of `phoneme` at `column` (0 for the word boundary).
std::int64_t PhonemeScore(LetterToSoundModels& models, std::span<const PhonemeColumnInput> columns,
                          std::size_t column, std::uint8_t phoneme);

}  // namespace phonwright::l2s
