// Pronunciation of an English word that the dictionary does not hold, from the
// letter-to-sound models (letter_to_sound_models.h). When the models hold a
// joint-sequence model, it decodes the word alone (joint_sequence_decoder.h);
// otherwise the window and chunk models do:
//   1. split the word into graphemes (grapheme_segmentation.h);
//   2. cover the graphemes with hypotheses: single graphemes with their
//      candidate phonemes, or chunks with a whole pronunciation
//      (chunk_search.h), keeping a beam of 2 per position and a step penalty
//      of 900;
//   3. choose the phonemes of the 2 best final hypotheses (phoneme_choice.h);
//   4. keep the one with the best (P x 95 + H x 1000) / 1000.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "phonwright/l2s/letter_to_sound_models.h"

namespace phonwright::l2s {

inline constexpr std::size_t kMaxLetterToSoundWordLength = 28;

// `word` in lower case. Returns the phoneme names of the best path, each
// followed by one blank, without the word boundary; the empty string when the
// word has no pronunciation: no path, models not loaded, an empty word or one
// over 28 characters.
std::string LetterToSound(LetterToSoundModels& models, std::string_view word);

// Step 4's score of a final hypothesis: (P x 95 + H x 1000) / 1000, the
// division truncating toward zero, computed without 32-bit overflow.
std::int64_t CombinedScore(std::int64_t phonemeScore, std::int64_t hypothesisScore);

}  // namespace phonwright::l2s
