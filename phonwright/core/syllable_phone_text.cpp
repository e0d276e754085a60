#include "phonwright/core/syllable_phone_text.h"

#include "phonwright/core/console.h"
#include "phonwright/core/digit_phone_table.h"
#include "phonwright/zhuyin/syllable_table.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright {

namespace {

// Big5 tone string of the thousands part of a syllable code.
std::string_view ToneString(int tone_digit) {
  return tone_digit == 1 ? std::string_view(" ") : zhuyin::ToneMarkOfToneDigit(tone_digit);
}

}  // namespace

std::string SyllablePhoneText(std::span<const int> codes, bool report_unknown,
                              std::string_view sentence) {
  std::string text;
  for (const int code : codes) {
    const int tone = code / 1000;
    const int syllable = code % 1000;
    if (tone >= 6) {
      for (const std::string_view phone : DigitPhones(syllable)) text.append(phone).append(" ");
      continue;
    }
    if (syllable < 0 || syllable >= kSyllableCount || tone < 0) {
      if (report_unknown) {
        PrintMessage("error %d %s\n", syllable, ForConsole(sentence).c_str());
        WaitForKey();
      }
      continue;
    }
    text.append(SyllableText(syllable)).append(ToneString(tone));
    text += ' ';
  }
  return text;
}

}  // namespace phonwright
