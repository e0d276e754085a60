// Scores the library's letter-to-sound decoder on held-out dictionary words: a
// word is right when the decoded phones equal one of its reference
// pronunciations; its phone errors are the edit distance to the nearest one.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "phonwright/train/plain_dictionary.h"

namespace phonwright::train {

struct EnglishScores {
  std::size_t words = 0;
  std::size_t wrongWords = 0;
  std::size_t referencePhones = 0;  // of the nearest references
  std::size_t phoneErrors = 0;
  std::size_t unpronounced = 0;  // words the decoder gave nothing
  std::vector<std::string> unpronouncedWords;
  double seconds = 0.0;          // decoding only, wall
  double cpuSeconds = 0.0;       // decoding only, this process's CPU time

  double WordErrorRate() const { return words ? static_cast<double>(wrongWords) / words : 0.0; }
  double PhoneErrorRate() const {
    return referencePhones ? static_cast<double>(phoneErrors) / referencePhones : 0.0;
  }
  double WordsPerSecond() const { return seconds > 0 ? words / seconds : 0.0; }
  double WordsPerCpuSecond() const { return cpuSeconds > 0 ? words / cpuSeconds : 0.0; }
};

// Edit distance (substitutions, insertions, deletions) between two phone lists.
std::size_t PhoneEditDistance(const std::vector<std::string>& a, const std::vector<std::string>& b);

// Groups the entries by word (adjacent entries of one word) and decodes each
// word once. Throws std::runtime_error when the models do not load.
EnglishScores EvaluateLetterToSound(const std::filesystem::path& dataDirectory,
                                    const std::vector<DictionaryEntry>& test);

}  // namespace phonwright::train
