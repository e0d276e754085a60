// Where the pronunciation engine's data is for a run in the current directory.
#pragma once

#include <filesystem>
#include <string>

namespace quillon {

// "fastt2p/" when the workspace has one, else the data installed with the
// program (beside its build tree's bin folder, or under its installation's
// share folder), else "fastt2p/" all the same.
std::string EngineDataDirectory(const std::filesystem::path& programDirectory);

}  // namespace quillon
