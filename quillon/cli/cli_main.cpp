#include "quillon/cli/cli_main.h"

#include <optional>
#include <system_error>

#include "platform/command_line.h"
#include "platform/system_locale.h"
#include "quillon/cli/cli_options.h"
#include "quillon/cli/command_table.h"
#include "quillon/cli/exit_codes.h"

namespace quillon::cli {
int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err, EngineProvider& engine) {
  const ParsedOptions parsed = ParseOptions(arguments);
  if (!parsed.options) {
    err << "quillon-cli: " << parsed.error << "\n\n" << UsageText();
    return kExitUsage;
  }
  const CliOptions& options = *parsed.options;
  if (options.version) {
    out << platform::VersionText("quillon-cli");
    return kExitOk;
  }
  if (options.help) {
    out << (options.command.empty() ? UsageText() : CommandUsageText(*FindCommand(options.command)));
    return kExitOk;
  }
  std::error_code ignored;
  const std::filesystem::path invocationDirectory = std::filesystem::current_path(ignored);
  // A --data argument names a folder from where the tool was started.
  const std::string dataDirectory = options.dataDirectory
                                        ? platform::DataDirectoryArgument(invocationDirectory, *options.dataDirectory)
                                        : std::string();
  if (options.workspace) {
    std::error_code error;
    std::filesystem::current_path(*options.workspace, error);
    if (error) {
      err << "quillon-cli: cannot enter the workspace " << options.workspace->string() << ": " << error.message()
          << "\n";
      return kExitRefused;
    }
  }
  const std::optional<WorkingDirectory> workspace = WorkingDirectory::Capture();
  if (!workspace) {
    err << "quillon-cli: the workspace's path cannot be used (longer than "
        << WorkingDirectory::kMaxLength << " characters?)\n";
    return kExitRefused;
  }
  const std::string engineData =
      options.dataDirectory ? dataDirectory : platform::FindDataDirectory(platform::ProgramDirectory());
  engine.ShowEngineMessages(options.verbose);
  CliContext context{
      *workspace,
      invocationDirectory,
      platform::CurrentSystemLocale().languageId,
      out,
      err,
      [&] { return engine.Converter(engineData, err); },
      [&] { return engine.Notes(engineData, err); },
      options.quiet,
  };
  return FindCommand(options.command)->run(context, options.arguments);
}

}  // namespace quillon::cli
