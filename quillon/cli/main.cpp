// quillon-cli: the workspace without the window (see --help).
#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "phonwright.h"
#include "quillon/cli/cli_main.h"
#include "quillon/recognition/phonwright_sentence_converter.h"

namespace {

// Opens libphonwright on the first command that needs it and releases it at
// the end of the run.
class PhonwrightEngineProvider final : public quillon::cli::EngineProvider {
 public:
  ~PhonwrightEngineProvider() override {
    if (opened_) Text2PhonemeRelease();
  }

  quillon::SentenceConverter* Converter(const std::string& dataDirectory, std::ostream& err) override {
    return Open(dataDirectory, err) ? &converter_ : nullptr;
  }
  quillon::cli::PronunciationNotes* Notes(const std::string& dataDirectory, std::ostream& err) override {
    return Open(dataDirectory, err) ? &notes_ : nullptr;
  }

 private:
  bool Open(const std::string& dataDirectory, std::ostream& err) {
    if (!opened_) {
      opened_ = true;
      loaded_ = Text2PhonemeInit(dataDirectory.c_str()) == 1;
      if (!loaded_) err << "quillon-cli: the pronunciation data in " << dataDirectory << " cannot be loaded\n";
    }
    return loaded_;
  }

  bool opened_ = false;
  bool loaded_ = false;
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
  PhonwrightEngineProvider engine;
  return quillon::cli::RunCli(arguments, std::cout, std::cerr, engine);
}
