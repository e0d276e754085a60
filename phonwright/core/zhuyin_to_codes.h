// Zhuyin text to syllable codes (what Juin2SyllableCode exports).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace phonwright {

struct SyllableCodeLookup {
  std::vector<int> codes;  // codes of the syllables found, in text order
  bool complete = true;    // false: stopped at a syllable not in the zhuyin code table
};

// Splits Big5 zhuyin text into syllables (each a base syllable and its tone
// mark) separated by spaces or tabs, and looks each up in the zhuyin code
// table. Reading stops at a newline or at the end. A syllable runs in 2-byte
// steps from its first byte until a space, tab or newline is met at an even
// offset, so a stray single byte joins the syllable and makes it unknown. The
// lookup stops at the first unknown syllable and keeps the codes before it.
SyllableCodeLookup ZhuyinToSyllableCodes(std::string_view zhuyin);

// "%d " for each code, the text form Juin2SyllableCode writes.
std::string FormatSyllableCodes(std::span<const int> codes);

}  // namespace phonwright
