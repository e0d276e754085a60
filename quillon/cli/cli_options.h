// The command line of quillon-cli:
//   quillon-cli [--workspace DIR] [--data DIR] COMMAND [ARGUMENTS...]
//   quillon-cli --help
//   quillon-cli COMMAND --help
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillon::cli {

struct CliCommand;

struct CliOptions {
  std::optional<std::filesystem::path> workspace;  // default: the current directory
  std::string dataDirectory = "fastt2p/";          // the engine's data, relative to the workspace
  bool help = false;    // with a command: that command's help
  std::string command;
  std::vector<std::string> arguments;
};

struct ParsedOptions {
  std::optional<CliOptions> options;
  std::string error;  // why the command line was not understood
};

ParsedOptions ParseOptions(std::span<const std::string> arguments);

// The text of --help: the options, every command and the exit codes.
std::string UsageText();

// The text of COMMAND --help: its synopsis, summary and help.
std::string CommandUsageText(const CliCommand& command);

}  // namespace quillon::cli
