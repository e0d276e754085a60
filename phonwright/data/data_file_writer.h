// How the data file writers put their bytes on disk: the parent folders are
// created and the file is replaced atomically, so a failed write never leaves
// half a data file behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace phonwright::data {

// Throws std::system_error when the folder cannot be created or the file
// cannot be written.
void WriteDataFile(const std::filesystem::path& path, std::string_view bytes);

// Appends a little-endian integer to a file's bytes.
void AppendLittle16(std::string& out, std::uint16_t value);
void AppendLittle32(std::string& out, std::uint32_t value);

}  // namespace phonwright::data
