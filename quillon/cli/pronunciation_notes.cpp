#include "quillon/cli/pronunciation_notes.h"

#include <string>

#include "phonwright.h"
#include "phonwright/english_dictionary/english_dictionary_format.h"

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

bool EnginePronunciationNotes::IsSpelledByLetterToSound(std::string_view word) {
  // One letter is read by its letter name; a dictionary entry without a
  // pronunciation goes to the decoder like a missing one, as in the engine.
  if (word.size() <= 1) return false;
  std::string upper(word);
  phonwright::EnglishPronunciations found;
  return !phonwright::LookupEnglishDictionary(dictionary_, upper, found) || found.pronunciations.empty();
}

}  // namespace quillon::cli
