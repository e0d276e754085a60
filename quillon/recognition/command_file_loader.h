// Loading a command file for the sentence list: read, decode, count, parse and
// convert every sentence, and read which sentences the list shows. The window
// fills its sentence map and list from the result; on failure it shows the
// message and keeps what it showed before.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/system_locale.h"
#include "quillon/config/user_message.h"
#include "quillon/config/visible_id_set.h"
#include "quillon/recognition/line_diagnostic.h"
#include "quillon/recognition/sentence_converter.h"
#include "quillon/recognition/sentence_record.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

struct LoadedCommandFile {
  FileEncoding encoding = FileEncoding::None;
  TextLanguage language = TextLanguage::Unknown;
  std::vector<SentenceRecord> records;       // in file order; IDs may repeat
  std::vector<std::u16string> displayTexts;  // one per record, same order
  VisibleIdSet visibleIds;                   // from the config.ini beside the file
};

struct CommandFileLoad {
  // Set when the file was refused: the message box, worded as the program has
  // always worded it, then "Path => " and the file, then the line and what is
  // wrong where that is known.
  std::optional<UserMessage> failure;
  LoadedCommandFile content;  // meaningful only without a failure
  // The same refusal in one line, for FILE:LINE: error: reports.
  std::optional<LineDiagnostic> error = {};
  // What the format passes over or cuts, in line order (also for a refused
  // file, once its text could be decoded). None of it refuses the file.
  std::vector<LineDiagnostic> warnings = {};

  bool ok() const { return !failure.has_value(); }
};

// Loads the command file at `path` (absolute). `systemLanguage` is the system
// language read at start-up. Failures, with the message to show:
//   cannot be opened                  "Fail to open file!"
//   empty                             "File size is zero!"
//   not decodable                     "Fail to transform data! ..."
//   more than 2000 sentences          "The number of sentences exceeds ... 2000"
//   no sentence                       "File format error"
//   a sentence or its ID refused      "File content error! ..."
CommandFileLoad LoadCommandFile(const std::filesystem::path& path, SentenceConverter& converter,
                                platform::LanguageId systemLanguage);

}  // namespace quillon
