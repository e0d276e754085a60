#include "phonwright/core/english_conversion.h"

namespace phonwright {

bool ConvertEnglishText(const EnglishSources& sources, std::string_view text, MarkedUnits& units) {
  const EnglishPhonemes phonemes = ConvertMixedText(sources, text);
  MarkSonorants(phonemes.phonemes, units);
  return phonemes.complete;
}

EnglishConversion ConvertEnglishText(const EnglishSources& sources, std::string_view text) {
  EnglishConversion converted;
  converted.complete = ConvertEnglishText(sources, text, converted.units);
  return converted;
}

}  // namespace phonwright
