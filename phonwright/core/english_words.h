// Phonemes of English words as people type them, read by the word rules of
// phonwright/english_words/english_word_readings.h: the tables' readings, and
// the letter-to-sound decoder for the words the tables lack.
#pragma once

#include <string>
#include <string_view>

#include "phonwright/core/english_sources.h"

namespace phonwright {

struct EnglishPhonemes {
  std::string phonemes;
  bool complete = true;  // false when a word got no pronunciation
};

// Converts the ASCII words of `text` (two-byte characters separate words).
// Each word's phones are followed by two spaces, and every word after the
// first is preceded by "$ ": "HH AH L OW  $ W ER L D  ". A word without any
// reading is left out (the others are still converted) and the result is
// incomplete.
EnglishPhonemes ConvertEnglishWords(const EnglishSources& sources, std::string_view text);

}  // namespace phonwright
