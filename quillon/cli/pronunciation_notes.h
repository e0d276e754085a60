// What the check reports about how the engine read a sentence: polyphonic
// characters, asked of the engine through its exports, and English words
// read by the letter-to-sound decoder, found by the engine's own word rules
// over the engine's English dictionary.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "phonwright/english_dictionary/english_dictionary.h"

namespace quillon::cli {

class PronunciationNotes {
 public:
  virtual ~PronunciationNotes() = default;
  // Whether the Big5 character (two bytes) has more than one reading.
  virtual bool IsPolyphone(std::string_view character) = 0;
  // The words of the English sentence `text` that the engine reads with its
  // letter-to-sound decoder because no table holds them, each once, in the
  // order they come ("Zorbify," gives Zorbify; HDMI, spelled, and Wi-Fi, in
  // the dictionary whole, are none).
  virtual std::vector<std::string> LetterToSoundWords(std::string_view text) = 0;
};

// The engine's polyphone table (SearchPolyPhone), and the engine's English
// word rules over the English dictionary of its data directory. Polyphones need the engine initialised.
class EnginePronunciationNotes final : public PronunciationNotes {
 public:
  // False when the data directory holds no readable English dictionary.
  bool Open(const std::filesystem::path& dataDirectory);

  bool IsPolyphone(std::string_view character) override;
  std::vector<std::string> LetterToSoundWords(std::string_view text) override;

 private:
  phonwright::EnglishDictionary dictionary_;
};

}  // namespace quillon::cli
