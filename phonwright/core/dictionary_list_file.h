// "T2P.TXT", the list of segmentation dictionary files: one path per line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace phonwright {

// Largest list file read (it names a handful of dictionaries).
inline constexpr std::uint64_t kMaxDictionaryListBytes = std::uint64_t{1} << 20;

// Writes `paths`, one per line. A list that already holds exactly these lines
// is left untouched, so the engine's start does not rewrite the data directory
// every time (nor need it writable once the list is there).
std::error_code WriteDictionaryList(const std::filesystem::path& listPath,
                                    const std::vector<std::filesystem::path>& paths);

// The paths of the list, in order: each non-blank line without its leading and
// trailing whitespace (so a path may hold spaces). nullopt when the file is not
// a regular file, cannot be opened or is larger than kMaxDictionaryListBytes.
std::optional<std::vector<std::filesystem::path>> ReadDictionaryList(
    const std::filesystem::path& listPath);

}  // namespace phonwright
