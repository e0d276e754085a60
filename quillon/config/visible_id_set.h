// Which sentences of a command file the sentence list shows: the config.ini
// beside the command file holds, in the section named after the command file
// (name with extension), the key "visible" with comma-separated decimal ids.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <system_error>

namespace quillon {

using VisibleIdSet = std::set<std::int32_t>;

// The longest list read or written, terminator included: every ID of the
// fullest command file (2000 sentences), five digits and a comma each. A
// shorter buffer would cut a list of some fifty IDs, showing a cut number as
// another sentence and hiding the rest.
inline constexpr std::size_t kVisibleListUnits = 2000 * 6 + 1;

// The visible ids of the command file at `commandFile` (an absolute path).
// Empty pieces of the list are skipped; a piece that is not a number adds 0.
// A missing config.ini, section or key gives an empty set.
VisibleIdSet ReadVisibleIds(const std::filesystem::path& commandFile);

// Stores `ids` as the visible list of the command file at `commandFile`, in
// ascending order, creating config.ini when it is missing. Returns the error
// that kept it from being written; value_too_large for a list that
// ReadVisibleIds would cut.
std::error_code WriteVisibleIds(const std::filesystem::path& commandFile, const VisibleIdSet& ids);

}  // namespace quillon
