// The phone text of a Chinese run's syllable codes: each syllable as its base
// zhuyin and tone string ("" for no tone digit, " " first tone, then ˊ ˇ ˋ ˙)
// and a space; a digit code (6000 and above) as the phones of its digit, each
// with a space.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace phonwright {

// A syllable number above 409 writes nothing; with `report_unknown` it prints
// "error <number> <sentence>" and waits for a key, as the sentence conversion
// does. A digit code whose remainder is no digit writes nothing.
std::string SyllablePhoneText(std::span<const int> codes, bool report_unknown,
                              std::string_view sentence);

}  // namespace phonwright
