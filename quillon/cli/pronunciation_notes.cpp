#include "quillon/cli/pronunciation_notes.h"

#include <string>

#include "phonwright.h"

namespace quillon::cli {

bool EnginePronunciationNotes::IsPolyphone(std::string_view character) {
  const std::string text(character);
  char readings[PHONWRIGHT_MAX_POLYPHONE_READINGS];
  char codes[PHONWRIGHT_MAX_POLYPHONE_CODES];
  return SearchPolyPhone(text.c_str(), readings, codes) >= 0;
}

}  // namespace quillon::cli
