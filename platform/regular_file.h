// Opening files that must be regular files. A FIFO, a device node or a socket
// where a settings file, a command file, an image or a data file is expected
// would block its reader forever or feed it endless bytes, and a directory
// would read as an odd failure; so every reader opens through these functions.
// They follow symbolic links, never block on the open, refuse anything but a
// regular file with an error that says so, and read at most a caller's cap.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <type_traits>

#include "platform/unique_fd.h"

namespace platform {

// Errors of these functions beside the system's own (errno) ones.
enum class FileRefusal {
  NotRegularFile = 1,  // a FIFO, device node or socket
};
const std::error_category& FileRefusalCategory();
std::error_code make_error_code(FileRefusal refusal);

}  // namespace platform

template <>
struct std::is_error_code_enum<platform::FileRefusal> : std::true_type {};

namespace platform {

// An open regular file and its size when it was opened. `error` is set (and
// `fd` invalid) when it could not be opened: the system's error, is_a_directory
// for a directory, FileRefusal::NotRegularFile for anything else that is not a
// regular file.
struct RegularFile {
  UniqueFd fd;
  std::uint64_t size = 0;
  std::error_code error;
};
RegularFile OpenRegularFile(const std::filesystem::path& path);

// The size of the regular file at `path`, or the error OpenRegularFile would
// give (without opening it).
struct RegularFileSize {
  std::uint64_t size = 0;
  std::error_code error;
};
RegularFileSize SizeOfRegularFile(const std::filesystem::path& path);

// What reading does with a file longer than the caller's cap.
enum class BeyondCap {
  Refuse,  // std::errc::file_too_large, nothing read past the cap
  Cut,     // the first `maxBytes` bytes
};

// The whole regular file at `path`, at most `maxBytes` bytes of it.
struct RegularFileBytes {
  std::string bytes;
  std::error_code error;
};
RegularFileBytes ReadRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                                 BeyondCap beyond = BeyondCap::Refuse);

}  // namespace platform
