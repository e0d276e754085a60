#include "phonwright/core/display_string.h"

namespace phonwright {

std::u16string DisplayString(std::string_view phones, const DisplayTables& tables, platform::CodePageDecoder& big5) {
  const std::u16string wide = big5.ToUtf16(phones);
  std::u16string display;
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
  return display;
}

}  // namespace phonwright
