#include "quillon/cli/cli_options.h"

#include <algorithm>

#include "quillon/cli/cli_command.h"
#include "quillon/cli/command_table.h"

namespace quillon::cli {

ParsedOptions ParseOptions(std::span<const std::string> arguments) {
  ParsedOptions parsed;
  CliOptions options;
  std::size_t i = 0;
  for (; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      parsed.options = options;
      return parsed;
    }
    if (argument == "--workspace" || argument == "--data") {
      if (i + 1 >= arguments.size()) {
        parsed.error = argument + " needs a directory";
        return parsed;
      }
      if (argument == "--workspace") options.workspace = arguments[++i];
      else options.dataDirectory = arguments[++i];
      continue;
    }
    if (argument.starts_with("-")) {
      parsed.error = "unknown option " + argument;
      return parsed;
    }
    break;
  }
  if (i >= arguments.size()) {
    parsed.error = "no command given";
    return parsed;
  }
  options.command = arguments[i];
  if (FindCommand(options.command) == nullptr) {
    parsed.error = "unknown command " + options.command;
    return parsed;
  }
  options.arguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
  options.help = std::any_of(options.arguments.begin(), options.arguments.end(),
                             [](const std::string& argument) { return argument == "--help" || argument == "-h"; });
  parsed.options = std::move(options);
  return parsed;
}

std::string UsageText() {
  std::string text =
      "Usage: quillon-cli [--workspace DIR] [--data DIR] COMMAND [ARGUMENTS...]\n"
      "\n"
      "Works on the workspace's settings files (Configure.ini and the recipe).\n"
      "\n"
      "Options:\n"
      "  --workspace DIR  the workspace (default: the current directory)\n"
      "  --data DIR       the pronunciation data directory, relative to the workspace\n"
      "                   (default: fastt2p/)\n"
      "  --help           this text\n"
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
  std::string text = "Usage: quillon-cli [--workspace DIR] [--data DIR] " + std::string(command.name);
  if (!command.arguments.empty()) text += " " + std::string(command.arguments);
  std::string summary(command.summary);
  if (!summary.empty() && summary[0] >= 'a' && summary[0] <= 'z') summary[0] = static_cast<char>(summary[0] - 'a' + 'A');
  text += "\n\n" + summary + ".\n";
  if (!command.help.empty()) text += "\n" + std::string(command.help);
  return text;
}

}  // namespace quillon::cli
