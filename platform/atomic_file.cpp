#include "platform/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>
#include <string>

#include "platform/regular_file.h"
#include "platform/unique_fd.h"

namespace platform {
namespace {

constexpr int kMaxSymbolicLinks = 40;  // as the kernel's own limit
constexpr int kMaxSiblingAttempts = 1000;

std::error_code SystemError() { return {errno, std::generic_category()}; }

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

// `path` with its symbolic links followed; a link to a missing file names the
// file it would create.
std::error_code ResolveWriteTarget(const std::filesystem::path& path, std::filesystem::path& target) {
  target = path;
  for (int links = 0;; ++links) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) {
      if (errno == ENOENT) return {};
      return SystemError();
    }
    if (!S_ISLNK(info.st_mode)) return {};
    if (links == kMaxSymbolicLinks) return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    std::string link(static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) + 256, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length < 0) return SystemError();
    link.resize(static_cast<std::size_t>(length));
    const std::filesystem::path next(link);
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The process id in a sibling's name ".NAME.tmp-PID" or ".NAME.tmp-PID-N".
std::optional<pid_t> WriterOf(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return std::nullopt;
  name.remove_prefix(prefix.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || pid <= 0) return std::nullopt;
  const std::string_view rest(end, static_cast<std::size_t>(name.data() + name.size() - end));
  if (!rest.empty() && (rest.front() != '-' || rest.size() == 1 ||
                        !std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }))) {
    return std::nullopt;
  }
  return pid;
}

std::string SiblingPrefix(const std::filesystem::path& target) {
  return "." + target.filename().string() + ".tmp-";
}

// Removes the siblings of `target` whose writer no longer runs.
void RemoveStaleSiblings(const std::filesystem::path& target) {
  const std::string prefix = SiblingPrefix(target);
  std::error_code error;
  for (std::filesystem::directory_iterator entry(FolderOf(target), error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    const std::optional<pid_t> writer = WriterOf(name, prefix);
    if (!writer || *writer == ::getpid()) continue;
    if (::kill(*writer, 0) != 0 && errno == ESRCH) ::unlink(entry->path().c_str());
  }
}

// A new, exclusively created sibling of `target`.
std::error_code CreateSibling(const std::filesystem::path& target, std::filesystem::path& sibling, UniqueFd& fd) {
  const std::string prefix = SiblingPrefix(target) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kMaxSiblingAttempts; ++attempt) {
    sibling = FolderOf(target) / (prefix + std::to_string(attempt));
    fd = UniqueFd(::open(sibling.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.Valid()) return {};
    if (errno != EEXIST) return SystemError();
  }
  return std::make_error_code(std::errc::file_exists);
}

void SyncFolder(const std::filesystem::path& folder) {
  const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) ::fsync(fd.Get());  // some file systems cannot sync a folder; the rename stands
}

std::error_code OverwriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
  const UniqueFd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.Valid()) return SystemError();
  if (!WriteAll(fd.Get(), bytes) || ::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0 ||
      ::fsync(fd.Get()) != 0) {
    return SystemError();
  }
  return {};
}

}  // namespace

AtomicFileGroup::~AtomicFileGroup() {
  for (const Staged& file : staged_) ::unlink(file.sibling.c_str());
}

std::error_code AtomicFileGroup::Stage(const std::filesystem::path& path, std::string_view bytes) {
  Staged file;
  if (const std::error_code error = ResolveWriteTarget(path, file.target)) return error;
  struct stat existing {};
  const bool exists = ::stat(file.target.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) return SystemError();
  if (exists && !S_ISREG(existing.st_mode)) {
    return S_ISDIR(existing.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                     : make_error_code(FileRefusal::NotRegularFile);
  }
  RemoveStaleSiblings(file.target);

  UniqueFd fd;
  if (const std::error_code error = CreateSibling(file.target, file.sibling, fd)) return error;
  std::error_code error;
  if (!WriteAll(fd.Get(), bytes)) error = SystemError();
  if (!error && exists) {
    // The owner first: changing it may clear set-id bits that the mode restores.
    [[maybe_unused]] const int owned = ::fchown(fd.Get(), existing.st_uid, existing.st_gid);
    if (::fchmod(fd.Get(), existing.st_mode & 07777) != 0) error = SystemError();
  }
  if (!error && ::fsync(fd.Get()) != 0) error = SystemError();
  fd.Reset();
  if (error) {
    ::unlink(file.sibling.c_str());
    return error;
  }
  if (exists && existing.st_nlink > 1) {
    file.inPlace = true;
    file.inPlaceBytes.assign(bytes);
  }
  staged_.push_back(std::move(file));
  return {};
}

void AtomicFileGroup::StageRemoval(const std::filesystem::path& path) { removals_.push_back(path); }

std::error_code AtomicFileGroup::Commit() {
  std::vector<std::filesystem::path> folders;
  const auto noteFolder = [&folders](const std::filesystem::path& file) {
    const std::filesystem::path folder = FolderOf(file);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  };
  std::error_code error;
  while (!staged_.empty() && !error) {
    Staged& file = staged_.front();
    if (file.inPlace) {
      error = OverwriteInPlace(file.target, file.inPlaceBytes);
      if (error) {
        staged_.erase(staged_.begin());  // the target may be cut: its new content stays in the sibling
        break;
      }
      ::unlink(file.sibling.c_str());
    } else if (::rename(file.sibling.c_str(), file.target.c_str()) != 0) {
      error = SystemError();
    }
    if (error) break;  // the sibling stays staged: the destructor removes it
    noteFolder(file.target);
    staged_.erase(staged_.begin());
  }
  if (!error) {
    for (const std::filesystem::path& removal : removals_) {
      if (::unlink(removal.c_str()) != 0 && errno != ENOENT) {
        error = SystemError();
        break;
      }
      noteFolder(removal);
    }
    removals_.clear();
  }
  for (const std::filesystem::path& folder : folders) SyncFolder(folder);
  return error;
}

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  AtomicFileGroup group;
  if (const std::error_code error = group.Stage(path, bytes)) return error;
  return group.Commit();
}

}  // namespace platform
