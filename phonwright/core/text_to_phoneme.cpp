#include "phonwright/core/text_to_phoneme.h"

#include <algorithm>

#include "phonwright.h"
#include "phonwright/core/console.h"
#include "phonwright/core/context_unit_naming.h"
#include "phonwright/core/decimal_text.h"
#include "phonwright/core/display_string.h"
#include "phonwright/core/engine.h"
#include "phonwright/core/if_string.h"
#include "phonwright/core/segment_run.h"
#include "phonwright/core/syllable_phone_text.h"
#include "phonwright/core/text_runs.h"

namespace phonwright {

namespace {

bool FitsTheOutputs(const PhonemeOutputs& out) {
  return out.phones.size() < PHONWRIGHT_MAX_PHONES && out.codes.size() < PHONWRIGHT_MAX_CODES &&
         out.units.size() < PHONWRIGHT_MAX_UNITS && out.display.size() < PHONWRIGHT_MAX_DISPLAY;
}

PhonemeOutputs Refused() {
  PhonemeOutputs refused;
  refused.complete = false;
  return refused;
}

// A character of a Chinese run that no dictionary word reads (its syllable has
// no code, or it is a letter or sign of no reading) is named on the console.
void ReportLeftOut(std::string_view run, const SegmentedRun& segmented, std::string_view sentence) {
  for (const std::size_t character : segmented.leftOut) {
    PrintMessage("No reading for %s in \"%s\"; left out\n",
                 ForConsole(run.substr(2 * character, 2)).c_str(), ForConsole(sentence).c_str());
  }
}

}  // namespace

PhonemeOutputs ConvertSentence(Engine& engine, std::string_view text, std::string_view language) {
  if (text.size() > kMaxSentenceBytes) {
    PrintMessage("字串太長，超過256個byte！！！！ %zu\n", text.size());
    return Refused();
  }
  engine.NoticeFileChanges();
  const std::string runs = SplitTextRuns(text);
  engine.scratch_run_file.Write(runs);

  PhonemeOutputs out;
  std::string english_units;
  std::string word_units;
  ForEachToken(runs, kAsciiWhitespace, [&](std::string_view token) {
    if (IsChineseRun(token)) {
      const SegmentedRun segmented = SegmentRun(engine.segmentation, token);
      ReportLeftOut(token, segmented, text);
      out.complete = out.complete && segmented.complete();
      const std::vector<int>& codes = segmented.codes;
      out.phones += SyllablePhoneText(codes, /*report_unknown=*/true, text);
      for (const int code : codes) {
        AppendDecimal(code, out.codes);
        out.codes += ' ';
      }
      out.units += SyllableCodesToIFString(codes);
    } else {
      const EnglishWordUnits word = engine.ConvertEnglishWord(token);
      out.complete = out.complete && word.complete;
      out.phones.append(word.phonemes).append(" ");
      if (ConvertEnglishUnits(language, engine.unit_models, engine.data_dir, word.context_units,
                              word_units) == 1)
        english_units += word_units;
      out.codes.append(word.codes).append(" ");
    }
  });
  std::replace(english_units.begin(), english_units.end(), '$', ' ');
  out.units += english_units;
  out.display = DisplayString(out.phones, engine.display, engine.big5_decoder);
  ForEachToken(out.codes, " ", [&](std::string_view) { ++out.code_count; });
  if (!FitsTheOutputs(out)) {
    PrintMessage("The conversion of %zu bytes of text exceeds the output limits\n", text.size());
    return Refused();
  }
  return out;
}

}  // namespace phonwright
