#include "phonwright/core/polyphone_search.h"

#include <fstream>

#include "phonwright/core/polyphone_table.h"
#include "phonwright/core/zhuyin_to_codes.h"

namespace phonwright {

std::optional<PolyphoneReadings> SearchPolyphone(std::string_view character,
                                                 const std::filesystem::path& scratchFile) {
  const auto row = FindPolyphoneRow(character);
  if (!row) return std::nullopt;
  PolyphoneReadings result;
  result.row = *row;
  // A new file each time: whatever stood at the name (a FIFO would block the
  // open) is replaced.
  std::error_code ignored;
  std::filesystem::remove(scratchFile, ignored);
  std::ofstream scratch(scratchFile, std::ios::trunc);
  for (const auto reading : PolyphoneRowAt(*row).readings) {
    const auto lookup = ZhuyinToSyllableCodes(reading);
    if (!lookup.complete || lookup.codes.empty()) continue;
    scratch << character << ' ' << reading << ' ' << FormatSyllableCodes(lookup.codes) << '\n';
    result.readings.emplace_back(reading);
    result.codes.push_back(lookup.codes.front());
  }
  return result;
}

}  // namespace phonwright
