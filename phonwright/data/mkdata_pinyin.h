// Tone-marked Hanyu Pinyin (as in Unihan's kMandarin) to zhuyin components.
#pragma once

#include <optional>
#include <string_view>

#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright::mkdata {

// One syllable such as "xíng", "lüè" or "er"; the tone comes from the mark on
// its vowel (none: neutral). nullopt for syllables zhuyin cannot write in
// initial-medial-final form (m, n, ng, hm, hng) and for anything that is not pinyin.
std::optional<zhuyin::Reading> PinyinToReading(std::string_view utf8Syllable);

// One syllable with a tone digit, 1 to 4 and 5 for the neutral tone, and ü
// written "v" or "u:": "le5", "lv4", "nu:e4".
std::optional<zhuyin::Reading> NumberedPinyinToReading(std::string_view syllable);

}  // namespace phonwright::mkdata
