// The two forms `quillon-cli check` prints its findings in: text for people,
// JSON (--json) for scripts. Chinese text is printed as UTF-8. The forms are
// described in CheckHelpText (quillon-cli check --help); scripts rely on them.
#pragma once

#include <filesystem>
#include <ostream>

#include "quillon/cli/workspace_check.h"

namespace quillon::cli {

// Command files are named relative to `base` (the directory the tool was
// started in) when they are inside it, else by their absolute path.
void PrintCheckText(const WorkspaceCheck& check, const std::filesystem::path& base, std::ostream& out);
void PrintCheckJson(const WorkspaceCheck& check, std::ostream& out);

}  // namespace quillon::cli
