#include "quillon/cli/command_table.h"

#include <array>

#include "quillon/cli/build_image_command.h"
#include "quillon/cli/check_command.h"
#include "quillon/cli/download_command.h"

namespace quillon::cli {

std::span<const CliCommand> Commands() {
  static const std::array commands = {
      CheckCommand(),
      BuildImageCommand(),
      DownloadCommand(),
  };
  return commands;
}

const CliCommand* FindCommand(std::string_view name) {
  for (const CliCommand& command : Commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

}  // namespace quillon::cli
