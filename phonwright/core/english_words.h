// Phonemes of English words as people type them. Each blank-separated token
// is read in this order:
//  1. the token as it stands: the dictionary's first pronunciation ("A" alone
//     is always the letter) or an exception word ("a*");
//  2. the token without the punctuation before and after it ("hello," and
//     "(play)" are HELLO and PLAY; a token of punctuation only is no word);
//     a hyphenated or dotted word is looked up whole (WI-FI) before it is
//     split at its punctuation into words of their own ("well-known" is WELL
//     and KNOWN when the dictionary lacks WELL-KNOWN);
//  3. a word the dictionary lacks: an exception word; a one-letter word its
//     letter name; a word of 2 to 6 capitals (HDMI, VPN) spelled letter by
//     letter, each letter read as the one-letter word would be and A as the
//     letter's name EY; any other word the letter-to-sound decoder.
#pragma once

#include <string>
#include <string_view>

#include "phonwright/core/english_sources.h"

namespace phonwright {

struct EnglishPhonemes {
  std::string phonemes;
  bool complete = true;  // false when a word got no pronunciation
};

// Longest word spelled letter by letter when written in capitals.
inline constexpr std::size_t kMaxSpelledCapitals = 6;

// Converts the ASCII words of `text`: two-byte characters are removed (a run of
// them leaves one space). Each word's phones are followed by two spaces, and
// every word after the first is preceded by "$ ": "HH AH L OW  $ W ER L D  ".
// A word without any reading is left out (the others are still converted)
// and the result is incomplete.
EnglishPhonemes ConvertEnglishWords(const EnglishSources& sources, std::string_view text);

}  // namespace phonwright
