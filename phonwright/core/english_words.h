// Phonemes of English words: the dictionary's first pronunciation, else an
// exception word, a letter name (one-letter words) or the letter-to-sound
// decoder. "A" alone is always read as the letter.
#pragma once

#include <string>
#include <string_view>

#include "phonwright/core/english_sources.h"

namespace phonwright {

struct EnglishPhonemes {
  std::string phonemes;
  bool complete = true;  // false when a word got no pronunciation
};

// Converts the ASCII words of `text`: two-byte characters are removed (a run of
// them leaves one space), "." and "-" separate words like blanks. Each word's
// phones are followed by two spaces, and every word after the first is preceded
// by "$ ": "HH AH L OW  $ W ER L D  ". A word without any reading is left out
// (the others are still converted) and the result is incomplete.
EnglishPhonemes ConvertEnglishWords(const EnglishSources& sources, std::string_view text);

}  // namespace phonwright
