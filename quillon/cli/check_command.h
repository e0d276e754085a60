// quillon-cli check [--json]: every configured command file with its
// sentences, their phones, units and unit bytes, or what refuses it; exits 0
// only when the whole download image would build.
#pragma once

#include "quillon/cli/cli_command.h"

namespace quillon::cli {

CliCommand CheckCommand();

}  // namespace quillon::cli
