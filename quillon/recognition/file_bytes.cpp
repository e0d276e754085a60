#include "quillon/recognition/file_bytes.h"

#include <fstream>
#include <system_error>

namespace quillon {

FileBytes ReadWholeFile(const std::filesystem::path& path) {
  FileBytes result;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return result;
  std::ifstream file(path, std::ios::binary);
  if (!file) return result;
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0) return result;
  file.seekg(0, std::ios::beg);
  result.bytes.resize(static_cast<std::size_t>(size));
  if (size > 0 && !file.read(result.bytes.data(), size)) {
    result.bytes.clear();
    return result;
  }
  result.status = size == 0 ? FileReadStatus::Empty : FileReadStatus::Ok;
  return result;
}

std::optional<std::uint64_t> FileSizeOf(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  const std::streamoff size = file.tellg();
  if (size < 0) return std::nullopt;
  return static_cast<std::uint64_t>(size);
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error) && !std::filesystem::is_directory(path, error);
}

}  // namespace quillon
