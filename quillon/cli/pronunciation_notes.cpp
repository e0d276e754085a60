#include "quillon/cli/pronunciation_notes.h"

#include <algorithm>
#include <string>

#include "phonwright.h"
#include "phonwright/english_dictionary/english_dictionary_format.h"
#include "phonwright/english_words/english_word_readings.h"

namespace quillon::cli {

bool EnginePronunciationNotes::Open(const std::filesystem::path& dataDirectory) {
  return dictionary_.Open(dataDirectory / phonwright::english_dictionary_format::kFileName);
}

bool EnginePronunciationNotes::IsPolyphone(std::string_view character) {
  const std::string text(character);
  char readings[PHONWRIGHT_MAX_POLYPHONE_READINGS];
  char codes[PHONWRIGHT_MAX_POLYPHONE_CODES];
  return SearchPolyPhone(text.c_str(), readings, codes) >= 0;
}

std::vector<std::string> EnginePronunciationNotes::LetterToSoundWords(std::string_view text) {
  std::vector<std::string> found;
  for (phonwright::EnglishWordReading& word : phonwright::ReadEnglishWords(dictionary_, text)) {
    if (word.source == phonwright::EnglishWordSource::kLetterToSound &&
        std::find(found.begin(), found.end(), word.word) == found.end()) {
      found.push_back(std::move(word.word));
    }
  }
  return found;
}

}  // namespace quillon::cli
