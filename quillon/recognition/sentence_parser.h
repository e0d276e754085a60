// Parsing the sentence lines of decoded command text into records, with the
// content checks that every sentence must pass before it is converted.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "quillon/recognition/sentence_converter.h"
#include "quillon/recognition/sentence_record.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

// An English sentence: letters, '-' and '\'' only.
bool IsEnglishSentence(std::string_view text);

// The ID of a line's first token: hexadecimal after "0x" or "0X", otherwise
// its leading decimal digits (wrapping modulo 2^32 like the 32-bit field).
std::int32_t ParseSentenceId(std::string_view token);

// Whether a sentence line may be converted: tokens within their fields, and
// English letters (English files) or double-byte characters (every other
// language: each byte at an even offset is at least 0xA1).
bool PassesContentCheck(std::string_view idToken, std::string_view text, TextLanguage language);

struct ParseResult {
  bool ok = false;
  std::vector<SentenceRecord> records;  // the sentences parsed before any failure
};

// Parses every sentence line of `text` (from its first digit on) and converts
// each sentence. Fails at the first sentence that fails the content check,
// whose engine outputs would not fit the record, or whose code list is empty.
ParseResult ParseSentences(std::string_view text, TextLanguage language, SentenceConverter& converter);

}  // namespace quillon
