// The built-in polyphone table: 1055 Big5 characters with two or more
// readings each, in a fixed row order (row numbers are part of the interface
// of SearchPolyPhone). The readings are generated at build time from
// libchewing's phrase data by phonwright/data/polyphone_table_generator.cpp.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace phonwright {

inline constexpr int kPolyphoneRowCount = 1055;
inline constexpr int kMaxPolyphoneReadings = 10;
inline constexpr std::size_t kMaxPolyphoneReadingBytes = 15;

struct PolyphoneRow {
  std::string_view character;                  // one Big5 character
  std::span<const std::string_view> readings;  // Big5 zhuyin with tone mark, most usual first
};

// Row `row` (0 to 1054); an empty row outside that range.
PolyphoneRow PolyphoneRowAt(int row);

// Row of `character` by exact comparison; nullopt when it is no polyphone.
std::optional<int> FindPolyphoneRow(std::string_view character);

}  // namespace phonwright
