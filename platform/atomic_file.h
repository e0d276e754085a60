// Replacing a file so that an interrupted write never loses it: the new content
// goes to a sibling file that is then renamed over the original.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace platform {

// Writes `bytes` to `path` atomically. Fails (and leaves any existing file as it
// was) when the folder is missing or not writable.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform
