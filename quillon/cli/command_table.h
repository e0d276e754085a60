// Every command of quillon-cli, in the order --help lists them.
#pragma once

#include <span>
#include <string_view>

#include "quillon/cli/cli_command.h"

namespace quillon::cli {

std::span<const CliCommand> Commands();
const CliCommand* FindCommand(std::string_view name);

}  // namespace quillon::cli
