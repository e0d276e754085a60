// Parsing the sentence lines of decoded command text into records, with the
// content checks that every sentence must pass before it is converted.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/recognition/line_diagnostic.h"
#include "quillon/recognition/sentence_converter.h"
#include "quillon/recognition/sentence_record.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

// An English sentence: letters, '-' and '\'' only.
bool IsEnglishSentence(std::string_view text);

// A Chinese sentence of double-byte characters: every byte at an even offset
// is at least 0xA1.
bool IsDoubleByteText(std::string_view text);

// Why a sentence line may not be converted, nothing when it may: both tokens
// within their fields, an ID of the range in sentence_id.h, and English
// letters (English files) or double-byte characters (every other language:
// each byte at an even offset is at least 0xA1).
struct ContentProblem {
  bool idToken = false;  // the ID is at fault, not the sentence
  std::u16string reason;
};
std::optional<ContentProblem> FindContentProblem(std::string_view idToken, std::string_view text, TextLanguage language);

inline bool PassesContentCheck(std::string_view idToken, std::string_view text, TextLanguage language) {
  return !FindContentProblem(idToken, text, language);
}

enum class RefusalCause { None, Id, Characters, Engine };

struct ParseResult {
  bool ok = false;
  std::vector<SentenceRecord> records;     // the sentences parsed before any failure
  std::optional<LineDiagnostic> refusal;   // why the parse failed, at the line concerned
  RefusalCause cause = RefusalCause::None;
};

// One sentence line checked and converted: the record, or why the line is
// refused (the content check, engine outputs that would not fit the record,
// or an empty code list).
struct SentenceReading {
  std::optional<SentenceRecord> record;
  RefusalCause cause = RefusalCause::None;
  std::u16string problem;
};
SentenceReading ReadSentence(std::string_view idToken, std::string_view text, TextLanguage language,
                             SentenceConverter& converter);

// Parses every sentence line of `text` (from its first digit on) and converts
// each sentence. Fails at the first sentence that fails the content check,
// whose engine outputs would not fit the record, or whose code list is empty,
// and at the first line whose ID has a sign ("-1 on": the scan would pass it
// over, but its writer meant a sentence).
ParseResult ParseSentences(std::string_view text, TextLanguage language, SentenceConverter& converter);

}  // namespace quillon
