// A stand-in for the pronunciation engine with outputs that follow from the
// text, so tests know what each sentence converts to:
//   Chinese: one syllable per two bytes, unit names "I<lead % 90> F<trail % 40>"
//            with two spaces after each pair, codes "1001 " per syllable;
//   English: one unit per byte, the unit in slot (byte - 'a') % 136 of the
//            unit name table, codes "412 " per unit.
// Texts given in `overrides` convert to exactly the conversion stored there.
#pragma once

#include <map>
#include <string>

#include "phonwright/units/unit_name_table.h"
#include "quillon/recognition/sentence_converter.h"

namespace quillon::testing {

class FakeSentenceConverter final : public SentenceConverter {
 public:
  SentenceConversion Convert(std::string_view text, TextLanguage language) override {
    ++calls;
    if (const auto found = overrides.find(std::string(text)); found != overrides.end()) return found->second;
    SentenceConversion conversion;
    if (IsEnglish(language)) {
      for (char c : text) {
        const auto slot = static_cast<std::size_t>((static_cast<unsigned char>(c) - 'a' + 136) % 136);
        conversion.unitNameString += std::string(phonwright::UnitNameAt(slot)) + " ";
        conversion.unitCodeList += "412 ";
        conversion.phoneString += "AA ";
        conversion.displayString += u"AA ";
        ++conversion.unitCount;
      }
    } else {
      for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        conversion.unitNameString += "I" + std::to_string(static_cast<unsigned char>(text[i]) % 90) + " F" +
                                     std::to_string(static_cast<unsigned char>(text[i + 1]) % 40) + "  ";
        conversion.unitCodeList += "1001 ";
        conversion.phoneString += "x ";
        conversion.displayString += u"x ";
        ++conversion.unitCount;
      }
    }
    return conversion;
  }

  std::map<std::string, SentenceConversion> overrides;
  int calls = 0;
};

}  // namespace quillon::testing
