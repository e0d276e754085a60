// Pronunciation hints from tables, for tests of the pronunciation column.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/recognition/sentence_pronunciation.h"

namespace quillon::testing {

// The polyphones listed (by their Big5 bytes); the English words listed are
// guessed.
class ListedHints final : public PronunciationHints {
 public:
  std::vector<std::u16string> PolyphoneReadings(std::string_view character) override {
    const auto found = readings.find(std::string(character));
    return found == readings.end() ? std::vector<std::u16string>{} : found->second;
  }
  std::vector<std::string> LetterToSoundWords(std::string_view sentence) override {
    std::vector<std::string> found;
    for (const std::string& word : guessed) {
      if (sentence.find(word) != std::string_view::npos) found.push_back(word);
    }
    return found;
  }
  std::map<std::string, std::vector<std::u16string>> readings;
  std::vector<std::string> guessed;
};

}  // namespace quillon::testing
