// Numbers of the letter-to-sound model files written in base 255: two bytes
// b0 b1 stand for b0 x 255 + b1, three bytes b0 b1 b2 for (b0 x 255 + b1) x 255 + b2.
// (The multiplier is 255, not 256: that is how the files are made.)
#pragma once

#include <cstdint>
#include <optional>

namespace phonwright::l2s {

inline constexpr std::uint32_t kBase255Max2 = 255u * 255u - 1;
inline constexpr std::uint32_t kBase255Max3 = 255u * 255u * 255u - 1;

inline std::uint32_t LoadBase255_2(const std::uint8_t* p) { return p[0] * 255u + p[1]; }

inline std::uint32_t LoadBase255_3(const std::uint8_t* p) { return (p[0] * 255u + p[1]) * 255u + p[2]; }

// Writes `value` in two base-255 digits; false when it is above kBase255Max2.
inline bool StoreBase255_2(std::uint8_t* p, std::uint32_t value) {
  if (value > kBase255Max2) return false;
  p[0] = static_cast<std::uint8_t>(value / 255);
  p[1] = static_cast<std::uint8_t>(value % 255);
  return true;
}

// Writes `value` in three base-255 digits; false when it is above kBase255Max3.
inline bool StoreBase255_3(std::uint8_t* p, std::uint32_t value) {
  if (value > kBase255Max3) return false;
  p[0] = static_cast<std::uint8_t>(value / (255 * 255));
  p[1] = static_cast<std::uint8_t>(value / 255 % 255);
  p[2] = static_cast<std::uint8_t>(value % 255);
  return true;
}

}  // namespace phonwright::l2s
