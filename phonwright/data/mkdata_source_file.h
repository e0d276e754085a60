// Reading the source files of the data builder whole.
#pragma once

#include <filesystem>
#include <string>

namespace phonwright::mkdata {

// The file's bytes; throws std::runtime_error naming the file when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// The bytes of a bzip2-compressed file, decompressed; throws std::runtime_error
// when it cannot be read or is not valid bzip2 data.
std::string ReadBzip2File(const std::filesystem::path& path);

}  // namespace phonwright::mkdata
