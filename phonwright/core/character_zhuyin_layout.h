// Layout of "c2zy.tbl", the character-to-zhuyin table of the data directory:
// 128 rows x 157 columns of 16-bit little-endian values, no header (40192
// bytes). A Big5 character with lead byte L (0x80 to 0xFF) and trail byte T is
// entry (L - 0x80) * 157 + C, with C = T - 0x40 for T below 0x7F and T - 0x62
// otherwise; its byte offset is twice that. A value's high byte is
// initial * 5 + tone, its low byte medial * 16 + final (component numbers of
// zhuyin_symbols.h); 0 means no reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright {

inline constexpr std::size_t kCharacterZhuyinRows = 128;
inline constexpr std::size_t kCharacterZhuyinColumns = 157;
inline constexpr std::size_t kCharacterZhuyinEntries = kCharacterZhuyinRows * kCharacterZhuyinColumns;
inline constexpr std::size_t kCharacterZhuyinFileSize = kCharacterZhuyinEntries * 2;

// Entry of a Big5 character; nullopt for a lead byte below 0x80 or a trail
// byte outside Big5's ranges (0x40 to 0x7E, 0xA1 to 0xFE).
constexpr std::optional<std::size_t> CharacterZhuyinEntry(std::uint8_t lead, std::uint8_t trail) {
  if (lead < 0x80) return std::nullopt;
  const bool lowTrail = trail >= 0x40 && trail <= 0x7E;
  const bool highTrail = trail >= 0xA1 && trail <= 0xFE;
  if (!lowTrail && !highTrail) return std::nullopt;
  const std::size_t column = lowTrail ? trail - 0x40u : trail - 0x62u;
  return (lead - 0x80u) * kCharacterZhuyinColumns + column;
}

constexpr std::uint16_t PackCharacterZhuyin(const zhuyin::Reading& reading) {
  return static_cast<std::uint16_t>(((reading.initial * 5 + reading.tone) << 8) |
                                    (reading.medial * 16 + reading.final));
}

constexpr zhuyin::Reading UnpackCharacterZhuyin(std::uint16_t value) {
  const int high = value >> 8;
  const int low = value & 0xFF;
  return {high / 5, low / 16, low % 16, high % 5};
}

}  // namespace phonwright
