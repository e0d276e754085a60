// Reading a whole file as raw bytes, telling "cannot be opened" from "empty"
// and "too large", as every reader of command files and images must. Only
// regular files are read: a FIFO, device or directory cannot be opened.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace quillon {

enum class FileReadStatus { Ok, CannotOpen, Empty, TooLarge };

struct FileBytes {
  FileReadStatus status = FileReadStatus::CannotOpen;
  std::string bytes;
  std::error_code error;  // why it could not be opened or read
};

// The whole file, when it holds at most `maxBytes` bytes.
FileBytes ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes);

// The first `maxBytes` bytes of the file (all of a shorter one).
FileBytes ReadFileStart(const std::filesystem::path& path, std::uint64_t maxBytes);

// The size of a regular file, or nothing when it cannot be opened.
std::optional<std::uint64_t> FileSizeOf(const std::filesystem::path& path);

// Whether anything other than a directory is at `path` (a configured file that
// is missing is reported to the user by name).
bool FileExists(const std::filesystem::path& path);

}  // namespace quillon
