// Mapping a display string (the 16-bit form of a phone string) back to lexicon
// text: English display forms become their phone names set off by blanks,
// entries of the Chinese display table (zhuyin symbols and marks) stay as they
// are. Only display forms of one or two characters can be matched.
#pragma once

#include <string>
#include <string_view>

#include "phonwright/core/display_tables.h"

namespace phonwright {

enum LexiconKind : int {
  kLexiconChinese = 0,   // only Chinese display symbols
  kLexiconEnglish = 1,   // only English display forms
  kLexiconMixed = 2,     // both
  kLexiconUnknown = 3,   // a character matched neither table, or nothing matched
};

struct LexiconText {
  std::u16string text;   // the mapped string
  LexiconKind kind = kLexiconUnknown;
};

// Each candidate tried is printed on its own line.
LexiconText DisplayToLexicon(std::u16string_view display, const DisplayTables& tables);

}  // namespace phonwright
