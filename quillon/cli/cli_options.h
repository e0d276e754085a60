// The command line of quillon-cli:
//   quillon-cli [OPTIONS] COMMAND [ARGUMENTS...]   (options also after the command)
//   quillon-cli --help | --version
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
  // The engine's data as given (relative to the current directory); without
  // it, the workspace's fastt2p/ or the data installed with the program.
  std::optional<std::string> dataDirectory;
  bool help = false;     // with a command: that command's help
  bool version = false;
  bool quiet = false;    // no progress, only results and problems
  bool verbose = false;  // also the engine's own start-up messages
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
