#include "quillon/app/engine_data_directory.h"

#include "platform/command_line.h"

namespace quillon {

// Every program finds its data the same way.
std::string EngineDataDirectory(const std::filesystem::path& programDirectory) {
  return platform::FindDataDirectory(programDirectory);
}

}  // namespace quillon
