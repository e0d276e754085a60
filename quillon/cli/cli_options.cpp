#include "quillon/cli/cli_options.h"

#include <algorithm>
#include <array>

#include "platform/command_line.h"
#include "quillon/cli/cli_command.h"
#include "quillon/cli/command_table.h"

namespace quillon::cli {
namespace {

constexpr std::array kGlobalOptions = {
    platform::OptionSpec{"--workspace", "", true},
    platform::OptionSpec{"--data", "", true},
    platform::kHelpOption,
    platform::kVersionOption,
    platform::kQuietOption,
    platform::kVerboseOption,
};

constexpr std::string_view kSynopsis = "quillon-cli [--workspace DIR] [--data DIR] [-q|-v]";

}  // namespace

ParsedOptions ParseOptions(std::span<const std::string> arguments) {
  ParsedOptions parsed;
  // Global options may come before or after the command; the command's own
  // options stay among its arguments.
  const platform::ParsedCommandLine line =
      platform::ParseCommandLine(arguments, kGlobalOptions, platform::UnknownOptions::PassThrough);
  if (!line.error.empty()) {
    parsed.error = line.error;
    return parsed;
  }
  CliOptions options;
  options.workspace = line.Value("--workspace");
  options.dataDirectory = line.Value("--data");
  options.help = line.Has("--help");
  options.version = line.Has("--version");
  options.quiet = line.Has("--quiet");
  options.verbose = line.Has("--verbose");
  if (options.quiet && options.verbose) {
    parsed.error = "--quiet and --verbose exclude each other";
    return parsed;
  }
  const bool noCommand = line.arguments.empty() || line.arguments.front() == "--";
  // --help with no command, or with words it does not know, is the general help.
  if (noCommand || (options.help && FindCommand(line.arguments.front()) == nullptr)) {
    if (!options.help && !options.version) {
      parsed.error = "no command given";
      return parsed;
    }
    parsed.options = std::move(options);
    return parsed;
  }
  options.command = line.arguments.front();
  if (options.command.starts_with("-")) {
    parsed.error = "unknown option " + options.command.substr(0, options.command.find('='));
    return parsed;
  }
  if (FindCommand(options.command) == nullptr) {
    parsed.error = "unknown command " + options.command;
    return parsed;
  }
  options.arguments.assign(line.arguments.begin() + 1, line.arguments.end());
  parsed.options = std::move(options);
  return parsed;
}

std::string UsageText() {
  std::string text =
      "Usage: " + std::string(kSynopsis) +
      " COMMAND [ARGUMENTS...]\n"
      "\n"
      "Works on the workspace's settings files (Configure.ini and the recipe).\n"
      "\n"
      "Options (before or after the command; --name=value works too):\n"
      "  --workspace DIR  the workspace (default: the current directory)\n"
      "  --data DIR       the pronunciation data directory, absolute or relative to\n"
      "                   the current directory (default: the workspace's fastt2p/,\n"
      "                   else fastt2p/ or share/phonwright/fastt2p/ beside the\n"
      "                   program's bin/ folder)\n"
      "  -q, --quiet      print only results and problems, no progress\n"
      "  -v, --verbose    also print the pronunciation engine's start-up messages\n"
      "  -h, --help       this text (COMMAND --help: that command's)\n"
      "  --version        the version\n"
      "\n"
      "Commands:\n";
  for (const CliCommand& command : Commands()) {
    std::string synopsis = "  " + std::string(command.name);
    if (!command.arguments.empty()) synopsis += " " + std::string(command.arguments);
    if (synopsis.size() < 24) synopsis.resize(24, ' ');
    else synopsis += "\n" + std::string(24, ' ');
    text += synopsis + std::string(command.summary) + "\n";
  }
  text +=
      "\n"
      "Exit codes: 0 done (check: everything would download), 1 refused or failed,\n"
      "2 usage error. quillon-cli COMMAND --help describes one command.\n";
  return text;
}

std::string CommandUsageText(const CliCommand& command) {
  std::string text = "Usage: " + std::string(kSynopsis) + " " + std::string(command.name);
  if (!command.arguments.empty()) text += " " + std::string(command.arguments);
  std::string summary(command.summary);
  if (!summary.empty() && summary[0] >= 'a' && summary[0] <= 'z') summary[0] = static_cast<char>(summary[0] - 'a' + 'A');
  text += "\n\n" + summary + ".\n";
  if (!command.help.empty()) text += "\n" + std::string(command.help);
  return text;
}

}  // namespace quillon::cli
