#include "quillon/cli/check_command.h"

#include "quillon/cli/check_report.h"
#include "quillon/cli/exit_codes.h"
#include "quillon/cli/workspace_check.h"
#include "quillon/recognition/download_settings.h"

namespace quillon::cli {
namespace {

constexpr std::string_view kCheckHelp =
    "Reads every command file of the ASR settings as the window reads it, converts\n"
    "every sentence, and builds the download image in memory as a download would.\n"
    "Nothing is written.\n"
    "\n"
    "Text output, one block per command file in the order of the settings:\n"
    "  Group G  STORED-PATH\n"
    "    encoding ENCODING, language LANGUAGE, N sentences, S bytes of group data\n"
    "        ID  SENTENCE            the ID in decimal, the sentence in UTF-8\n"
    "            phones  ...         the engine's phone string\n"
    "            units   ...         the unit names\n"
    "            bytes   ...         the unit bytes the device receives (hex), or\n"
    "            refused REASON      when the sentence cannot be encoded\n"
    "            polyphonic ...      characters with more than one reading\n"
    "            letter-to-sound ... English words the engine guesses: no table\n"
    "                                holds them (capitals it spells, hello, and\n"
    "                                Wi-Fi it finds are not listed)\n"
    "  FILE:LINE: warning: TEXT      text the format passes over or cuts (the file\n"
    "                                still downloads as read)\n"
    "  FILE:LINE: error: TEXT        what refuses the file (FILE: error: TEXT when\n"
    "                                it concerns the whole file)\n"
    "then the whole image:\n"
    "  Download image: N bytes, builds\n"
    "  Download image: refused, CODE: TEXT (and the messages the window would show)\n"
    "and last \"Everything would download.\" or \"Not everything would download.\"\n"
    "\n"
    "FILE is the command file relative to the current directory (absolute when it\n"
    "is outside). ENCODING is none (the system's code page: Big5, or GBK on a PRC\n"
    "system), utf-16le, utf-16be, utf-8-bom or utf-8 (no mark); LANGUAGE is big5,\n"
    "gbk, english or unknown.\n"
    "\n"
    "--json prints one object instead:\n"
    "  {\"ok\", \"files\": [{\"group\", \"path\", \"absolutePath\", \"ok\", \"encoding\",\n"
    "    \"language\", \"sentenceCount\", \"groupDataSize\", \"message\", \"failure\",\n"
    "    \"error\": {\"line\", \"message\"} or null,\n"
    "    \"warnings\": [{\"line\", \"message\"}, ...],\n"
    "    \"sentences\": [{\"id\", \"text\", \"phones\", \"display\", \"codes\", \"units\",\n"
    "      \"unitCount\", \"unitBytes\", \"polyphones\", \"letterToSound\", \"refusal\"}]}],\n"
    "   \"package\": {\"ok\", \"code\", \"description\", \"length\", \"messages\"}}\n"
    "A line of 0 concerns the whole file. \"message\" is the window's message box.\n"
    "\n"
    "Exit codes: 0 everything would download (warnings do not change it),\n"
    "1 something is refused, 2 usage error.\n";

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

  // A check changes nothing: defaults that a download would write are used
  // without writing them.
  const DownloadSettings settings = ReadDownloadSettings(context.workspace, DefaultWrites::None);
  const WorkspaceCheck check = CheckWorkspace(context.workspace, settings, context.systemLanguage, *engine, *notes);
  if (json) PrintCheckJson(check, context.out);
  else PrintCheckText(check, context.invocationDirectory, context.out);
  return check.ok() ? kExitOk : kExitRefused;
}

}  // namespace

CliCommand CheckCommand() {
  return {"check", "[--json]", "check every command file and the download image", RunCheck, kCheckHelp};
}

}  // namespace quillon::cli
