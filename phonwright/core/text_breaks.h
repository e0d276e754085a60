// Which characters break Chinese runs and English words: punctuation, symbols
// and blanks, ASCII and full-width alike. A break is never read; it only ends
// the run or word before it, so "我們，你們" converts as 我們 and 你們.
#pragma once

#include <string_view>

#include "phonwright/english_words/english_word_readings.h"  // IsAsciiPunctuation

namespace phonwright {

// Whether the two-byte Big5 character `character` is punctuation, a symbol or
// a blank (Unicode classes P*, S* and Z*): ，。？！、「」《》（）· and the
// like, the ideographic space, box drawing and arrows. Letters and numbers
// (Han characters, zhuyin, the full-width digits and letters) are not breaks;
// neither is a byte pair that Big5 does not define.
bool IsBig5Break(std::string_view character);

}  // namespace phonwright
