// Syllable codes to the initial/final unit string of the unit output: one
// "I%02d F%02d" pair per syllable, two spaces between syllables, and the phones
// of the digit table in place of a pair for a digit code (6000 and above).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace phonwright {

// Unit string of `codes`. With tone part q = code / 1000 and syllable number
// r = code % 1000: q below 6 writes the I/F pair of syllable r (preceded by a
// space unless it is the first code); a digit writes a space (unless first),
// each phone of digit r followed by a space, then a space. The final trailing
// space is removed. Example: {3189, 3084} gives "I70 F14  I17 F08"; {6000}
// gives "L IY NG ". No codes give "".
std::string SyllableCodesToIFString(std::span<const int> codes);

// Codes of a code text (decimal numbers separated by spaces or tabs, as
// Juin2SyllableCode and the segmentation write them). A token that does not
// start with a number counts as 0.
std::vector<int> ParseCodeList(std::string_view text);

}  // namespace phonwright
