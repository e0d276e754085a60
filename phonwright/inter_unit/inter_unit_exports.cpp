// The exported inter-unit conversions: thin shells over the C++ core.
#include <string>

#include "phonwright.h"
#include "phonwright/core/bounded_text.h"
#include "phonwright/core/engine.h"
#include "phonwright/inter_unit/inter_unit_conversion.h"

namespace {

int Transition(const char* text, char* output, phonwright::TransitionMode mode) {
  if (text == nullptr || output == nullptr) return 0;
  try {
    const auto units = phonwright::ConvertToTransitionUnits(phonwright::TheEngine(), text, mode);
    if (!units) return 0;
    phonwright::CopyBounded(output, PHONWRIGHT_MAX_TRANSITION_UNITS, *units);
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace

extern "C" PHONWRIGHT_API int Text2Phoneme_interRCD(const char* text, char* output) {
  return Transition(text, output, phonwright::TransitionMode::kAllNeighbours);
}

extern "C" PHONWRIGHT_API int Text2Phoneme_interRCD_addsil(const char* text, char* output) {
  return Transition(text, output, phonwright::TransitionMode::kEnglishWordWise);
}

extern "C" PHONWRIGHT_API int PhonemeToLexstr(const uint16_t* display, char* codes, char* units,
                                              const char* language) {
  if (display == nullptr || codes == nullptr || units == nullptr || language == nullptr)
    return -1;
  try {
    std::u16string text;
    for (const uint16_t* c = display; *c != 0; ++c) text += static_cast<char16_t>(*c);
    const phonwright::LexiconUnits out =
        phonwright::ConvertDisplayToUnits(phonwright::TheEngine(), text, language);
    if (out.result < 0) {
      if (out.had_tokens) {
        codes[0] = '\0';
        units[0] = '\0';
      }
      return -1;
    }
    phonwright::CopyBounded(codes, PHONWRIGHT_MAX_LEXSTR_CODES, out.codes);
    phonwright::CopyBounded(units, PHONWRIGHT_MAX_LEXSTR_UNITS, out.units);
    return out.result;
  } catch (...) {
    return -1;
  }
}
