// Replacing files so that an interrupted or failed write never loses them.
//
// - The new content goes to a sibling ".NAME.tmp-PID-N" (created exclusively,
//   so writers never share one), is synced, and is renamed over the target;
//   the folder is synced after the rename, so the new name survives a crash.
// - A symbolic link is followed: the file it names is replaced and the link
//   stays a link.
// - An existing file keeps its permission bits, and its owner and group as far
//   as the writer may set them. A new file gets 0666 less the umask.
// - A file with more than one hard link keeps its links: once the complete new
//   content is synced in the sibling, the file is overwritten in place and the
//   sibling removed (an interruption of that step leaves the whole new content
//   in the sibling). Replacing it by a rename would give only one of its names
//   the new content.
// - Siblings left by writers that were killed before their rename (their
//   process is gone) are removed by the next write of the same target.
// - Anything at the target other than a regular file (a directory, FIFO,
//   device or socket) is refused and left alone.
//
// Several files that belong together (an image and the user image beside it)
// are staged one by one and committed together: every new content is complete
// on disk before the first rename, and nothing is replaced when any of them
// could not be staged.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {

class AtomicFileGroup {
 public:
  AtomicFileGroup() = default;
  AtomicFileGroup(const AtomicFileGroup&) = delete;
  AtomicFileGroup& operator=(const AtomicFileGroup&) = delete;
  // Removes the siblings of every file staged but not committed.
  ~AtomicFileGroup();

  // Writes `bytes` completely to a synced sibling of `path`. Fails (changing
  // nothing at `path`) when the folder is missing or not writable, or when
  // `path` is not a regular file.
  std::error_code Stage(const std::filesystem::path& path, std::string_view bytes);
  // Makes Commit remove the file at `path`, when there is one.
  void StageRemoval(const std::filesystem::path& path);

  // Puts every staged file in place and removes the staged removals. Returns
  // the first error; the files before it are in place.
  std::error_code Commit();

 private:
  struct Staged {
    std::filesystem::path target;   // the file replaced (symbolic links followed)
    std::filesystem::path sibling;  // its new content
    std::string inPlaceBytes;       // the content again, for a file with hard links
    bool inPlace = false;
  };
  std::vector<Staged> staged_;
  std::vector<std::filesystem::path> removals_;
};

// Writes `bytes` to `path` atomically: a group of one file.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform
