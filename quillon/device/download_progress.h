// Progress of the flash download, for displays that show real progress
// (quillon-cli). Called on the download worker thread.
#pragma once

#include <cstddef>

namespace quillon::device {

enum class DownloadPhase { Erase, Write, Verify };

class DownloadProgress {
 public:
  virtual ~DownloadProgress() = default;
  // `done` of `total` bytes of the current phase are finished.
  virtual void OnProgress(DownloadPhase phase, std::size_t done, std::size_t total) = 0;
};

}  // namespace quillon::device
