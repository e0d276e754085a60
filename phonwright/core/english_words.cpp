#include "phonwright/core/english_words.h"

#include "phonwright/english_dictionary/english_text.h"
#include "phonwright/english_words/english_word_readings.h"
#include "phonwright/l2s/letter_to_sound.h"

namespace phonwright {

EnglishPhonemes ConvertEnglishWords(const EnglishSources& sources, std::string_view text) {
  EnglishPhonemes result;
  std::size_t wordNumber = 0;
  // A word's phones (and `tail`), followed by a space; nothing when it has no reading.
  const auto append = [&](std::string_view phones, std::string_view tail = {}) {
    if (phones.empty() && tail.empty()) {
      result.complete = false;
    } else {
      if (wordNumber > 0) result.phonemes += "$ ";
      result.phonemes.append(phones).append(tail);
      result.phonemes += ' ';
    }
    ++wordNumber;
  };
  for (const EnglishWordReading& word : ReadEnglishWords(sources.dictionary, text)) {
    if (word.source == EnglishWordSource::kLetterToSound) {
      std::string lower = word.word;
      ToLowerAscii(lower);
      append(l2s::LetterToSound(sources.letterToSound, lower));
    } else if (word.phones.empty()) {
      append({});
    } else {
      for (const std::string& phones : word.phones) append(phones, " ");
    }
  }
  return result;
}

}  // namespace phonwright
