#include "phonwright/core/path_watch.h"

#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>

namespace phonwright {

namespace {

// Changes of a directory's entries, its attributes (permissions decide
// whether a path resolves) and the directory itself going away.
constexpr std::uint32_t kDirectoryEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// A rename over the file or its removal changes its link count: IN_ATTRIB.
constexpr std::uint32_t kIdentityEvents = IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
constexpr std::uint32_t kContentEvents = IN_MODIFY | IN_CLOSE_WRITE;
// Events about the watched object itself rather than one of its entries.
constexpr std::uint32_t kSelfEvents = IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

// File systems whose every change passes through this kernel, so that
// inotify sees it.
bool IsLocalFileSystem(const std::string& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) return false;
  constexpr std::array<decltype(info.f_type), 5> kLocal = {EXT4_SUPER_MAGIC, XFS_SUPER_MAGIC, BTRFS_SUPER_MAGIC,
                                                           TMPFS_MAGIC, F2FS_SUPER_MAGIC};
  for (const auto type : kLocal)
    if (info.f_type == type) return true;
  return false;
}

// getcwd is the cheapest way to learn that a chdir happened; a directory
// moved or replaced under the same name is a watch event.
bool ReadWorkingDirectory(std::string& out) {
  std::array<char, PATH_MAX> buffer;  // filled by getcwd
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return false;
  out.assign(buffer.data());
  return true;
}

bool IsWorkingDirectory(const std::string& expected) {
  std::array<char, PATH_MAX> buffer;  // filled by getcwd
  return ::getcwd(buffer.data(), buffer.size()) != nullptr && expected == buffer.data();
}

}  // namespace

bool PathWatch::Arm(const std::vector<WatchedPath>& paths) {
  Disarm();
  if (paths.empty() || paths.size() > kMaxPaths) return false;
  queue_ = platform::UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (!queue_.Valid() || !ReadWorkingDirectory(working_directory_)) {
    Disarm();
    return false;
  }
  for (const auto& [path, events] : paths) {
    if (!WatchPath(path, events)) {
      Disarm();
      return false;
    }
  }
  armed_ = true;
  return true;
}

void PathWatch::Disarm() {
  queue_.Reset();
  interests_.clear();
  armed_ = false;
}

// Walks the path as the kernel resolves it, a watch on each directory before
// its entry is looked at; the walk ends at the first entry missing (its
// creation is an event of the directory before it).
bool PathWatch::WatchPath(std::string_view path, FileEvents events) {
  std::vector<std::string_view> names;
  for (std::size_t pos = 0; pos <= path.size();) {
    std::size_t end = path.find('/', pos);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view name = path.substr(pos, end - pos);
    pos = end + 1;
    if (name.empty() || name == ".") continue;
    if (name == ".." || names.size() == kMaxComponents) return false;
    names.push_back(name);
  }
  if (names.empty()) return false;
  std::string at = path.front() == '/' ? "/" : ".";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!AddWatch(at, kDirectoryEvents | IN_ONLYDIR, std::string(names[i]))) return false;
    std::string next = at == "." ? "" : at == "/" ? "/" : at + "/";
    next += names[i];
    struct stat info {};
    if (::lstat(next.c_str(), &info) != 0) return true;
    if (S_ISLNK(info.st_mode)) return false;
    if (i + 1 == names.size()) {
      const std::uint32_t content = events == FileEvents::kIdentityAndContent ? kContentEvents : 0;
      return AddWatch(next, kIdentityEvents | content, "");
    }
    if (!S_ISDIR(info.st_mode)) return true;  // resolves to nothing until this entry changes
    at = std::move(next);
  }
  return true;
}

bool PathWatch::AddWatch(const std::string& path, std::uint32_t mask, std::string name) {
  if (!IsLocalFileSystem(path)) return false;
  const int wd = ::inotify_add_watch(queue_.Get(), path.c_str(), mask | IN_MASK_ADD);
  if (wd < 0) return false;
  interests_.emplace_back(wd, std::move(name));
  return true;
}

bool PathWatch::Concerns(int wd, std::uint32_t mask, std::string_view entry) const {
  for (const auto& [watched, name] : interests_) {
    if (watched != wd) continue;
    // A watched file: every event asked for counts. A directory: events of
    // the directory itself, and those of the one entry on the path.
    if (name.empty() || entry == name || (entry.empty() && (mask & kSelfEvents) != 0)) return true;
  }
  return false;
}

bool PathWatch::Unchanged() {
  if (!armed_) return false;
  alignas(inotify_event) std::array<char, 4096> buffer;
  for (;;) {
    const ssize_t length = ::read(queue_.Get(), buffer.data(), buffer.size());
    if (length < 0 && errno == EINTR) continue;
    if (length < 0 && errno == EAGAIN) break;
    if (length <= 0) {
      Disarm();
      return false;
    }
    for (std::size_t offset = 0; offset < static_cast<std::size_t>(length);) {
      inotify_event event;
      std::memcpy(&event, buffer.data() + offset, sizeof event);
      const char* name = buffer.data() + offset + sizeof event;
      offset += sizeof event + event.len;
      const std::string_view entry = event.len > 0 ? std::string_view(name, ::strnlen(name, event.len)) : "";
      if ((event.mask & IN_Q_OVERFLOW) != 0 || Concerns(event.wd, event.mask, entry)) {
        Disarm();
        return false;
      }
    }
  }
  if (!IsWorkingDirectory(working_directory_)) {
    Disarm();
    return false;
  }
  return true;
}

}  // namespace phonwright
