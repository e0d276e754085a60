#include "phonwright/english_words/english_word_readings.h"

#include <algorithm>
#include <optional>

#include "phonwright/english_dictionary/english_text.h"
#include "phonwright/english_words/english_letter_names.h"

namespace phonwright {
namespace {

constexpr std::string_view kPunctuation = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
constexpr std::string_view kBlanks = " \t\n";

class WordReader {
 public:
  explicit WordReader(const EnglishDictionary& dictionary) : dictionary_(dictionary) {}

  void ReadToken(std::string_view token, std::vector<EnglishWordReading>& words) const {
    if (auto whole = FromTables(token)) {
      words.push_back(std::move(*whole));
      return;
    }
    const std::size_t first = token.find_first_not_of(kPunctuation);
    if (first == std::string_view::npos) return;  // punctuation only: no word
    const std::size_t last = token.find_last_not_of(kPunctuation);
    const std::string_view word = token.substr(first, last - first + 1);
    if (word.size() != token.size()) {
      if (auto whole = FromTables(word)) {
        words.push_back(std::move(*whole));
        return;
      }
    }
    for (const std::string_view part : SplitAtPunctuation(word)) {
      if (auto found = FromTables(part)) {
        words.push_back(std::move(*found));
      } else if (IsCapitalsToSpell(part)) {
        words.push_back(Spelled(part));
      } else {
        words.push_back(Untabled(part));
      }
    }
  }

 private:
  // The parts of a word between its inner punctuation; an apostrophe joins
  // ("don't", "o'clock").
  static std::vector<std::string_view> SplitAtPunctuation(std::string_view word) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= word.size(); ++i) {
      if (i < word.size() && (word[i] == '\'' || !IsAsciiPunctuation(word[i]))) continue;
      if (i > start) parts.push_back(word.substr(start, i - start));
      start = i + 1;
    }
    return parts;
  }

  static bool IsCapitalsToSpell(std::string_view word) {
    return word.size() >= 2 && word.size() <= kMaxSpelledCapitals &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
  }

  // The dictionary ("A" alone excepted), then the exception words.
  std::optional<EnglishWordReading> FromTables(std::string_view token) const {
    std::string upper(token);
    ToUpperAscii(upper);
    EnglishPronunciations found;
    if (upper != "A" && dictionary_.Find(upper, found) && !found.pronunciations.empty())
      return EnglishWordReading{std::string(token), EnglishWordSource::kDictionary, {found.pronunciations.front()}};
    std::string lower(token);
    ToLowerAscii(lower);
    if (const auto exception = ExceptionWord(lower))
      return EnglishWordReading{std::string(token), EnglishWordSource::kExceptionWord, {std::string(*exception)}};
    return std::nullopt;
  }

  // A word the tables lack: a one-letter word's letter name, else the decoder.
  static EnglishWordReading Untabled(std::string_view word) {
    if (word.size() > 1) return {std::string(word), EnglishWordSource::kLetterToSound, {}};
    const char letter = word[0] >= 'A' && word[0] <= 'Z' ? static_cast<char>(word[0] - 'A' + 'a') : word[0];
    if (const auto name = LetterName(letter))
      return {std::string(word), EnglishWordSource::kLetterName, {std::string(*name)}};
    return {std::string(word), EnglishWordSource::kNoReading, {}};
  }

  // Each letter reads as the one-letter word, but A as the letter's name
  // ("a*", always an exception word), not as the article.
  EnglishWordReading Spelled(std::string_view capitals) const {
    EnglishWordReading spelled{std::string(capitals), EnglishWordSource::kSpelled, {}};
    for (const char letter : capitals) {
      const std::string_view word = letter == 'A' ? std::string_view("a*") : std::string_view(&letter, 1);
      const auto reading = FromTables(word);
      spelled.phones.push_back(reading ? reading->phones.front() : Untabled(word).phones.front());
    }
    return spelled;
  }

  const EnglishDictionary& dictionary_;
};

}  // namespace

std::vector<EnglishWordReading> ReadEnglishWords(const EnglishDictionary& dictionary, std::string_view text) {
  const WordReader reader(dictionary);
  std::vector<EnglishWordReading> words;
  std::size_t tokenStart = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool atEnd = i == text.size();
    const char c = atEnd ? ' ' : text[i];
    const bool doubleByte = static_cast<unsigned char>(c) >= 0x80;
    const auto digit = DigitWord(c);
    if (!doubleByte && !digit && kBlanks.find(c) == std::string_view::npos) continue;
    if (i > tokenStart) reader.ReadToken(text.substr(tokenStart, i - tokenStart), words);
    if (digit) reader.ReadToken(*digit, words);
    if (doubleByte) ++i;  // its trail byte
    tokenStart = i + 1;
  }
  return words;
}

}  // namespace phonwright
