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

// All outputs empty, a count of 0 and the text not read.
void Refuse(PhonemeOutputs& out) {
  out.phones.clear();
  out.display.clear();
  out.codes.clear();
  out.units.clear();
  out.code_count = 0;
  out.complete = false;
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

void ConvertSentence(Engine& engine, std::string_view text, std::string_view language, PhonemeOutputs& out) {
  Refuse(out);
  if (text.size() > kMaxSentenceBytes) {
    PrintMessage("字串太長，超過256個byte！！！！ %zu\n", text.size());
    return;
  }
  engine.NoticeFileChanges();
  SentenceWork& work = engine.sentence_work;
  SplitTextRuns(text, work.runs);
  engine.scratch_run_file.Write(work.runs);

  out.complete = true;
  work.english_units.clear();
  ForEachToken(work.runs, kAsciiWhitespace, [&](std::string_view token) {
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
      MarkedUnits& word = work.word;
      out.complete = engine.ConvertEnglishWord(token, word) && out.complete;
      out.phones.append(word.phonemes).append(" ");
      if (ConvertEnglishUnits(language, engine.unit_models, engine.data_dir, word.contextUnits,
                              work.word_units) == 1)
        work.english_units += work.word_units;
      out.codes.append(word.codes).append(" ");
    }
  });
  std::replace(work.english_units.begin(), work.english_units.end(), '$', ' ');
  out.units += work.english_units;
  DisplayString(out.phones, engine.display, engine.big5_decoder, out.display);
  ForEachToken(out.codes, " ", [&](std::string_view) { ++out.code_count; });
  if (!FitsTheOutputs(out)) {
    PrintMessage("The conversion of %zu bytes of text exceeds the output limits\n", text.size());
    Refuse(out);
  }
}

PhonemeOutputs ConvertSentence(Engine& engine, std::string_view text, std::string_view language) {
  PhonemeOutputs out;
  ConvertSentence(engine, text, language, out);
  return out;
}

}  // namespace phonwright
