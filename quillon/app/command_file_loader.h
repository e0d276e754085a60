// The command file reader as the window uses it: an absolute path in, the
// file's sentences with their display texts and visible IDs out, or the
// message that says why it cannot be read. Tests answer from a table.
#pragma once

#include <filesystem>

#include "platform/system_locale.h"
#include "quillon/recognition/command_file_loader.h"
#include "quillon/recognition/sentence_converter.h"

namespace quillon {

class CommandFileLoader {
 public:
  virtual ~CommandFileLoader() = default;
  virtual CommandFileLoad Load(const std::filesystem::path& commandFile) = 0;
};

// Reads command files with the pronunciation engine behind `converter`.
class RecognitionCommandFileLoader final : public CommandFileLoader {
 public:
  RecognitionCommandFileLoader(SentenceConverter& converter, platform::LanguageId systemLanguage)
      : converter_(converter), systemLanguage_(systemLanguage) {}
  CommandFileLoad Load(const std::filesystem::path& commandFile) override {
    return LoadCommandFile(commandFile, converter_, systemLanguage_);
  }

 private:
  SentenceConverter& converter_;
  platform::LanguageId systemLanguage_;
};

}  // namespace quillon
