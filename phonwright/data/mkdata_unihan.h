// Unihan's kMandarin readings (Unihan_Readings.txt, package unicode-data).
// A line is "U+XXXX<TAB>kMandarin<TAB>value value...": tone-marked pinyin, the
// second value, where given, the Taiwan reading.
#pragma once

#include <string_view>
#include <unordered_map>

#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright::mkdata {

struct UnihanReadings {
  std::unordered_map<char32_t, zhuyin::Reading> readings;  // the Taiwan value where given
  std::size_t unconvertible = 0;  // kMandarin values zhuyin cannot write
};

UnihanReadings ParseUnihanMandarin(std::string_view readingsText);

}  // namespace phonwright::mkdata
