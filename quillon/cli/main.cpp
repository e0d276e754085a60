// quillon-cli: the workspace without the window (see --help).
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string_view>
#include <optional>
#include <string>
#include <vector>

#include "phonwright.h"
#include "platform/command_line.h"
#include "quillon/cli/cli_main.h"
#include "quillon/cli/exit_codes.h"
#include "quillon/recognition/phonwright_sentence_converter.h"

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Opens libphonwright on the first command that needs it and releases it at
// the end of the run.
class PhonwrightEngineProvider final : public quillon::cli::EngineProvider {
 public:
  ~PhonwrightEngineProvider() override {
    if (opened_) Text2PhonemeRelease();
  }

  void ShowEngineMessages(bool shown) override { engineMessagesShown_ = shown; }

  quillon::SentenceConverter* Converter(const std::string& dataDirectory, std::ostream& err) override {
    return Open(dataDirectory, err) ? &converter_ : nullptr;
  }
  quillon::cli::PronunciationNotes* Notes(const std::string& dataDirectory, std::ostream& err) override {
    if (!Open(dataDirectory, err)) return nullptr;
    if (!notesLoaded_) {
      notesLoaded_ = notes_.Open(dataDirectory);
      if (!*notesLoaded_) err << "quillon-cli: the English dictionary in " << dataDirectory << " cannot be read\n";
    }
    return *notesLoaded_ ? &notes_ : nullptr;
  }

 private:
  bool Open(const std::string& dataDirectory, std::ostream& err) {
    if (!opened_) {
      opened_ = true;
      {
        // Standard output is already standard error here; without --verbose
        // the engine's start-up text goes nowhere.
        std::optional<platform::RedirectedStandardOutput> silenced;
        if (!engineMessagesShown_) silenced.emplace(platform::RedirectedStandardOutput::Target::Discarded);
        loaded_ = Text2PhonemeInit(dataDirectory.c_str()) == 1;
      }
      if (!loaded_) err << "quillon-cli: the pronunciation data in " << dataDirectory << " cannot be loaded\n";
    }
    return loaded_;
  }

  bool engineMessagesShown_ = false;
  bool opened_ = false;
  bool loaded_ = false;
  std::optional<bool> notesLoaded_;  // set once the dictionary was opened
  quillon::PhonwrightSentenceConverter converter_;
  quillon::cli::EnginePronunciationNotes notes_;
};

}  // namespace

int main(int argc, char** argv) {
  // The engine may wait for a key after some messages; it never blocks a
  // tool whose input is not a terminal, and this tool never reads input.
  const int devNull = ::open("/dev/null", O_RDONLY);
  if (devNull >= 0) {
    ::dup2(devNull, STDIN_FILENO);
    ::close(devNull);
  }
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  // The engine prints its diagnostics ("IniWseg ok", ...) on standard output;
  // they are sent to standard error, and the results (check --json, the
  // download's outcome) are written to the real standard output at the end.
  const int results = ::dup(STDOUT_FILENO);
  const bool separated = results >= 0 && ::dup2(STDERR_FILENO, STDOUT_FILENO) >= 0;
  std::ostringstream buffered;
  int code = 0;
  {
    PhonwrightEngineProvider engine;  // released before the results are written
    code = quillon::cli::RunCli(arguments, separated ? buffered : std::cout, std::cerr, engine);
  }
  if (separated) {
    std::fflush(stdout);
    if (!WriteAll(results, buffered.str()) && code == quillon::cli::kExitOk) code = quillon::cli::kExitRefused;
  }
  if (results >= 0) ::close(results);
  return code;
}
