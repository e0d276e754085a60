// "T2P.TXT", the list of segmentation dictionary files: one path per line.
#pragma once

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace phonwright {

// Writes `paths`, one per line.
std::error_code WriteDictionaryList(const std::filesystem::path& listPath,
                                    const std::vector<std::filesystem::path>& paths);

// The paths of the list, in order: each non-blank line without its leading and
// trailing whitespace (so a path may hold spaces). nullopt when the file cannot
// be opened.
std::optional<std::vector<std::filesystem::path>> ReadDictionaryList(
    const std::filesystem::path& listPath);

}  // namespace phonwright
