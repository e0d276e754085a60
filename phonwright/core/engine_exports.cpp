// The exported lifetime and conversion functions: thin shells over the C++
// core that check their arguments, copy results into the caller's buffers
// within the documented sizes and let no exception out.
#include <cstring>
#include <string>

#include "phonwright.h"
#include "phonwright/core/bounded_text.h"
#include "phonwright/core/console.h"
#include "phonwright/core/engine.h"
#include "phonwright/core/text_to_phoneme.h"

namespace {

void CopyDisplay(std::uint16_t* display, std::u16string_view text) {
  const std::size_t n = std::min(text.size(), std::size_t{PHONWRIGHT_MAX_DISPLAY - 1});
  for (std::size_t i = 0; i < n; ++i) display[i] = text[i];
  display[n] = 0;
}

}  // namespace

extern "C" PHONWRIGHT_API int Text2PhonemeInit(const char* data_dir) {
  if (data_dir == nullptr) return 0;
  try {
    phonwright::ResetTheEngine();
    return phonwright::InitializeEngine(phonwright::TheEngine(), data_dir);
  } catch (const std::exception& error) {
    phonwright::PrintMessage("Text2PhonemeInit failed: %s\n", error.what());
    return 0;
  } catch (...) {
    return 0;
  }
}

extern "C" PHONWRIGHT_API int Text2PhonemeRelease(void) {
  try {
    phonwright::ResetTheEngine();
  } catch (...) {
  }
  return 1;
}

extern "C" PHONWRIGHT_API int Text2Phoneme(const char* text, char* phones, uint16_t* display,
                                           char* codes, char* units, const char* language) {
  if (phones != nullptr) phones[0] = '\0';
  if (display != nullptr) display[0] = 0;
  if (codes != nullptr) codes[0] = '\0';
  if (units != nullptr) units[0] = '\0';
  phonwright::Engine& engine = phonwright::TheEngine();
  engine.last_sentence_complete = false;
  if (text == nullptr || phones == nullptr || display == nullptr || codes == nullptr ||
      units == nullptr || language == nullptr)
    return 0;
  try {
    phonwright::PhonemeOutputs& out = engine.sentence_outputs;
    phonwright::ConvertSentence(engine, text, language, out);
    engine.last_sentence_complete = out.complete;
    phonwright::CopyBounded(phones, PHONWRIGHT_MAX_PHONES, out.phones);
    CopyDisplay(display, out.display);
    phonwright::CopyBounded(codes, PHONWRIGHT_MAX_CODES, out.codes);
    phonwright::CopyBounded(units, PHONWRIGHT_MAX_UNITS, out.units);
    return out.code_count;
  } catch (...) {
    phones[0] = '\0';
    display[0] = 0;
    codes[0] = '\0';
    units[0] = '\0';
    return 0;
  }
}

extern "C" PHONWRIGHT_API int Text2PhonemeComplete(void) {
  return phonwright::TheEngine().last_sentence_complete ? 1 : 0;
}

extern "C" PHONWRIGHT_API int Text2Phoneme_Eng(const char* text, char* phonemes, char* codes) {
  if (phonemes != nullptr) phonemes[0] = '\0';
  if (codes != nullptr) codes[0] = '\0';
  if (text == nullptr || phonemes == nullptr || codes == nullptr) return 0;
  try {
    phonwright::Engine& engine = phonwright::TheEngine();
    phonwright::MarkedUnits& out = engine.english_outputs;
    const bool complete = engine.ConvertEnglishWord(text, out);
    if (out.phonemes.size() >= PHONWRIGHT_MAX_PHONES || out.codes.size() >= PHONWRIGHT_MAX_CODES)
      return 0;
    phonwright::CopyBounded(phonemes, PHONWRIGHT_MAX_PHONES, out.phonemes);
    phonwright::CopyBounded(codes, PHONWRIGHT_MAX_CODES, out.codes);
    return complete ? 1 : 0;
  } catch (...) {
    phonemes[0] = '\0';
    codes[0] = '\0';
    return 0;
  }
}
