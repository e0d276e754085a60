#include "quillon/recognition/sentence_pronunciation.h"

#include <algorithm>

#include "platform/code_page.h"
#include "quillon/recognition/display_text.h"
#include "quillon/recognition/group_data_encoder.h"
#include "quillon/recognition/line_diagnostic.h"
#include "quillon/recognition/result_code_text.h"
#include "quillon/recognition/sentence_line_scanner.h"
#include "quillon/recognition/sentence_parser.h"

namespace quillon {
namespace {

// The whitespace-separated words of `text`, as the reader's scan splits them.
std::vector<std::string_view> WordsOf(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsScanSpace(static_cast<unsigned char>(text[at]))) ++at;
    const std::size_t start = at;
    while (at < text.size() && !IsScanSpace(static_cast<unsigned char>(text[at]))) ++at;
    if (at > start) words.push_back(text.substr(start, at - start));
  }
  return words;
}

std::vector<Polyphone> PolyphonesOf(std::string_view text, PronunciationHints& hints) {
  std::vector<Polyphone> found;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const std::string_view character = text.substr(i, 2);
    std::u16string wide = platform::ToUtf16(platform::kCodePageBig5, character);
    if (std::any_of(found.begin(), found.end(), [&](const Polyphone& p) { return p.character == wide; })) continue;
    std::vector<std::u16string> readings = hints.PolyphoneReadings(character);
    if (!readings.empty()) found.push_back({std::move(wide), std::move(readings)});
  }
  return found;
}

}  // namespace

SentencePronunciation PronounceSentence(std::int32_t id, std::u16string_view text, TextLanguage language,
                                        platform::LanguageId systemLanguage, SentenceConverter& converter,
                                        PronunciationHints& hints) {
  SentencePronunciation pronunciation;
  const std::string bytes = SentenceTextOfDisplay(text, language, systemLanguage);
  const std::vector<std::string_view> words = WordsOf(bytes);
  if (words.empty()) {
    pronunciation.failure = u"the sentence is empty";
    return pronunciation;
  }
  if (words.size() > 1) {
    pronunciation.failure = u"a sentence is one word without blanks: only " + Quoted(words.front()) +
                            u" would be read, the rest would be lost";
    return pronunciation;
  }
  SentenceReading reading = ReadSentence(std::to_string(id), words.front(), language, converter);
  if (!reading.record) {
    pronunciation.failure = std::move(reading.problem);
    return pronunciation;
  }
  SentenceBlock block;
  std::size_t size = 0;
  if (const ResultCode code = EncodeSentenceBlock(*reading.record, language, block, size)) {
    pronunciation.failure = Ascii(DescribeResultCode(code));
    return pronunciation;
  }
  pronunciation.display = std::move(reading.record->displayString);
  if (IsEnglish(language)) {
    for (const std::string& word : hints.LetterToSoundWords(words.front())) {
      pronunciation.guessedWords.push_back(Ascii(word));
    }
  } else {
    pronunciation.polyphones = PolyphonesOf(words.front(), hints);
  }
  return pronunciation;
}

}  // namespace quillon
