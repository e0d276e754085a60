#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace platform {

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path sibling =
      path.parent_path() / ("." + path.filename().string() + ".tmp-" + std::to_string(::getpid()));
  const int fd = ::open(sibling.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return {errno, std::generic_category()};
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const std::error_code error(errno, std::generic_category());
      ::close(fd);
      ::unlink(sibling.c_str());
      return error;
    }
    written += static_cast<std::size_t>(n);
  }
  // No fsync: the rename protects against an interrupted process, and settings
  // files are written key by key, so a sync per write would dominate.
  if (::close(fd) != 0) {
    const std::error_code error(errno, std::generic_category());
    ::unlink(sibling.c_str());
    return error;
  }
  if (::rename(sibling.c_str(), path.c_str()) != 0) {
    const std::error_code error(errno, std::generic_category());
    ::unlink(sibling.c_str());
    return error;
  }
  return {};
}

}  // namespace platform
