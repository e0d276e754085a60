// Which sentences of a command file the sentence list shows: the config.ini
// beside the command file holds, in the section named after the command file
// (name with extension), the key "visible" with comma-separated decimal ids.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>

namespace quillon {

using VisibleIdSet = std::set<std::int32_t>;

// The visible ids of the command file at `commandFile` (an absolute path).
// Empty pieces of the list are skipped; a piece that is not a number adds 0.
// A missing config.ini, section or key gives an empty set.
VisibleIdSet ReadVisibleIds(const std::filesystem::path& commandFile);

}  // namespace quillon
