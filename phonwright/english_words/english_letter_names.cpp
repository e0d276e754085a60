#include "phonwright/english_words/english_letter_names.h"

#include <array>
#include <utility>

namespace phonwright {
namespace {

constexpr std::array<std::string_view, 26> kLetterNames = {
    "AX",    "B IY", "S IY", "D IY", "IY",   "EH F", "Y IY",          "EH CH", "AY",
    "Y EY",  "K EY", "EH L", "EH M", "EH N", "OW",   "P IY",          "K IY UW", "AA R",
    "EH S",  "T IY", "Y UW", "V IY", "D AH B AX UW", "EH K S",       "W AY",  "Z IY"};

constexpr std::array<std::pair<std::string_view, std::string_view>, 1> kExceptions = {{{"a*", "EY"}}};

constexpr std::array<std::string_view, 10> kDigitWords = {"zero", "one", "two",   "three", "four",
                                                          "five", "six", "seven", "eight", "nine"};

}  // namespace

std::optional<std::string_view> LetterName(char letter) {
  if (letter < 'a' || letter > 'z') return std::nullopt;
  return kLetterNames[static_cast<std::size_t>(letter - 'a')];
}

std::optional<std::string_view> ExceptionWord(std::string_view lowerWord) {
  for (const auto& [word, phones] : kExceptions)
    if (word == lowerWord) return phones;
  return std::nullopt;
}

std::optional<std::string_view> DigitWord(char digit) {
  if (digit < '0' || digit > '9') return std::nullopt;
  return kDigitWords[static_cast<std::size_t>(digit - '0')];
}

}  // namespace phonwright
