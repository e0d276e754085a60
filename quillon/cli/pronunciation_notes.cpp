#include "quillon/cli/pronunciation_notes.h"

#include "phonwright/english_dictionary/english_dictionary_format.h"
#include "quillon/recognition/engine_pronunciation_hints.h"

namespace quillon::cli {

bool EnginePronunciationNotes::Open(const std::filesystem::path& dataDirectory) {
  return dictionary_.Open(dataDirectory / phonwright::english_dictionary_format::kFileName);
}

bool EnginePronunciationNotes::IsPolyphone(std::string_view character) {
  return !EnginePolyphoneReadings(character).empty();
}

std::vector<std::string> EnginePronunciationNotes::LetterToSoundWords(std::string_view text) {
  return quillon::LetterToSoundWords(dictionary_, text);
}

}  // namespace quillon::cli
