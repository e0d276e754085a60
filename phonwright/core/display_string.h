// The display form of a phone string (the third output of a conversion): the
// phone string in UTF-16, each blank-separated token replaced by its form in
// the English display table (tokens without one stay as they are), each token
// followed by exactly one space.
#pragma once

#include <string>
#include <string_view>

#include "phonwright/core/display_tables.h"
#include "platform/code_page.h"

namespace phonwright {

// `phones` is Big5 and ASCII; it is widened by `big5` (a code page 950 decoder).
std::u16string DisplayString(std::string_view phones, const DisplayTables& tables, platform::CodePageDecoder& big5);
// The same into `display`, replacing its text (its room is reused).
void DisplayString(std::string_view phones, const DisplayTables& tables, platform::CodePageDecoder& big5,
                   std::u16string& display);

}  // namespace phonwright
