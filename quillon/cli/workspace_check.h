// What `quillon-cli check` finds in a workspace: for every configured command
// file its encoding, language and sentences with their engine outputs and unit
// bytes, the reader's warnings, or what refuses it; then whether the whole
// download image builds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/system_locale.h"
#include "quillon/cli/pronunciation_notes.h"
#include "quillon/config/user_message.h"
#include "quillon/recognition/download_settings.h"
#include "quillon/recognition/line_diagnostic.h"
#include "quillon/recognition/result_codes.h"
#include "quillon/recognition/sentence_converter.h"
#include "quillon/recognition/sentence_record.h"
#include "quillon/recognition/text_language.h"

namespace quillon::cli {

struct SentenceCheck {
  SentenceRecord record;
  std::vector<std::uint8_t> unitBytes;      // as the device receives them
  std::optional<std::string> refusal;       // why the sentence cannot be encoded
  std::vector<std::string> polyphones;      // Big5 characters with several readings
  std::vector<std::string> letterToSound;   // English words the engine guesses: no table holds them
};

struct CommandFileCheck {
  std::int32_t groupId = 0;
  std::u16string storedPath;
  std::filesystem::path path;
  std::optional<FileEncoding> encoding;
  std::optional<TextLanguage> language;
  std::vector<SentenceCheck> sentences;
  std::optional<std::size_t> groupDataSize;  // bytes in the image
  std::optional<UserMessage> message;        // the message that refuses the file
  std::optional<std::string> failure;        // a refusal without a message
  std::optional<LineDiagnostic> error;       // every refusal in one line, at its line where known
  std::vector<LineDiagnostic> warnings;      // what the reader passes over or cuts; refuses nothing

  bool ok() const;
};

struct WorkspaceCheck {
  std::vector<SettingsProblem> settingsProblems;  // refused settings files
  std::vector<CommandFileCheck> files;
  ResultCode packageCode = kSuccess;     // building the whole image
  std::vector<UserMessage> packageMessages;
  std::size_t packageLength = 0;

  bool ok() const;
};

WorkspaceCheck CheckWorkspace(const WorkingDirectory& workspace, const DownloadSettings& settings,
                              platform::LanguageId systemLanguage, SentenceConverter& engine,
                              PronunciationNotes& notes);

}  // namespace quillon::cli
