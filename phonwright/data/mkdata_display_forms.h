// Contents of the display tables "UnicodeEnglishPhone.txt" and
// "UnicodeChinesePhone.txt".
//
// English: each of the 48 phones of the engine's phone table gets an IPA-like
// form of one or two UTF-16 units. The forms are unique, hold no blank and no
// zhuyin, so a display string maps back to its phones. The marked sonorants
// get the IPA of their position (LH l, LT ɫ, MT/NT syllabic m̩ n̩, RT ɚ); the
// unmarked L, R, M, N, which marking always replaces, get small capitals.
// Chinese: a placeholder for entry 0 (the engine puts a blank there), the 37
// zhuyin symbols in bopomofo order, then the four tone marks ˊ ˇ ˋ ˙.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace phonwright::mkdata {

const std::vector<std::pair<std::u16string, std::u16string>>& EnglishDisplayForms();
const std::vector<std::u16string>& ChineseDisplayTokens();

}  // namespace phonwright::mkdata
