// Numbers written into the engine's text outputs ("%d"), without a formatted
// stream or a temporary string.
#pragma once

#include <array>
#include <charconv>
#include <string>

namespace phonwright {

inline void AppendDecimal(int value, std::string& out) {
  std::array<char, 16> digits;
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  out.append(digits.data(), end);
}

}  // namespace phonwright
