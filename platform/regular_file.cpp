#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

class FileRefusalCategoryImpl final : public std::error_category {
 public:
  const char* name() const noexcept override { return "file"; }
  std::string message(int value) const override {
    switch (static_cast<FileRefusal>(value)) {
      case FileRefusal::NotRegularFile: return "not a regular file (a FIFO, device or socket)";
    }
    return "unknown file error";
  }
};

std::error_code SystemError() { return {errno, std::generic_category()}; }

// Why a file of this type is not read; nothing for a regular file.
std::error_code RefusalOf(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return std::make_error_code(std::errc::is_a_directory);
  return make_error_code(FileRefusal::NotRegularFile);
}

}  // namespace

const std::error_category& FileRefusalCategory() {
  static const FileRefusalCategoryImpl category;
  return category;
}

std::error_code make_error_code(FileRefusal refusal) {
  return {static_cast<int>(refusal), FileRefusalCategory()};
}

RegularFileSize SizeOfRegularFile(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {0, SystemError()};
  if (const std::error_code refused = RefusalOf(info.st_mode)) return {0, refused};
  return {static_cast<std::uint64_t>(info.st_size), {}};
}

RegularFile OpenRegularFile(const std::filesystem::path& path) {
  RegularFile file;
  // The type is checked before the open, so that a device node is never
  // opened, and again on the descriptor, in case the path changed between.
  if (const RegularFileSize before = SizeOfRegularFile(path); before.error) {
    file.error = before.error;
    return file;
  }
  // O_NONBLOCK keeps a FIFO put in place after the check from blocking the open.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.Valid()) {
    file.error = SystemError();
    return file;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    file.error = SystemError();
    return file;
  }
  if (const std::error_code refused = RefusalOf(info.st_mode)) {
    file.error = refused;
    return file;
  }
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
  file.fd = std::move(fd);
  file.size = static_cast<std::uint64_t>(info.st_size);
  return file;
}

RegularFileBytes ReadRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes, BeyondCap beyond) {
  RegularFileBytes result;
  RegularFile file = OpenRegularFile(path);
  if (file.error) {
    result.error = file.error;
    return result;
  }
  if (file.size > maxBytes && beyond == BeyondCap::Refuse) {
    result.error = std::make_error_code(std::errc::file_too_large);
    return result;
  }
  // The file may grow while it is read: one byte past the cap tells.
  const std::uint64_t limit = maxBytes == UINT64_MAX ? maxBytes : maxBytes + 1;
  result.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file.size + 1, limit)));
  std::size_t filled = 0;
  for (;;) {
    if (filled == result.bytes.size()) {
      if (result.bytes.size() >= limit) break;
      result.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(result.bytes.size() * 2, limit)));
    }
    const ssize_t n = ::read(file.fd.Get(), result.bytes.data() + filled, result.bytes.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.error = SystemError();
      result.bytes.clear();
      return result;
    }
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  if (filled > maxBytes && beyond == BeyondCap::Cut) filled = static_cast<std::size_t>(maxBytes);
  if (filled > maxBytes) {
    result.error = std::make_error_code(std::errc::file_too_large);
    result.bytes.clear();
    return result;
  }
  result.bytes.resize(filled);
  return result;
}

}  // namespace platform
