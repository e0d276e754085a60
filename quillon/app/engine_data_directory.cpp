#include "quillon/app/engine_data_directory.h"

#include <array>
#include <system_error>

namespace quillon {

std::string EngineDataDirectory(const std::filesystem::path& programDirectory) {
  const std::string workspaceData = "fastt2p/";
  std::error_code error;
  if (std::filesystem::is_directory(workspaceData, error) || programDirectory.empty()) {
    return workspaceData;
  }
  const std::array candidates = {programDirectory / ".." / "fastt2p",
                                 programDirectory / ".." / "share" / "phonwright" / "fastt2p"};
  for (const std::filesystem::path& candidate : candidates) {
    if (std::filesystem::is_directory(candidate, error)) {
      return std::filesystem::weakly_canonical(candidate, error).string() + "/";
    }
  }
  return workspaceData;
}

}  // namespace quillon
