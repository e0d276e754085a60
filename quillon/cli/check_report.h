// The two forms `quillon-cli check` prints its findings in: text for people,
// JSON (--json) for scripts. Chinese text is printed as UTF-8.
#pragma once

#include <ostream>

#include "quillon/cli/workspace_check.h"

namespace quillon::cli {

void PrintCheckText(const WorkspaceCheck& check, std::ostream& out);
void PrintCheckJson(const WorkspaceCheck& check, std::ostream& out);

}  // namespace quillon::cli
