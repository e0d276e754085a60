#include "phonwright/core/scratch_run_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace phonwright {
namespace {

bool WriteAllAt(int fd, std::string_view bytes) {
  off_t at = 0;
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), at);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
    at += written;
  }
  return true;
}

}  // namespace

ScratchRunFile::~ScratchRunFile() { Close(); }

bool ScratchRunFile::Write(std::string_view runs) {
  std::string line(runs);
  line.push_back('\n');
  if (!HoldsTheCurrentFile()) return Create(line);
  // Rewritten in place and cut to length, never truncated to zero first:
  // file systems that flush a file truncated and rewritten (ext4's
  // auto_da_alloc) would make every conversion wait for the disk.
  if (!WriteAllAt(fd_, line)) return false;
  if (line.size() < length_ && ::ftruncate(fd_, static_cast<off_t>(line.size())) != 0) return false;
  length_ = line.size();
  return true;
}

void ScratchRunFile::Remove() {
  Close();
  std::remove(kScratchRunFile);
}

bool ScratchRunFile::HoldsTheCurrentFile() const {
  if (fd_ < 0) return false;
  // The working directory may have changed, or someone removed the file.
  // Only the identity is asked for: a query of the time stamps would make
  // the file system give the next write a fresh fine-grained time stamp and
  // write the inode back every time, instead of once per clock tick.
  struct statx current {};
  return ::statx(AT_FDCWD, kScratchRunFile, 0, STATX_INO, &current) == 0 &&
         makedev(current.stx_dev_major, current.stx_dev_minor) == device_ && current.stx_ino == inode_;
}

bool ScratchRunFile::Create(std::string_view line) {
  Close();
  // A new file rather than a truncated one, for the same reason as above.
  std::remove(kScratchRunFile);
  const int fd = ::open(kScratchRunFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat created {};
  if (!WriteAllAt(fd, line) || ::fstat(fd, &created) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  device_ = created.st_dev;
  inode_ = created.st_ino;
  length_ = line.size();
  return true;
}

void ScratchRunFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace phonwright
