#include "phonwright/inter_unit/inter_unit_conversion.h"

#include <vector>

#include "phonwright.h"
#include "phonwright/core/console.h"
#include "phonwright/core/context_unit_naming.h"
#include "phonwright/core/engine.h"
#include "phonwright/core/english_phone_table.h"
#include "phonwright/core/if_string.h"
#include "phonwright/core/syllable_phone_text.h"
#include "phonwright/core/text_runs.h"
#include "phonwright/core/zhuyin_to_codes.h"
#include "phonwright/inter_unit/inter_unit_pairs.h"
#include "platform/code_page.h"

namespace phonwright {

std::optional<std::string> ConvertToTransitionUnits(Engine& engine, std::string_view text,
                                                    TransitionMode mode) {
  if (text.size() > kMaxTransitionTextBytes) {
    PrintMessage("字串太長，超過256個byte！！！！\n");
    return std::nullopt;
  }
  // The file is created and removed again by every transition-unit
  // conversion: its identity is checked on each write rather than watched
  // (the engine's next conversion watches it again).
  engine.scratch_run_file.RecheckFile(/*watched=*/false);
  const std::string runs = SplitTextRuns(text);
  engine.scratch_run_file.Write(runs);
  std::string phones;
  for (const std::string_view token : SplitTokens(runs)) {
    if (IsChineseRun(token)) {
      phones += SyllablePhoneText(engine.SegmentRun(token), /*report_unknown=*/false, text);
      continue;
    }
    const EnglishWordUnits word = engine.ConvertEnglishWord(token);
    phones += mode == TransitionMode::kAllNeighbours ? word.phonemes
                                                     : PairUnitsAfterSilence(word.context_units);
    phones += ' ';
  }
  engine.scratch_run_file.Remove();

  std::string units = phones;
  if (mode == TransitionMode::kAllNeighbours) {
    PrintMessage("%s\n", ForConsole(phones).c_str());
    if (!SplitTokens(phones, " ").empty()) units = PairUnits(phones);
  }
  if (units.size() >= PHONWRIGHT_MAX_TRANSITION_UNITS) {
    PrintMessage("The transition units of %zu bytes of text exceed the output limit\n",
                 text.size());
    return std::nullopt;
  }
  return units;
}

namespace {

// Outputs left empty: the display string held a token but could not be mapped.
LexiconUnits Refused() {
  LexiconUnits refused;
  refused.had_tokens = true;
  return refused;
}

// A run of tokens of one kind: zhuyin syllables (their codes text) or English
// phones (the phones, each with a blank).
struct TokenRun {
  bool zhuyin = false;
  std::string text;
};

}  // namespace

LexiconUnits ConvertDisplayToUnits(Engine& engine, std::u16string_view display,
                                   std::string_view language) {
  engine.NoticeFileChanges();
  LexiconUnits out;
  const LexiconText mapped = DisplayToLexicon(display, engine.display);
  const std::string lexicon =
      platform::FromUtf16(platform::kCodePageBig5, mapped.text).bytes;
  if (lexicon.size() > kMaxLexiconBytes) {
    PrintMessage("The display string maps to %zu bytes, more than %zu\n", lexicon.size(),
                 kMaxLexiconBytes);
    return out;
  }
  const std::vector<std::string_view> tokens = SplitTokens(lexicon, " ");
  if (tokens.empty()) return out;
  out.had_tokens = true;

  std::vector<TokenRun> runs;
  for (const std::string_view token : tokens) {
    const SyllableCodeLookup syllable = ZhuyinToSyllableCodes(token);
    const bool zhuyin = syllable.complete && !syllable.codes.empty();
    if (!zhuyin && PhoneIndex(token) < 0) {
      PrintMessage("===>%s\n", ForConsole(token).c_str());
      return Refused();
    }
    if (runs.empty() || runs.back().zhuyin != zhuyin) runs.push_back({zhuyin, {}});
    runs.back().text += zhuyin ? FormatSyllableCodes(syllable.codes) : std::string(token) + ' ';
  }

  std::string english_units;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    if (runs[i].zhuyin) {
      PrintMessage("%zu %s\n", i, runs[i].text.c_str());
      out.codes += runs[i].text;
      out.units += SyllableCodesToIFString(ParseCodeList(runs[i].text));
      continue;
    }
    const EnglishWordUnits marked = engine.MarkPhones(runs[i].text);
    out.codes.append(marked.codes).append(" ");
    if (ConvertEnglishUnits(language, engine.unit_models, engine.data_dir, marked.context_units,
                            english_units) == 1)
      out.units += english_units;
  }
  // English unit names end in a blank; an I/F string does not, and keeps its
  // last character.
  if (!out.units.empty() && out.units.back() == ' ') out.units.pop_back();
  if (out.codes.size() >= PHONWRIGHT_MAX_LEXSTR_CODES ||
      out.units.size() >= PHONWRIGHT_MAX_LEXSTR_UNITS)
    return Refused();
  out.result = mapped.kind;
  return out;
}

}  // namespace phonwright
