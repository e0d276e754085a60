// What the check reports about how the engine read a sentence: polyphonic
// characters, asked of the engine through its exports, and English words
// spelled by the letter-to-sound decoder, found in the engine's English
// dictionary.
#pragma once

#include <filesystem>
#include <string_view>

#include "phonwright/english_dictionary/english_dictionary.h"

namespace quillon::cli {

class PronunciationNotes {
 public:
  virtual ~PronunciationNotes() = default;
  // Whether the Big5 character (two bytes) has more than one reading.
  virtual bool IsPolyphone(std::string_view character) = 0;
  // Whether the engine reads the English word (ASCII letters) with its
  // letter-to-sound decoder rather than from its dictionary: a word of more
  // than one letter that the dictionary does not hold.
  virtual bool IsSpelledByLetterToSound(std::string_view word) = 0;
};

// The engine's polyphone table (SearchPolyPhone) and the English dictionary
// of its data directory. Polyphones need the engine initialised.
class EnginePronunciationNotes final : public PronunciationNotes {
 public:
  // False when the data directory holds no readable English dictionary.
  bool Open(const std::filesystem::path& dataDirectory);

  bool IsPolyphone(std::string_view character) override;
  bool IsSpelledByLetterToSound(std::string_view word) override;

 private:
  phonwright::EnglishDictionary dictionary_;
};

}  // namespace quillon::cli
