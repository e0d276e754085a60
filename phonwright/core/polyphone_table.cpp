#include "phonwright/core/polyphone_table.h"

#include <array>
#include <unordered_map>

namespace phonwright {
namespace {

struct GeneratedPolyphoneRow {
  std::string_view character;
  std::size_t readingCount;
  std::array<std::string_view, kMaxPolyphoneReadings> readings;
};

constexpr GeneratedPolyphoneRow kRows[] = {
#include "polyphone_rows.inc"
};
static_assert(std::size(kRows) == kPolyphoneRowCount);

}  // namespace

PolyphoneRow PolyphoneRowAt(int row) {
  if (row < 0 || row >= kPolyphoneRowCount) return {};
  const auto& generated = kRows[row];
  return {generated.character, std::span(generated.readings.data(), generated.readingCount)};
}

std::optional<int> FindPolyphoneRow(std::string_view character) {
  static const auto rowOfCharacter = [] {
    std::unordered_map<std::string_view, int> index;
    for (int row = 0; row < kPolyphoneRowCount; ++row) index.emplace(kRows[row].character, row);
    return index;
  }();
  const auto found = rowOfCharacter.find(character);
  if (found == rowOfCharacter.end()) return std::nullopt;
  return found->second;
}

}  // namespace phonwright
