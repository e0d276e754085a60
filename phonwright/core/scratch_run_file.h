// The scratch file "tmp.txt" in the working directory: every conversion leaves
// its run string there (one line), for whoever inspects a conversion after the
// fact. The conversion itself works from the same text in memory, so a working
// directory that cannot be written changes no result.
#pragma once

#include <sys/types.h>

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

 private:
  // Whether "tmp.txt" of the working directory is still the file held open.
  bool HoldsTheCurrentFile() const;
  bool Create(std::string_view line);
  void Close();

  int fd_ = -1;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  std::size_t length_ = 0;  // bytes the held file holds
};

}  // namespace phonwright
