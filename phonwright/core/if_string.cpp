#include "phonwright/core/if_string.h"

#include <charconv>
#include <cstdio>

#include "phonwright/core/digit_phone_table.h"
#include "phonwright/core/if_code_table.h"

namespace phonwright {

std::string SyllableCodesToIFString(std::span<const int> codes) {
  std::string text;
  bool first = true;
  for (const int code : codes) {
    const int tonePart = code / 1000;
    const int number = code % 1000;
    if (tonePart < 6) {
      const auto pair = InitialFinalCodesOf(number);
      char formatted[32];
      std::snprintf(formatted, sizeof formatted, first ? "I%02d F%02d " : " I%02d F%02d ",
                    pair.initial, pair.final);
      text += formatted;
    } else {
      if (!first) text += ' ';
      for (const auto phone : DigitPhones(number)) {
        text += phone;
        text += ' ';
      }
      text += ' ';
    }
    first = false;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::vector<int> ParseCodeList(std::string_view text) {
  std::vector<int> codes;
  std::size_t position = 0;
  while (position < text.size()) {
    if (text[position] == ' ' || text[position] == '\t') {
      ++position;
      continue;
    }
    std::size_t end = position;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
    int code = 0;
    std::from_chars(text.data() + position, text.data() + end, code);
    codes.push_back(code);
    position = end;
  }
  return codes;
}

}  // namespace phonwright
