// Phonemes of a text of English words and Chinese runs, as Text2Phoneme_Eng
// and the conversion of each English word of Text2Phoneme need them.
#pragma once

#include <cstddef>
#include <string_view>

#include "phonwright/core/english_words.h"

namespace phonwright {

// The converted text must fit this work buffer, its terminating zero included.
inline constexpr std::size_t kEnglishWorkBufferSize = 500;

// Splits `text` into ASCII and Chinese runs; full-width punctuation ends a run
// and is left out. ASCII digits become their words (" seven "); an ASCII run
// is converted by ConvertEnglishWords (which reads a hyphenated word whole
// before it splits it), a Chinese run to its syllable codes ("%d " each). An ASCII run with a word
// without reading is left out whole and makes the result incomplete; so does a
// run that would not fit the work buffer.
EnglishPhonemes ConvertMixedText(const EnglishSources& sources, std::string_view text);

}  // namespace phonwright
