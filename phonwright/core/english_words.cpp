#include "phonwright/core/english_words.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "phonwright/core/english_letter_names.h"
#include "phonwright/core/text_breaks.h"
#include "phonwright/english_dictionary/english_text.h"
#include "phonwright/l2s/letter_to_sound.h"

namespace phonwright {
namespace {

// Two-byte characters out (a run of them leaves one space).
std::string WithoutDoubleByteText(std::string_view text) {
  std::string out;
  bool skippedDoubleByte = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80) {
      ++i;  // its trail byte
      skippedDoubleByte = true;
      continue;
    }
    if (skippedDoubleByte) out.push_back(' ');
    skippedDoubleByte = false;
    out.push_back(text[i]);
  }
  return out;
}

// A word's phones, each followed by a space; nothing when it has no reading.
using WordReading = std::optional<std::string>;

class WordReader {
 public:
  explicit WordReader(const EnglishSources& sources) : sources_(sources) {}

  // The words a token reads as, in order; a word without reading is there
  // as nothing (it keeps its place in the numbering of words).
  std::vector<WordReading> ReadToken(std::string_view token) const {
    if (auto whole = FromTables(token)) return {std::move(whole)};
    const std::size_t first = token.find_first_not_of(kPunctuation);
    if (first == std::string_view::npos) return {};  // punctuation only: no word
    const std::size_t last = token.find_last_not_of(kPunctuation);
    const std::string_view word = token.substr(first, last - first + 1);
    if (word.size() != token.size())
      if (auto whole = FromTables(word)) return {std::move(whole)};
    std::vector<WordReading> words;
    for (const std::string_view part : SplitAtPunctuation(word)) {
      if (auto found = FromTables(part)) {
        words.push_back(std::move(found));
      } else if (IsCapitalsToSpell(part)) {
        for (const char letter : part) words.push_back(SpelledLetter(letter));
      } else {
        words.push_back(Untabled(part));
      }
    }
    return words;
  }

 private:
  static constexpr std::string_view kPunctuation = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";

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
  WordReading FromTables(std::string_view token) const {
    std::string upper(token);
    ToUpperAscii(upper);
    EnglishPronunciations found;
    if (upper != "A" && sources_.dictionary.Find(upper, found) && !found.pronunciations.empty())
      return found.pronunciations.front() + ' ';
    std::string lower(token);
    ToLowerAscii(lower);
    if (const auto exception = ExceptionWord(lower)) return std::string(*exception) + ' ';
    return std::nullopt;
  }

  // A word the tables lack: a one-letter word's letter name, else the decoder.
  WordReading Untabled(std::string_view word) const {
    std::string lower(word);
    ToLowerAscii(lower);
    if (lower.size() == 1) {
      const auto name = LetterName(lower[0]);
      return name ? WordReading(std::string(*name) + ' ') : std::nullopt;
    }
    std::string decoded = l2s::LetterToSound(sources_.letterToSound, lower);
    return decoded.empty() ? std::nullopt : WordReading(std::move(decoded));
  }

  // A letter of a spelled word reads as the one-letter word, but A as the
  // letter's name ("a*"), not as the article.
  WordReading SpelledLetter(char letter) const {
    if (letter == 'A') return FromTables("a*");
    const std::string_view word(&letter, 1);
    if (auto found = FromTables(word)) return found;
    return Untabled(word);
  }

  const EnglishSources& sources_;
};

}  // namespace

EnglishPhonemes ConvertEnglishWords(const EnglishSources& sources, std::string_view text) {
  const std::string normalised = WithoutDoubleByteText(text);
  const WordReader reader(sources);
  EnglishPhonemes result;
  std::size_t wordNumber = 0;
  std::size_t at = 0;
  while (at < normalised.size()) {
    const std::size_t start = normalised.find_first_not_of(" \t\n", at);
    if (start == std::string::npos) break;
    std::size_t end = normalised.find_first_of(" \t\n", start);
    if (end == std::string::npos) end = normalised.size();
    for (const WordReading& word : reader.ReadToken(std::string_view(normalised).substr(start, end - start))) {
      if (!word) {
        result.complete = false;
      } else {
        if (wordNumber > 0) result.phonemes += "$ ";
        result.phonemes += *word;
        result.phonemes += ' ';
      }
      ++wordNumber;
    }
    at = end;
  }
  return result;
}

}  // namespace phonwright
