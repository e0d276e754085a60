// The exported Chinese pronunciation look-ups: thin shells over the C++ core
// that check their arguments, keep to the documented buffer sizes and let no
// exception out.
#include <string>

#include "phonwright.h"
#include "phonwright/core/bounded_text.h"
#include "phonwright/core/if_code_table.h"
#include "phonwright/core/polyphone_search.h"
#include "phonwright/core/zhuyin_to_codes.h"

namespace {

constexpr const char* kPolyphoneScratchFile = "polyphone.txt";

}  // namespace

extern "C" PHONWRIGHT_API int Juin2SyllableCode(const char* zhuyin, char* codes) {
  if (codes == nullptr) return -1;
  codes[0] = '\0';
  if (zhuyin == nullptr) return -1;
  try {
    const auto lookup = phonwright::ZhuyinToSyllableCodes(zhuyin);
    phonwright::BoundedText out(codes, PHONWRIGHT_MAX_SYLLABLE_CODES);
    for (const int code : lookup.codes) {
      const std::string text = std::to_string(code) + ' ';
      if (out.size() + text.size() >= PHONWRIGHT_MAX_SYLLABLE_CODES) return -1;
      out.Append(text);
    }
    return lookup.complete ? 0 : -1;
  } catch (...) {
    codes[0] = '\0';
    return -1;
  }
}

extern "C" PHONWRIGHT_API int SylCodeToIFCode(int code, int* initial_code, int* final_code) {
  const auto pair = phonwright::InitialFinalCodesOf(code % 1000);
  if (initial_code != nullptr) *initial_code = pair.initial;
  if (final_code != nullptr) *final_code = pair.final;
  return pair.final;
}

extern "C" PHONWRIGHT_API int SearchPolyPhone(const char* character, char* readings, char* codes) {
  if (readings != nullptr) readings[0] = '\0';
  if (codes != nullptr) codes[0] = '\0';
  if (character == nullptr || readings == nullptr || codes == nullptr) return -1;
  try {
    const auto found = phonwright::SearchPolyphone(character, kPolyphoneScratchFile);
    if (!found) return -1;
    phonwright::BoundedText readingsOut(readings, PHONWRIGHT_MAX_POLYPHONE_READINGS);
    phonwright::BoundedText codesOut(codes, PHONWRIGHT_MAX_POLYPHONE_CODES);
    for (std::size_t i = 0; i < found->readings.size(); ++i) {
      readingsOut.Append(found->readings[i]);
      readingsOut.Append(' ');
      codesOut.AppendFormat("%d ", found->codes[i]);
    }
    return found->row;
  } catch (...) {
    readings[0] = '\0';
    codes[0] = '\0';
    return -1;
  }
}
