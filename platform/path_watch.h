// Tells a conversion that the files it names by path have not changed since
// it last looked, without asking the file system about each path on every
// call: one read of an inotify queue and one look at the working directory.
//
// Arm() watches every directory along each path (for the entry of the next
// component, and for the directory itself being moved or removed) and the
// file at its end when it exists, in the working directory of that moment.
// Unchanged() is true until any of them reports a change, the kernel's queue
// overflows or the working directory is another one; the caller then checks
// the paths as it would without a watch and arms again. The watch is armed
// before the caller checks the paths, so a change made while it checks is
// reported next time rather than lost.
//
// Symbolic links along a path are followed as the kernel follows them, each
// directory of their targets watched too. Paths the watch cannot vouch for
// leave it unarmed (Unchanged() always false, so the caller checks every
// time): no inotify instance, more than kMaxLinks links or kMaxComponents
// names on the way, or a file system whose changes may come from another
// machine or layer and raise no event here (only local ones are trusted:
// ext2/3/4, XFS, Btrfs, tmpfs, F2FS). Mounts made over a watched directory
// are not seen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unique_fd.h"

namespace platform {

class PathWatch {
 public:
  enum class FileEvents {
    kIdentity,           // the file removed, moved, replaced or its attributes changed
    kIdentityAndContent  // also any write to it
  };

  struct WatchedPath {
    std::string_view path;
    FileEvents events;
  };

  // At most this many paths; names resolved along one path (those of link
  // targets included) and links followed on the way.
  static constexpr std::size_t kMaxPaths = 8;
  static constexpr std::size_t kMaxComponents = 128;
  static constexpr std::size_t kMaxLinks = 40;

  // Starts over with `paths` (relative ones against the working directory);
  // false when the watch stays unarmed.
  bool Arm(const std::vector<WatchedPath>& paths);
  void Disarm();
  // True while armed and nothing reported a change; a change disarms.
  bool Unchanged();

 private:
  // A watched directory and the entry name that matters there (empty: a
  // watched file, any event of which counts).
  struct Interest {
    int wd;
    std::string path;
    std::string name;
    std::uint32_t mask;
  };
  bool Drain();
  bool WatchPath(std::string_view path, FileEvents events);
  bool AddWatch(const std::string& path, std::uint32_t mask, std::string name);
  bool Concerns(int wd, std::uint32_t mask, std::string_view entry) const;

  platform::UniqueFd queue_;
  std::string working_directory_;
  std::vector<Interest> interests_;
  bool armed_ = false;
};

}  // namespace platform
