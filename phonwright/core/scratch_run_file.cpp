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
  line_.assign(runs).push_back('\n');
  if (!checked_) {
    // A watch sees Create's own removal and creation too, so the write after
    // a creation checks once more.
    if (!HoldsTheCurrentFile()) return Create();
    checked_ = watched_;
  }
  return Rewrite();
}

void ScratchRunFile::RecheckFile(bool watched) {
  watched_ = watched;
  checked_ = false;
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

bool ScratchRunFile::Create() {
  Close();
  // A new file rather than one truncated to zero (see Rewrite).
  std::remove(kScratchRunFile);
  const int fd = ::open(kScratchRunFile, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat created {};
  if (!WriteAllAt(fd, line_) || ::fstat(fd, &created) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  device_ = created.st_dev;
  inode_ = created.st_ino;
  written_.swap(line_);
  return true;
}

// Rewritten in place and cut to length, never truncated to zero first: file
// systems that flush a file truncated and rewritten (ext4's auto_da_alloc)
// would make every conversion wait for the disk. The length is the file's own,
// not the one last written: another program may have written to it.
bool ScratchRunFile::Rewrite() {
  if (line_ == written_ && HoldsTheLine()) return true;
  written_.clear();
  const off_t size = ::lseek(fd_, 0, SEEK_END);
  if (size < 0 || !WriteAllAt(fd_, line_)) return false;
  if (static_cast<std::size_t>(size) > line_.size() && ::ftruncate(fd_, static_cast<off_t>(line_.size())) != 0)
    return false;
  written_.swap(line_);
  return true;
}

bool ScratchRunFile::HoldsTheLine() {
  read_back_.resize(line_.size() + 1);
  ssize_t got = 0;
  do {
    got = ::pread(fd_, read_back_.data(), read_back_.size(), 0);
  } while (got < 0 && errno == EINTR);
  return got == static_cast<ssize_t>(line_.size()) && read_back_.compare(0, line_.size(), line_) == 0;
}

void ScratchRunFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  checked_ = false;
}

}  // namespace phonwright
