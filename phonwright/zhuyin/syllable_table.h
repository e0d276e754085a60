// The syllable table: 410 base syllables (no tone) numbered 0 to 409, entry 0
// the empty syllable. Syllable codes (tone digit x 1000 + syllable number), the
// base syllables written by the phone output and the initial/final code table
// all use this numbering.
#pragma once

#include <string_view>

namespace phonwright {

inline constexpr int kSyllableCount = 410;

// Big5 text of syllable `number` (at most 8 bytes); "" for 0 and for numbers
// outside 0 to 409.
std::string_view SyllableText(int number);

}  // namespace phonwright
