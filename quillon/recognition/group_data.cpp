#include "quillon/recognition/group_data.h"

#include "quillon/recognition/command_text_decoder.h"
#include "quillon/recognition/file_bytes.h"
#include "quillon/recognition/group_data_encoder.h"
#include "quillon/recognition/result_codes.h"
#include "quillon/recognition/sentence_line_scanner.h"
#include "quillon/recognition/sentence_parser.h"
#include "quillon/recognition/sentence_record.h"

namespace quillon {
namespace {

std::size_t RoundUpTo4(std::size_t size) { return (size + 3) & ~std::size_t{3}; }

}  // namespace

GroupMeasure MeasureGroupData(const std::filesystem::path& commandFile, SentenceConverter& converter,
                              platform::LanguageId systemLanguage) {
  const FileBytes file = ReadWholeFile(commandFile, kMaxCommandFileBytes);
  if (file.status == FileReadStatus::CannotOpen) return {kResultCommandFileUnreadable};
  if (file.status == FileReadStatus::TooLarge) return {kResultCommandFileTooLarge};
  if (file.status == FileReadStatus::Empty) return {kFileEmpty};
  const DecodedCommandText decoded = DecodeCommandText(file.bytes, systemLanguage);
  if (!decoded.ok) return {kResultUndecodableText};
  if (HasTooManyLines(decoded.text)) return {kResultTooManyLines};
  const int count = CountSentences(decoded.text);
  if (count > kMaxSentencesPerFile) return {kResultTooManySentences};
  if (count < 1) return {kResultNoSentence};

  std::size_t size = kGroupHeaderSize;
  SentenceLineScanner scanner(decoded.text, FirstDigitPosition(decoded.text));
  LineTokens tokens;
  while (scanner.Next(tokens)) {
    if (!IsSentenceLine(tokens)) continue;
    const SentenceConversion conversion = converter.Convert(tokens.second, decoded.language);
    size += SentenceBlockSize(conversion.unitCount, decoded.language);
  }
  size = RoundUpTo4(size);
  if (size > kMaxGroupDataSize) return {kResultGroupDataTooLarge};
  return {kSuccess, size};
}

ResultCode BuildGroupData(const std::filesystem::path& commandFile, const LanguageSettings& settings,
                   SentenceConverter& converter, platform::LanguageId systemLanguage, std::span<std::uint8_t> out) {
  const FileBytes file = ReadWholeFile(commandFile, kMaxCommandFileBytes);
  if (file.status == FileReadStatus::CannotOpen) return kFileOpenFailed;
  if (file.status == FileReadStatus::TooLarge) return kResultCommandFileTooLarge;
  if (file.status == FileReadStatus::Empty) return kFileEmpty;
  const DecodedCommandText decoded = DecodeCommandText(file.bytes, systemLanguage);
  if (!decoded.ok) return kResultUndecodableText;
  if (HasTooManyLines(decoded.text)) return kResultTooManyLines;
  const int count = CountSentences(decoded.text);
  if (count > kMaxSentencesPerFile) return kResultTooManySentences;
  const ParseResult parsed = ParseSentences(decoded.text, decoded.language, converter);
  if (!parsed.ok) return kResultSentenceRefused;
  if (static_cast<int>(parsed.records.size()) != count) return kResultSentenceCountMismatch;
  return EncodeGroupSentences(settings, out, parsed.records, decoded.language);
}

}  // namespace quillon
