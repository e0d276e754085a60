#include "quillon/recognition/sentence_parser.h"

#include <algorithm>
#include <cstdio>

#include "quillon/recognition/sentence_id.h"
#include "quillon/recognition/sentence_line_scanner.h"

namespace quillon {
namespace {

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsEnglishSentenceByte(unsigned char c) { return IsLetter(c) || c == '-' || c == '\''; }

// The offset of the first byte at an even offset below 0xA1, if any.
std::optional<std::size_t> FirstSingleByteCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += 2) {
    if (static_cast<unsigned char>(text[i]) < 0xA1) return i;
  }
  return std::nullopt;
}

// A byte of a refused sentence as the message shows it.
std::u16string ByteText(unsigned char byte) {
  if (byte >= 0x20 && byte < 0x7F) return Quoted(std::string_view(reinterpret_cast<const char*>(&byte), 1));
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", byte);
  return u"the byte " + Ascii(hex);
}

bool HasToken(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return !IsScanSpace(static_cast<unsigned char>(c)); });
}

bool FitsField(std::size_t length) { return length < kSentenceFieldCapacity; }

bool FitsRecord(const SentenceConversion& conversion) {
  return FitsField(conversion.phoneString.size()) && FitsField(conversion.unitCodeList.size()) &&
         FitsField(conversion.unitNameString.size()) && FitsField(conversion.displayString.size());
}

std::optional<std::u16string> SentenceProblem(std::string_view text, TextLanguage language) {
  if (!FitsField(text.size())) {
    return u"the sentence " + Quoted(text) + u" is longer than " + Decimal(kSentenceFieldCapacity - 1) + u" bytes";
  }
  if (IsEnglish(language)) {
    const auto bad = std::find_if_not(text.begin(), text.end(),
                                      [](char c) { return IsEnglishSentenceByte(static_cast<unsigned char>(c)); });
    if (bad == text.end()) return std::nullopt;
    return u"the sentence " + Quoted(text) + u" holds " + ByteText(static_cast<unsigned char>(*bad)) +
           u": English sentences are letters, hyphens and apostrophes";
  }
  const std::optional<std::size_t> single = FirstSingleByteCharacter(text);
  if (!single) return std::nullopt;
  const std::u16string what = u"the sentence " + Quoted(text) + u" holds " +
                              ByteText(static_cast<unsigned char>(text[*single])) +
                              u", which is not a double-byte Chinese character";
  if (language != TextLanguage::Unknown) return what;
  return what + u", and not every sentence of the file is English either (a file holds Chinese or English "
                u"sentences, not both)";
}

ParseResult Refused(ParseResult result, RefusalCause cause, std::size_t line, std::u16string reason) {
  result.refusal = LineDiagnostic{line, std::move(reason)};
  result.cause = cause;
  return result;
}

// The whole token around the file's first digit. The scan starts at that
// digit, so "-1 on" as the first line would read as ID 1.
std::string_view TokenAround(std::string_view text, std::size_t position) {
  std::size_t start = position;
  while (start > 0 && !IsScanSpace(static_cast<unsigned char>(text[start - 1]))) --start;
  std::size_t end = position;
  while (end < text.size() && !IsScanSpace(static_cast<unsigned char>(text[end]))) ++end;
  return text.substr(start, end - start);
}

}  // namespace

bool IsDoubleByteText(std::string_view text) { return !FirstSingleByteCharacter(text); }

bool IsEnglishSentence(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsEnglishSentenceByte(static_cast<unsigned char>(c)); });
}

std::optional<ContentProblem> FindContentProblem(std::string_view idToken, std::string_view text, TextLanguage language) {
  if (idToken.size() >= kIdTokenCapacity) {
    return ContentProblem{true, u"the ID " + Quoted(idToken) + u" is longer than " + Decimal(kIdTokenCapacity - 1) +
                                    u" characters"};
  }
  SentenceIdReading id = ReadSentenceId(idToken);
  if (!id.id) return ContentProblem{true, std::move(id.problem)};
  if (std::optional<std::u16string> problem = SentenceProblem(text, language)) {
    return ContentProblem{false, std::move(*problem)};
  }
  return std::nullopt;
}

SentenceReading ReadSentence(std::string_view idToken, std::string_view text, TextLanguage language,
                             SentenceConverter& converter) {
  if (std::optional<ContentProblem> problem = FindContentProblem(idToken, text, language)) {
    return {std::nullopt, problem->idToken ? RefusalCause::Id : RefusalCause::Characters, std::move(problem->reason)};
  }
  SentenceConversion conversion = converter.Convert(text, language);
  if (!FitsRecord(conversion)) {
    return {std::nullopt, RefusalCause::Engine,
            u"the pronunciation of " + Quoted(text) + u" is longer than the record holds (" +
                Decimal(kSentenceFieldCapacity - 1) + u" bytes)"};
  }
  if (!HasToken(conversion.unitCodeList)) {
    return {std::nullopt, RefusalCause::Engine, u"the pronunciation engine gives no units for " + Quoted(text)};
  }
  return {SentenceRecord{
              .unitCount = conversion.unitCount,
              .id = *ReadSentenceId(idToken).id,
              .text = std::string(text),
              .unitCodeList = std::move(conversion.unitCodeList),
              .phoneString = std::move(conversion.phoneString),
              .unitNameString = std::move(conversion.unitNameString),
              .displayString = std::move(conversion.displayString),
          },
          RefusalCause::None,
          {}};
}

ParseResult ParseSentences(std::string_view text, TextLanguage language, SentenceConverter& converter) {
  ParseResult result;
  const std::size_t firstDigit = FirstDigitPosition(text);
  SentenceLineScanner scanner(text, firstDigit);
  LineTokens tokens;
  while (scanner.Next(tokens)) {
    const bool firstId = tokens.first.data() == text.data() + firstDigit;
    const std::string_view idToken = firstId ? TokenAround(text, firstDigit) : tokens.first;
    if (tokens.tokenCount == 2 && IsSignedNumber(idToken)) {
      return Refused(std::move(result), RefusalCause::Id, tokens.firstLine, ReadSentenceId(idToken).problem);
    }
    if (!IsSentenceLine(tokens)) continue;
    SentenceReading reading = ReadSentence(tokens.first, tokens.second, language, converter);
    if (!reading.record) {
      return Refused(std::move(result), reading.cause, tokens.firstLine, std::move(reading.problem));
    }
    result.records.push_back(std::move(*reading.record));
  }
  result.ok = true;
  return result;
}

}  // namespace quillon
