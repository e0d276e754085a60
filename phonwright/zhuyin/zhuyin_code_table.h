// The zhuyin code table: every base syllable with each of the five tones, as
// the text Juin2SyllableCode accepts and the syllable code it gives. Entry i
// has syllable number k = i / 5 + 1 and tone digit t = i % 5 + 1; its text is
// base syllable k followed by the mark of t (none, ˊ, ˇ, ˋ, ˙) and its code is
// t * 1000 + k. The base syllables are those of the syllable table except 377
// (ㄌㄩㄣ) and 409 (ㄧㄛ), plus 410 ㄇㄜ and 411 ㄌㄛ.
#pragma once

#include <optional>
#include <string_view>

namespace phonwright {

inline constexpr int kZhuyinCodeBaseCount = 411;
inline constexpr int kZhuyinCodeEntryCount = kZhuyinCodeBaseCount * 5;

struct ZhuyinCodeEntry {
  std::string_view text;  // Big5: base syllable and tone mark
  int code;
};

// Entry `index` (0 to 2054) of the table.
ZhuyinCodeEntry ZhuyinCodeEntryAt(int index);

// Code of one zhuyin syllable with its tone mark (Big5), by exact comparison;
// the first entry in table order wins. nullopt when no entry matches.
std::optional<int> FindZhuyinCode(std::string_view syllable);

}  // namespace phonwright
