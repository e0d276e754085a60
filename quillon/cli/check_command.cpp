#include "quillon/cli/check_command.h"

#include "quillon/cli/check_report.h"
#include "quillon/cli/exit_codes.h"
#include "quillon/cli/workspace_check.h"
#include "quillon/recognition/download_settings.h"

namespace quillon::cli {
namespace {

int RunCheck(CliContext& context, std::span<const std::string> arguments) {
  bool json = false;
  for (const std::string& argument : arguments) {
    if (argument != "--json") {
      context.err << "check: unknown argument " << argument << "\n";
      return kExitUsage;
    }
    json = true;
  }
  SentenceConverter* engine = context.engine();
  PronunciationNotes* notes = context.notes();
  if (engine == nullptr || notes == nullptr) return kExitRefused;

  const DownloadSettings settings = ReadDownloadSettings(context.workspace);
  const WorkspaceCheck check = CheckWorkspace(context.workspace, settings, context.systemLanguage, *engine, *notes);
  if (json) PrintCheckJson(check, context.out);
  else PrintCheckText(check, context.out);
  return check.ok() ? kExitOk : kExitRefused;
}

}  // namespace

CliCommand CheckCommand() {
  return {"check", "[--json]", "check every command file and the download image", RunCheck};
}

}  // namespace quillon::cli
