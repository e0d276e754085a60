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
  std::optional<UserMessage> failure;  // set when the file was refused
  LoadedCommandFile content;           // meaningful only without a failure

  bool ok() const { return !failure.has_value(); }
};

// Loads the command file at `path` (absolute). `systemLanguage` is the system
// language read at start-up. Failures, with the message to show:
//   cannot be opened                  "Fail to open file!"
//   empty                             "File size is zero!"
//   not decodable                     "Fail to transform data! ..."
//   more than 2000 sentences          "The number of sentences exceeds ... 2000"
//   no sentence                       "File format error"
//   a sentence refused                "File content error! ..."
CommandFileLoad LoadCommandFile(const std::filesystem::path& path, SentenceConverter& converter,
                                platform::LanguageId systemLanguage);

}  // namespace quillon
