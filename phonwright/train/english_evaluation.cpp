#include "phonwright/train/english_evaluation.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "phonwright/l2s/letter_to_sound.h"
#include "phonwright/l2s/letter_to_sound_models.h"

namespace phonwright::train {
namespace {

struct TestWord {
  std::string word;
  std::vector<std::vector<std::string>> references;
};

std::vector<TestWord> GroupByWord(const std::vector<DictionaryEntry>& entries) {
  std::vector<TestWord> words;
  for (const auto& entry : entries) {
    if (words.empty() || words.back().word != entry.word) words.push_back({entry.word, {}});
    words.back().references.push_back(entry.phones);
  }
  return words;
}

std::vector<std::string> SplitPhones(const std::string& text) {
  std::vector<std::string> phones;
  std::istringstream in(text);
  for (std::string phone; in >> phone;) phones.push_back(phone);
  return phones;
}

}  // namespace

std::size_t PhoneEditDistance(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

EnglishScores EvaluateLetterToSound(const std::filesystem::path& dataDirectory,
                                    const std::vector<DictionaryEntry>& test) {
  l2s::LetterToSoundModels models;
  if (!models.Load(dataDirectory)) throw std::runtime_error("the letter-to-sound models do not load");
  const auto words = GroupByWord(test);
  std::vector<std::string> decoded(words.size());
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  for (std::size_t i = 0; i < words.size(); ++i) decoded[i] = l2s::LetterToSound(models, words[i].word);
  EnglishScores scores;
  scores.cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  scores.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (std::size_t i = 0; i < words.size(); ++i) {
    const auto phones = SplitPhones(decoded[i]);
    std::size_t best = std::numeric_limits<std::size_t>::max();
    std::size_t bestLength = 0;
    for (const auto& reference : words[i].references) {
      const std::size_t distance = PhoneEditDistance(phones, reference);
      if (distance < best) {
        best = distance;
        bestLength = reference.size();
      }
    }
    ++scores.words;
    scores.wrongWords += best != 0;
    scores.phoneErrors += best;
    scores.referencePhones += bestLength;
    if (phones.empty()) {
      ++scores.unpronounced;
      scores.unpronouncedWords.push_back(words[i].word);
    }
  }
  return scores;
}

}  // namespace phonwright::train
