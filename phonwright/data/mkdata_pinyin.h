// Tone-marked Hanyu Pinyin (as in Unihan's kMandarin) to zhuyin components.
#pragma once

#include <optional>
#include <string_view>

#include "phonwright/core/zhuyin_symbols.h"

namespace phonwright::mkdata {

// One syllable such as "xíng", "lüè" or "er"; the tone comes from the mark on
// its vowel (none: neutral). nullopt for syllables zhuyin cannot write in
// initial-medial-final form (m, n, ng, hm, hng) and for anything that is not pinyin.
std::optional<zhuyin::Reading> PinyinToReading(std::string_view utf8Syllable);

}  // namespace phonwright::mkdata
