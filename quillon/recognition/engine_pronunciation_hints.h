// The engine's own answers for the pronunciation marks: the readings of a
// polyphonic character (SearchPolyPhone) and the English words its
// letter-to-sound decoder reads, by the engine's word rules over its English
// dictionary. The window's pronunciation column and quillon-cli check both
// ask through these, so they agree with each other and with the engine.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "phonwright/english_dictionary/english_dictionary.h"
#include "quillon/recognition/sentence_pronunciation.h"

namespace quillon {

// Every reading of the Big5 character (two bytes), zhuyin with tone mark, in
// the engine's order; empty when it has only one. Needs the engine
// initialised, and no other thread inside it.
std::vector<std::u16string> EnginePolyphoneReadings(std::string_view character);

// The words of the English sentence `text` that the engine reads with its
// letter-to-sound decoder because no table holds them, each once, in order.
std::vector<std::string> LetterToSoundWords(const phonwright::EnglishDictionary& dictionary, std::string_view text);

class EnginePronunciationHints final : public PronunciationHints {
 public:
  // False when the data directory holds no readable English dictionary.
  bool Open(const std::filesystem::path& dataDirectory);

  // Asked of the engine once per character.
  std::vector<std::u16string> PolyphoneReadings(std::string_view character) override;
  std::vector<std::string> LetterToSoundWords(std::string_view sentence) override;

 private:
  phonwright::EnglishDictionary dictionary_;
  // At most one entry per Big5 character (some 13,000).
  std::map<std::string, std::vector<std::u16string>, std::less<>> readings_;
};

}  // namespace quillon
