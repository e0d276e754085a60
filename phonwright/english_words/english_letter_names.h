// Built-in readings of English words that need no dictionary: the names of
// the letters (for one-letter words), the exception words, and the words of
// the digits.
#pragma once

#include <optional>
#include <string_view>

namespace phonwright {

// Phones of the name of a lower-case letter a to z ("b" gives "B IY");
// nothing for any other character.
std::optional<std::string_view> LetterName(char letter);

// Phones of an exception word, compared on the lower-case word ("a*" gives "EY").
std::optional<std::string_view> ExceptionWord(std::string_view lowerWord);

// "zero" to "nine" for the ASCII digits '0' to '9'; nothing for other bytes.
std::optional<std::string_view> DigitWord(char digit);

}  // namespace phonwright
