#include "phonwright/core/scratch_run_file.h"

#include <cstdio>

namespace phonwright {

bool WriteScratchRunFile(std::string_view runs) {
  // A new file rather than a truncated one: file systems that flush a file
  // rewritten in place (ext4's auto_da_alloc) would make every conversion
  // wait for the disk.
  std::remove(kScratchRunFile);
  std::FILE* file = std::fopen(kScratchRunFile, "w");
  if (file == nullptr) return false;
  const bool written = std::fwrite(runs.data(), 1, runs.size(), file) == runs.size() &&
                       std::fputc('\n', file) != EOF;
  return std::fclose(file) == 0 && written;
}

void RemoveScratchRunFile() { std::remove(kScratchRunFile); }

}  // namespace phonwright
