#include "quillon/recognition/phonwright_sentence_converter.h"

#include <string>
#include <vector>

#include "phonwright.h"

namespace quillon {

SentenceConversion PhonwrightSentenceConverter::Convert(std::string_view text, TextLanguage language) {
  // The engine reads a NUL-terminated string; the outputs are sized for the
  // largest result of the longest input it accepts.
  const std::string input(text);
  std::vector<char> phones(PHONWRIGHT_MAX_PHONES, '\0');
  std::vector<std::uint16_t> display(PHONWRIGHT_MAX_DISPLAY, 0);
  std::vector<char> codes(PHONWRIGHT_MAX_CODES, '\0');
  std::vector<char> units(PHONWRIGHT_MAX_UNITS, '\0');
  SentenceConversion result;
  result.unitCount = Text2Phoneme(input.c_str(), phones.data(), display.data(), codes.data(), units.data(),
                                  EngineLanguageName(language));
  result.phoneString = phones.data();
  for (std::size_t i = 0; i < display.size() && display[i] != 0; ++i)
    result.displayString.push_back(static_cast<char16_t>(display[i]));
  result.unitCodeList = codes.data();
  result.unitNameString = units.data();
  return result;
}

}  // namespace quillon
