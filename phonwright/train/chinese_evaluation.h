// Scores the library's Chinese conversion on held-out phrases
// ("phrase<TAB>zhuyin" lines in UTF-8, syllables separated by blanks, as
// phonwright-mkdata writes held-out-phrases.tsv): each phrase goes through
// Text2Phoneme and the syllables of its phone output are compared with the
// reference reading.
#pragma once

#include <cstddef>
#include <filesystem>

namespace phonwright::train {

struct ChineseScores {
  std::size_t phrases = 0;
  std::size_t rightPhrases = 0;
  std::size_t characters = 0;
  std::size_t rightCharacters = 0;  // reference syllables less the edit distance
  std::size_t unconverted = 0;      // phrases Text2Phoneme gave nothing

  double PhraseAccuracy() const { return phrases ? static_cast<double>(rightPhrases) / phrases : 0.0; }
  double CharacterAccuracy() const {
    return characters ? static_cast<double>(rightCharacters) / characters : 0.0;
  }
};

// Initialises the engine on `dataDirectory` and releases it at the end.
// Throws std::runtime_error when the test file cannot be read.
ChineseScores EvaluateChineseConversion(const std::filesystem::path& dataDirectory,
                                        const std::filesystem::path& testFile);

}  // namespace phonwright::train
