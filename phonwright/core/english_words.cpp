#include "phonwright/core/english_words.h"

#include "phonwright/core/english_letter_names.h"
#include "phonwright/core/english_text.h"
#include "phonwright/l2s/letter_to_sound.h"

namespace phonwright {
namespace {

// Two-byte characters out, "." and "-" to spaces.
std::string NormaliseEnglishText(std::string_view text) {
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
    out.push_back(text[i] == '.' || text[i] == '-' ? ' ' : text[i]);
  }
  return out;
}

// The word's phones, each followed by a space, or "" when it has no reading.
std::string WordPhonemes(const EnglishSources& sources, std::string word) {
  ToUpperAscii(word);
  EnglishPronunciations found;
  if (word != "A" && sources.dictionary.Find(word, found) && !found.pronunciations.empty())
    return found.pronunciations.front() + ' ';
  ToLowerAscii(word);
  if (const auto exception = ExceptionWord(word)) return std::string(*exception) + ' ';
  if (word.size() == 1) {
    const auto name = LetterName(word[0]);
    return name ? std::string(*name) + ' ' : std::string();
  }
  return l2s::LetterToSound(sources.letterToSound, word);
}

}  // namespace

EnglishPhonemes ConvertEnglishWords(const EnglishSources& sources, std::string_view text) {
  const std::string normalised = NormaliseEnglishText(text);
  EnglishPhonemes result;
  std::size_t wordNumber = 0;
  std::size_t at = 0;
  while (at < normalised.size()) {
    const std::size_t start = normalised.find_first_not_of(" \t\n", at);
    if (start == std::string::npos) break;
    std::size_t end = normalised.find_first_of(" \t\n", start);
    if (end == std::string::npos) end = normalised.size();
    const std::string phonemes = WordPhonemes(sources, normalised.substr(start, end - start));
    if (phonemes.empty()) {
      result.complete = false;
    } else {
      if (wordNumber > 0) result.phonemes += "$ ";
      result.phonemes += phonemes;
      result.phonemes += ' ';
    }
    ++wordNumber;
    at = end;
  }
  return result;
}

}  // namespace phonwright
