// The pronunciation engine as the command file reader and the group data see
// it: one sentence in, the engine's four outputs out. The real converter calls
// Phonwright's Text2Phoneme; tests use a fake.
#pragma once

#include <string>
#include <string_view>

#include "quillon/recognition/text_language.h"

namespace quillon {

struct SentenceConversion {
  int unitCount = 0;             // number of codes in unitCodeList (the engine's result)
  std::string phoneString;       // second output
  std::u16string displayString;  // third output
  std::string unitCodeList;      // fourth output
  std::string unitNameString;    // fifth output

  bool operator==(const SentenceConversion&) const = default;
};

class SentenceConverter {
 public:
  virtual ~SentenceConverter() = default;
  // Converts one sentence (code page 950 or ASCII) with the engine language of
  // `language` ("America" for English, "Taiwan" otherwise). The engine is not
  // re-entrant: one thread at a time.
  virtual SentenceConversion Convert(std::string_view text, TextLanguage language) = 0;
};

}  // namespace quillon
