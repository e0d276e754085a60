#include "phonwright/core/english_conversion.h"

namespace phonwright {

EnglishConversion ConvertEnglishText(const EnglishSources& sources, std::string_view text) {
  const EnglishPhonemes phonemes = ConvertMixedText(sources, text);
  return {MarkSonorants(phonemes.phonemes), phonemes.complete};
}

}  // namespace phonwright
