#include "quillon/recognition/sentence_parser.h"

#include <algorithm>

#include "quillon/recognition/sentence_line_scanner.h"

namespace quillon {
namespace {

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDoubleByteText(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += 2) {
    if (static_cast<unsigned char>(text[i]) < 0xA1) return false;
  }
  return true;
}

bool HasToken(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return !IsScanSpace(static_cast<unsigned char>(c)); });
}

bool FitsField(std::size_t length) { return length < kSentenceFieldCapacity; }

bool FitsRecord(const SentenceConversion& conversion) {
  return FitsField(conversion.phoneString.size()) && FitsField(conversion.unitCodeList.size()) &&
         FitsField(conversion.unitNameString.size()) && FitsField(conversion.displayString.size());
}

}  // namespace

bool IsEnglishSentence(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return IsLetter(byte) || byte == '-' || byte == '\'';
  });
}

std::int32_t ParseSentenceId(std::string_view token) {
  std::uint32_t value = 0;
  if (token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    for (char c : token.substr(2)) {
      const int digit = HexValue(c);
      if (digit < 0) break;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
  } else {
    for (char c : token) {
      if (c < '0' || c > '9') break;
      value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
  }
  return static_cast<std::int32_t>(value);
}

bool PassesContentCheck(std::string_view idToken, std::string_view text, TextLanguage language) {
  if (idToken.size() >= kIdTokenCapacity || !FitsField(text.size())) return false;
  return IsEnglish(language) ? IsEnglishSentence(text) : IsDoubleByteText(text);
}

ParseResult ParseSentences(std::string_view text, TextLanguage language, SentenceConverter& converter) {
  ParseResult result;
  SentenceLineScanner scanner(text, FirstDigitPosition(text));
  LineTokens tokens;
  while (scanner.Next(tokens)) {
    if (!IsSentenceLine(tokens)) continue;
    if (!PassesContentCheck(tokens.first, tokens.second, language)) return result;
    SentenceConversion conversion = converter.Convert(tokens.second, language);
    if (!FitsRecord(conversion) || !HasToken(conversion.unitCodeList)) return result;
    result.records.push_back(SentenceRecord{
        .unitCount = conversion.unitCount,
        .id = ParseSentenceId(tokens.first),
        .text = std::string(tokens.second),
        .unitCodeList = std::move(conversion.unitCodeList),
        .phoneString = std::move(conversion.phoneString),
        .unitNameString = std::move(conversion.unitNameString),
        .displayString = std::move(conversion.displayString),
    });
  }
  result.ok = true;
  return result;
}

}  // namespace quillon
