#include "quillon/recognition/phonwright_sentence_converter.h"

#include <string>

#include "phonwright.h"

namespace quillon {

PhonwrightSentenceConverter::PhonwrightSentenceConverter()
    : phones_(PHONWRIGHT_MAX_PHONES, '\0'),
      display_(PHONWRIGHT_MAX_DISPLAY, 0),
      codes_(PHONWRIGHT_MAX_CODES, '\0'),
      units_(PHONWRIGHT_MAX_UNITS, '\0') {}

SentenceConversion PhonwrightSentenceConverter::Convert(std::string_view text, TextLanguage language) {
  // The engine reads a NUL-terminated string; the outputs are sized for the
  // largest result of the longest input it accepts.
  const std::string input(text);
  phones_[0] = codes_[0] = units_[0] = '\0';
  display_[0] = 0;
  SentenceConversion result;
  result.unitCount = Text2Phoneme(input.c_str(), phones_.data(), display_.data(), codes_.data(), units_.data(),
                                  EngineLanguageName(language));
  result.phoneString = phones_.data();
  for (std::size_t i = 0; i < display_.size() && display_[i] != 0; ++i)
    result.displayString.push_back(static_cast<char16_t>(display_[i]));
  result.unitCodeList = codes_.data();
  result.unitNameString = units_.data();
  return result;
}

}  // namespace quillon
