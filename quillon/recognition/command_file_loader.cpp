#include "quillon/recognition/command_file_loader.h"

#include <algorithm>

#include "platform/code_page.h"
#include "quillon/recognition/command_text_decoder.h"
#include "quillon/recognition/display_text.h"
#include "quillon/recognition/file_bytes.h"
#include "quillon/recognition/recognition_messages.h"
#include "quillon/recognition/sentence_line_review.h"
#include "quillon/recognition/sentence_line_scanner.h"
#include "quillon/recognition/sentence_parser.h"

namespace quillon {
namespace {

// A refusal without more to say than the message itself.
CommandFileLoad Refused(const std::filesystem::path& path, const UserMessage& message) {
  CommandFileLoad load;
  load.failure = MessageNamingFile(message, path);
  load.error = LineDiagnostic{0, message.text};
  return load;
}

CommandFileLoad Refused(const std::filesystem::path& path, const UserMessage& message, LineDiagnostic detail,
                        std::vector<LineDiagnostic> warnings) {
  CommandFileLoad load;
  load.failure = MessageNamingFile(message, path, &detail);
  load.error = std::move(detail);
  load.warnings = std::move(warnings);
  return load;
}

std::vector<LineDiagnostic> WarningsOf(DecodedCommandText& decoded) {
  std::vector<LineDiagnostic> warnings = std::move(decoded.warnings);
  std::vector<LineDiagnostic> review = ReviewSentenceLines(decoded.text, decoded.language);
  warnings.insert(warnings.end(), std::make_move_iterator(review.begin()), std::make_move_iterator(review.end()));
  std::stable_sort(warnings.begin(), warnings.end(), [](const auto& a, const auto& b) { return a.line < b.line; });
  return warnings;
}

}  // namespace

CommandFileLoad LoadCommandFile(const std::filesystem::path& path, SentenceConverter& converter,
                                platform::LanguageId systemLanguage) {
  const FileBytes file = ReadWholeFile(path, kMaxCommandFileBytes);
  if (file.status == FileReadStatus::CannotOpen) {
    return Refused(path, FileOpenFailedMessage(), {0, platform::Utf8ToUtf16(file.error.message())}, {});
  }
  if (file.status == FileReadStatus::TooLarge) return Refused(path, FileTooLargeMessage(kMaxCommandFileBytes));
  if (file.status == FileReadStatus::Empty) return Refused(path, FileSizeZeroMessage());

  DecodedCommandText decoded = DecodeCommandText(file.bytes, systemLanguage);
  if (!decoded.ok) return Refused(path, TransformFailedMessage(), std::move(decoded.failure), {});
  if (HasTooManyLines(decoded.text)) return Refused(path, TooManyLinesMessage(kMaxCommandFileLines));
  std::vector<LineDiagnostic> warnings = WarningsOf(decoded);

  const int count = CountSentences(decoded.text);
  if (count > kMaxSentencesPerFile) {
    return Refused(path, TooManySentencesMessage(kMaxSentencesPerFile),
                   {0, u"the file holds " + Decimal(static_cast<std::uint64_t>(count)) +
                           u" sentence lines, more than the " + Decimal(kMaxSentencesPerFile) + u" a file may hold"},
                   std::move(warnings));
  }

  if (count == 0) {
    return Refused(path, FileFormatErrorMessage(), {0, u"no line starts with a numeric ID followed by a sentence"},
                   std::move(warnings));
  }
  ParseResult parsed = ParseSentences(decoded.text, decoded.language, converter);
  if (!parsed.ok) {
    // Checked as Chinese for want of a language: where the language tests
    // stopped says more than the Chinese check.
    LineDiagnostic detail = decoded.languageProblem && parsed.cause == RefusalCause::Characters
                                ? std::move(*decoded.languageProblem)
                                : std::move(*parsed.refusal);
    return Refused(path, FileContentErrorMessage(), std::move(detail), std::move(warnings));
  }

  CommandFileLoad load;
  load.warnings = std::move(warnings);
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
