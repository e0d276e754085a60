#include "quillon/recognition/command_file_loader.h"

#include "quillon/recognition/command_text_decoder.h"
#include "quillon/recognition/display_text.h"
#include "quillon/recognition/file_bytes.h"
#include "quillon/recognition/recognition_messages.h"
#include "quillon/recognition/sentence_line_scanner.h"
#include "quillon/recognition/sentence_parser.h"

namespace quillon {
namespace {

CommandFileLoad Refused(UserMessage message) {
  CommandFileLoad load;
  load.failure = std::move(message);
  return load;
}

}  // namespace

CommandFileLoad LoadCommandFile(const std::filesystem::path& path, SentenceConverter& converter,
                                platform::LanguageId systemLanguage) {
  const FileBytes file = ReadWholeFile(path);
  if (file.status == FileReadStatus::CannotOpen) return Refused(FileOpenFailedMessage());
  if (file.status == FileReadStatus::Empty) return Refused(FileSizeZeroMessage());

  const DecodedCommandText decoded = DecodeCommandText(file.bytes, systemLanguage);
  if (!decoded.ok) return Refused(TransformFailedMessage());

  const int count = CountSentences(decoded.text);
  if (count > kMaxSentencesPerFile) return Refused(TooManySentencesMessage(kMaxSentencesPerFile));
  if (count == 0) return Refused(FileFormatErrorMessage());

  ParseResult parsed = ParseSentences(decoded.text, decoded.language, converter);
  if (!parsed.ok) return Refused(FileContentErrorMessage());

  CommandFileLoad load;
  LoadedCommandFile& content = load.content;
  content.encoding = decoded.encoding;
  content.language = decoded.language;
  content.records = std::move(parsed.records);
  content.displayTexts.reserve(content.records.size());
  for (const SentenceRecord& record : content.records) {
    content.displayTexts.push_back(MakeDisplayText(record.text, decoded.language, systemLanguage));
  }
  content.visibleIds = ReadVisibleIds(path);
  return load;
}

}  // namespace quillon
