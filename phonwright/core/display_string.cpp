#include "phonwright/core/display_string.h"

#include <algorithm>

#include "phonwright/core/text_runs.h"

namespace phonwright {

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void DisplayString(std::string_view phones, const DisplayTables& tables, platform::CodePageDecoder& big5,
                   std::u16string& display) {
  display.clear();
  if (IsAscii(phones)) {
    // Code page 950 leaves ASCII as it is: English phones need no converter.
    ForEachToken(phones, " ", [&](std::string_view token) {
      if (const std::u16string* form = tables.DisplayOfAscii(token)) {
        display += *form;
      } else {
        const std::size_t start = display.size();
        display.resize(start + token.size());
        std::copy(token.begin(), token.end(), display.begin() + static_cast<std::ptrdiff_t>(start));
      }
      display += u' ';
    });
    return;
  }
  const std::u16string wide = big5.ToUtf16(phones);
  std::size_t pos = wide.find_first_not_of(u' ');
  while (pos != std::u16string::npos) {
    std::size_t end = wide.find(u' ', pos);
    if (end == std::u16string::npos) end = wide.size();
    const std::u16string_view token(wide.data() + pos, end - pos);
    const std::u16string* form = tables.DisplayOf(token);
    display.append(form != nullptr ? std::u16string_view(*form) : token);
    display += u' ';
    pos = wide.find_first_not_of(u' ', end);
  }
}

std::u16string DisplayString(std::string_view phones, const DisplayTables& tables, platform::CodePageDecoder& big5) {
  std::u16string display;
  DisplayString(phones, tables, big5, display);
  return display;
}

}  // namespace phonwright
