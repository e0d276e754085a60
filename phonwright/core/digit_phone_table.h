// The digit phone table: the phone names that stand for each digit 0 to 9 in
// the unit output (digit codes 6000 and above carry the digit as code % 1000).
#pragma once

#include <span>
#include <string_view>

namespace phonwright {

inline constexpr int kDigitCount = 10;
inline constexpr int kMaxDigitPhones = 10;

// Phones of `digit` in order; empty for a value outside 0 to 9.
std::span<const std::string_view> DigitPhones(int digit);

}  // namespace phonwright
