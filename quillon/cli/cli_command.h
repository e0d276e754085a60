// One command of quillon-cli and what every command is given to run with.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/system_locale.h"
#include "quillon/cli/pronunciation_notes.h"
#include "quillon/config/working_directory.h"
#include "quillon/recognition/sentence_converter.h"

namespace quillon::cli {

struct CliContext {
  WorkingDirectory workspace;
  std::filesystem::path invocationDirectory;  // where the tool was started; relative arguments name files there
  platform::LanguageId systemLanguage = platform::kLangEnglishUs;
  std::ostream& out;  // results
  std::ostream& err;  // progress and messages
  // The pronunciation engine, opened on first use; null when its data cannot
  // be loaded (the reason is already on `err`).
  std::function<SentenceConverter*()> engine;
  std::function<PronunciationNotes*()> notes;
  bool quiet = false;  // no progress lines
};

struct CliCommand {
  std::string_view name;
  std::string_view arguments;  // synopsis of the command's own arguments
  std::string_view summary;
  // Returns an exit code; `arguments` are those after the command name.
  std::function<int(CliContext& context, std::span<const std::string> arguments)> run;
  // What `quillon-cli COMMAND --help` prints after the synopsis (may be empty).
  std::string_view help = {};
};

}  // namespace quillon::cli
