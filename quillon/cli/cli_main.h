// The whole of quillon-cli behind main(): parse the command line, move into
// the workspace, open the engine when a command asks for it, run the command.
#pragma once

#include <functional>
#include <ostream>
#include <span>
#include <string>

#include "quillon/cli/pronunciation_notes.h"
#include "quillon/recognition/sentence_converter.h"

namespace quillon::cli {

// The pronunciation engine a run uses; opened only when a command needs it.
class EngineProvider {
 public:
  virtual ~EngineProvider() = default;
  // Null when the data directory cannot be loaded (reported on `err`).
  virtual SentenceConverter* Converter(const std::string& dataDirectory, std::ostream& err) = 0;
  virtual PronunciationNotes* Notes(const std::string& dataDirectory, std::ostream& err) = 0;
  // Whether the engine's own start-up messages are shown (--verbose).
  virtual void ShowEngineMessages(bool /*shown*/) {}
};

int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err, EngineProvider& engine);

}  // namespace quillon::cli
