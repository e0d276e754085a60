#include "quillon/recognition/engine_pronunciation_hints.h"

#include <algorithm>

#include "phonwright.h"
#include "phonwright/english_dictionary/english_dictionary_format.h"
#include "phonwright/english_words/english_word_readings.h"
#include "platform/code_page.h"

namespace quillon {

std::vector<std::u16string> EnginePolyphoneReadings(std::string_view character) {
  const std::string text(character);
  char readings[PHONWRIGHT_MAX_POLYPHONE_READINGS] = {};
  char codes[PHONWRIGHT_MAX_POLYPHONE_CODES] = {};
  std::vector<std::u16string> found;
  if (SearchPolyPhone(text.c_str(), readings, codes) < 0) return found;
  // Each reading is followed by a space.
  std::string_view rest(readings);
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(' '), rest.size());
    if (end > 0) found.push_back(platform::ToUtf16(platform::kCodePageBig5, rest.substr(0, end)));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return found;
}

std::vector<std::string> LetterToSoundWords(const phonwright::EnglishDictionary& dictionary, std::string_view text) {
  std::vector<std::string> found;
  for (phonwright::EnglishWordReading& word : phonwright::ReadEnglishWords(dictionary, text)) {
    if (word.source == phonwright::EnglishWordSource::kLetterToSound &&
        std::find(found.begin(), found.end(), word.word) == found.end()) {
      found.push_back(std::move(word.word));
    }
  }
  return found;
}

bool EnginePronunciationHints::Open(const std::filesystem::path& dataDirectory) {
  return dictionary_.Open(dataDirectory / phonwright::english_dictionary_format::kFileName);
}

std::vector<std::u16string> EnginePronunciationHints::PolyphoneReadings(std::string_view character) {
  auto known = readings_.find(character);
  if (known == readings_.end()) {
    known = readings_.emplace(std::string(character), EnginePolyphoneReadings(character)).first;
  }
  return known->second;
}

std::vector<std::string> EnginePronunciationHints::LetterToSoundWords(std::string_view sentence) {
  return quillon::LetterToSoundWords(dictionary_, sentence);
}

}  // namespace quillon
