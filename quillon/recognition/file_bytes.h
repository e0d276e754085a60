// Reading a whole file as raw bytes, telling "cannot be opened" from "empty",
// as every reader of command files and images must.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quillon {

enum class FileReadStatus { Ok, CannotOpen, Empty };

struct FileBytes {
  FileReadStatus status = FileReadStatus::CannotOpen;
  std::string bytes;
};

// The whole file. A directory or a file that fails to read cannot be opened.
FileBytes ReadWholeFile(const std::filesystem::path& path);

// The size of a regular file, or nothing when it cannot be opened.
std::optional<std::uint64_t> FileSizeOf(const std::filesystem::path& path);

// Whether anything other than a directory is at `path` (a configured file that
// is missing is reported to the user by name).
bool FileExists(const std::filesystem::path& path);

}  // namespace quillon
