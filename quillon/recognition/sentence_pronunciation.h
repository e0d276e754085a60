// What the chip will be taught for one sentence of the list: the engine's
// display string, and what the user may want to check in it: English words
// whose phones the letter-to-sound decoder guessed, Chinese characters with
// more than one reading, or why the sentence cannot be downloaded at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_locale.h"
#include "quillon/recognition/sentence_converter.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

// The engine's knowledge behind the marks. The real one asks the engine (it
// must not be used while another thread converts); tests answer from tables.
class PronunciationHints {
 public:
  virtual ~PronunciationHints() = default;
  // Every reading of a Big5 character (two bytes), zhuyin with tone mark;
  // empty when the character has only one.
  virtual std::vector<std::u16string> PolyphoneReadings(std::string_view character) = 0;
  // The words of an English sentence that the engine reads with its
  // letter-to-sound decoder, each once, in sentence order.
  virtual std::vector<std::string> LetterToSoundWords(std::string_view sentence) = 0;
};

struct Polyphone {
  std::u16string character;
  std::vector<std::u16string> readings;

  bool operator==(const Polyphone&) const = default;
};

struct SentencePronunciation {
  std::u16string display;                  // the engine's display string; empty on failure
  std::vector<std::u16string> guessedWords;  // English words read by letter-to-sound
  std::vector<Polyphone> polyphones;       // each character once, in sentence order
  std::optional<std::u16string> failure;   // why the sentence cannot be downloaded

  bool operator==(const SentencePronunciation&) const = default;
};

// Converts the sentence shown in the list as `text` (a file of `language`) as
// the reader and the download would once it is saved. Only the first word is
// read when the text holds blanks, which is a failure too: the rest would be
// lost.
SentencePronunciation PronounceSentence(std::int32_t id, std::u16string_view text, TextLanguage language,
                                        platform::LanguageId systemLanguage, SentenceConverter& converter,
                                        PronunciationHints& hints);

}  // namespace quillon
