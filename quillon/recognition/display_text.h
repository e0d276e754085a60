// The text the sentence list shows for a sentence. Decoded command text is
// code page 950 (English letters are ASCII), so it is widened with that page
// on every system; a PRC system shows Chinese sentences in Simplified script.
#pragma once

#include <string>
#include <string_view>

#include "platform/system_locale.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

// At most 511 UTF-16 units.
std::u16string MakeDisplayText(std::string_view text, TextLanguage language, platform::LanguageId systemLanguage);

// The other way, for a sentence typed into the list: the code page 950 text
// the reader would make of it once saved (Traditional script; a character
// Big5 cannot hold becomes "?").
std::string SentenceTextOfDisplay(std::u16string_view display, TextLanguage language,
                                  platform::LanguageId systemLanguage);

}  // namespace quillon
