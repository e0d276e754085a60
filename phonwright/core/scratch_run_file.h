// The scratch file "tmp.txt" in the working directory: every conversion leaves
// its run string there (one line), for whoever inspects a conversion after the
// fact. The conversion itself works from the same text in memory, so a working
// directory that cannot be written changes no result.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace phonwright {

inline constexpr const char* kScratchRunFile = "tmp.txt";

// Keeps the file it last wrote open, so that the next conversion rewrites it
// in place instead of deleting and creating a file each time (which costs a
// file system far more than the conversion itself). Owned by the engine.
class ScratchRunFile {
 public:
  ScratchRunFile() = default;
  ScratchRunFile(const ScratchRunFile&) = delete;
  ScratchRunFile& operator=(const ScratchRunFile&) = delete;
  ~ScratchRunFile();

  // Leaves `runs` and a newline in "tmp.txt" of the current working
  // directory; false when it cannot be written.
  bool Write(std::string_view runs);
  // Deletes "tmp.txt" (the transition-unit conversions leave none behind).
  void Remove();
  // Unwatched (the default), every write first asks whether "tmp.txt" of the
  // working directory is still the file held open (the working directory may
  // have changed, or someone removed or replaced the file). Watched: only the
  // first write after this call asks; the caller watches "tmp.txt" (from
  // before this call) and calls this again whenever it may have changed.
  void RecheckFile(bool watched);

 private:
  // Whether "tmp.txt" of the working directory is still the file held open.
  bool HoldsTheCurrentFile() const;
  bool Create();
  bool Rewrite();
  // Whether the held file holds exactly `line_`.
  bool HoldsTheLine();
  void Close();

  int fd_ = -1;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  bool watched_ = false;
  bool checked_ = false;  // the held file was found to be "tmp.txt" since the last recheck
  std::string line_;     // the line of this conversion
  std::string written_;  // the line last written to the held file
  std::string read_back_;
};

}  // namespace phonwright
