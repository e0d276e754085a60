#include "platform/path_watch.h"

#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

namespace platform {

namespace {

// Changes of a directory's entries, its attributes (permissions decide
// whether a path resolves) and the directory itself going away.
constexpr std::uint32_t kDirectoryEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// A rename over the file or its removal changes its link count: IN_ATTRIB.
constexpr std::uint32_t kIdentityEvents = IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
constexpr std::uint32_t kContentEvents = IN_MODIFY | IN_CLOSE_WRITE;
// Matches no entry name (names hold no '/'), for a directory of which only its
// own events count.
constexpr const char* kNoEntry = "/";
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
  // One queue for the watch's life: closing an inotify instance waits for the
  // kernel's grace period (milliseconds), removing a watch does not.
  if (!queue_.Valid()) queue_ = platform::UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (!queue_.Valid() || !Drain() || !ReadWorkingDirectory(working_directory_)) return false;
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
  for (const Interest& interest : interests_) ::inotify_rm_watch(queue_.Get(), interest.wd);  // repeats fail harmlessly
  interests_.clear();
  armed_ = false;
}

// Reads the queue empty: what the watches removed before reported (their
// IN_IGNORED included) concerns nothing any more.
bool PathWatch::Drain() {
  alignas(inotify_event) std::array<char, 4096> buffer;
  for (;;) {
    const ssize_t length = ::read(queue_.Get(), buffer.data(), buffer.size());
    if (length > 0 || (length < 0 && errno == EINTR)) continue;
    return length < 0 && errno == EAGAIN;
  }
}

namespace {

// The names of `path` in order, pushed so that the first is taken first.
void PushNames(std::string_view path, std::vector<std::string>& pending) {
  std::vector<std::string> names;
  for (std::size_t pos = 0; pos <= path.size();) {
    std::size_t end = path.find('/', pos);
    if (end == std::string_view::npos) end = path.size();
    if (end > pos && path.substr(pos, end - pos) != ".") names.emplace_back(path.substr(pos, end - pos));
    pos = end + 1;
  }
  pending.insert(pending.end(), names.rbegin(), names.rend());
}

std::string Joined(const std::string& directory, std::string_view name) {
  std::string path = directory == "." ? "" : directory == "/" ? "/" : directory + "/";
  path += name;
  return path;
}

// The directory above `directory`, a path of real directories (links already
// followed), as a path: "." gives "..", "a/b" gives "a", "/a" gives "/".
std::string Parent(const std::string& directory) {
  if (directory == "/") return directory;
  if (directory == ".") return "..";
  const std::size_t slash = directory.rfind('/');
  const std::string_view last = slash == std::string::npos ? directory : std::string_view(directory).substr(slash + 1);
  if (last == "..") return directory + "/..";
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : directory.substr(0, slash);
}

}  // namespace

// Resolves the path as the kernel does, with a watch on each directory before
// its entry is looked at: for that entry, and for the directory itself being
// moved or removed. A symbolic link is followed into its target (the link's
// own entry is watched in its directory); ".." watches the directory it
// leaves, whose place decides where it leads. The walk ends at the first entry
// missing: its creation is an event of the directory before it.
bool PathWatch::WatchPath(std::string_view path, FileEvents events) {
  if (path.empty()) return false;
  std::vector<std::string> pending;  // names still to resolve, the next one last
  PushNames(path, pending);
  if (pending.empty()) return false;
  std::string at = path.front() == '/' ? "/" : ".";
  std::size_t steps = 0;
  std::size_t links = 0;
  while (!pending.empty()) {
    const std::string name = std::move(pending.back());
    pending.pop_back();
    if (++steps > kMaxComponents) return false;
    if (name == "..") {
      if (!AddWatch(at, kDirectoryEvents | IN_ONLYDIR, kNoEntry)) return false;
      at = Parent(at);
      continue;
    }
    if (!AddWatch(at, kDirectoryEvents | IN_ONLYDIR, name)) return false;
    std::string next = Joined(at, name);
    struct stat info {};
    if (::lstat(next.c_str(), &info) != 0) return true;
    if (S_ISLNK(info.st_mode)) {
      std::array<char, PATH_MAX> target;  // filled by readlink
      const ssize_t length = ::readlink(next.c_str(), target.data(), target.size());
      if (length <= 0 || static_cast<std::size_t>(length) == target.size() || ++links > kMaxLinks) return false;
      const std::string_view link(target.data(), static_cast<std::size_t>(length));
      if (link.front() == '/') at = "/";
      PushNames(link, pending);
      continue;
    }
    if (pending.empty()) {
      const std::uint32_t content = events == FileEvents::kIdentityAndContent ? kContentEvents : 0;
      return AddWatch(next, kIdentityEvents | content, "");
    }
    if (!S_ISDIR(info.st_mode)) return true;  // resolves to nothing until this entry changes
    at = std::move(next);
  }
  return true;
}

bool PathWatch::AddWatch(const std::string& path, std::uint32_t mask, std::string name) {
  // The paths of both languages share their directories: each is watched once.
  for (const Interest& interest : interests_)
    if (interest.path == path && interest.name == name && interest.mask == mask) return true;
  if (!IsLocalFileSystem(path)) return false;
  const int wd = ::inotify_add_watch(queue_.Get(), path.c_str(), mask | IN_MASK_ADD);
  if (wd < 0) return false;
  interests_.push_back({wd, path, std::move(name), mask});
  return true;
}

bool PathWatch::Concerns(int wd, std::uint32_t mask, std::string_view entry) const {
  for (const Interest& interest : interests_) {
    if (interest.wd != wd) continue;
    // A watched file: every event asked for counts. A directory: events of
    // the directory itself, and those of the one entry on the path (none for
    // kNoEntry).
    const std::string& name = interest.name;
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

}  // namespace platform
