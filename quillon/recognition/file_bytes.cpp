#include "quillon/recognition/file_bytes.h"

#include "platform/regular_file.h"

namespace quillon {
namespace {

FileBytes Read(const std::filesystem::path& path, std::uint64_t maxBytes, platform::BeyondCap beyond) {
  platform::RegularFileBytes read = platform::ReadRegularFile(path, maxBytes, beyond);
  FileBytes result;
  result.error = read.error;
  if (read.error == std::errc::file_too_large) result.status = FileReadStatus::TooLarge;
  if (read.error) return result;
  result.status = read.bytes.empty() ? FileReadStatus::Empty : FileReadStatus::Ok;
  result.bytes = std::move(read.bytes);
  return result;
}

}  // namespace

FileBytes ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
  return Read(path, maxBytes, platform::BeyondCap::Refuse);
}

FileBytes ReadFileStart(const std::filesystem::path& path, std::uint64_t maxBytes) {
  return Read(path, maxBytes, platform::BeyondCap::Cut);
}

std::optional<std::uint64_t> FileSizeOf(const std::filesystem::path& path) {
  const platform::RegularFile file = platform::OpenRegularFile(path);
  if (file.error) return std::nullopt;
  return file.size;
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error) && !std::filesystem::is_directory(path, error);
}

}  // namespace quillon
