// The engine's state: everything Text2PhonemeInit loads from the data
// directory and the conversions read. The C interface keeps one process-wide
// Engine (TheEngine); the C++ core takes the engine as an argument, so tests
// run on engines of their own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "phonwright/core/context_unit_model_cache.h"
#include "phonwright/core/display_tables.h"
#include "phonwright/core/english_sonorants.h"
#include "phonwright/core/english_sources.h"
#include "phonwright/core/scratch_run_file.h"
#include "phonwright/core/segmentation_class_names.h"
#include "phonwright/core/segmentation_dictionary.h"
#include "phonwright/core/text_to_phoneme.h"
#include "phonwright/english_dictionary/english_dictionary.h"
#include "phonwright/l2s/letter_to_sound_models.h"
#include "platform/code_page.h"
#include "platform/path_watch.h"

namespace phonwright {

// Longest data directory name, in bytes.
inline constexpr std::size_t kMaxDataDirBytes = 511;

// What the conversion takes from one English word.
struct EnglishWordUnits {
  std::string phonemes;       // marked phones separated by blanks
  std::string codes;          // "%d" English unit codes separated by blanks
  std::string context_units;  // context-unit input list ("$" between word parts)
  bool complete = false;      // every word had a pronunciation
};

// Members are destroyed in reverse order, which releases the tables in the
// order of Text2PhonemeRelease: letter-to-sound models, English dictionary,
// segmentation dictionary.
class Engine {
 public:
  Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  std::string data_dir;
  SegmentationClassNames segmentation_classes;
  SegmentationDictionaries segmentation;
  EnglishDictionary english_dictionary;
  l2s::LetterToSoundModels letter_to_sound;
  DisplayTables display;
  platform::CodePageDecoder big5_decoder{platform::kCodePageBig5};  // widens the phone strings
  ContextUnitModelCache unit_models;
  ScratchRunFile scratch_run_file;  // "tmp.txt", left by every conversion
  bool last_sentence_complete = true;  // what Text2PhonemeComplete reports
  // Room kept from one conversion to the next, so that once it has grown a
  // conversion allocates almost nothing: the work of ConvertSentence and the
  // outputs of the exports before they are copied to the caller.
  SentenceWork sentence_work;
  PhonemeOutputs sentence_outputs;
  MarkedUnits english_outputs;

  // "<data dir>/<name>", the engine's way of naming its data files.
  std::string DataFile(std::string_view name) const;

  // Syllable codes of a Chinese run's words (empty when it cannot be segmented).
  std::vector<int> SegmentRun(std::string_view run) const;
  // Pronunciation of English (or mixed) text: every word pronounced, then
  // the sonorants marked (all empty when a word has no pronunciation).
  EnglishWordUnits ConvertEnglishWord(std::string_view text);
  // The same into `units`, reusing their room; returns whether every word
  // had a pronunciation.
  bool ConvertEnglishWord(std::string_view text, MarkedUnits& units);
  // Sonorant marking, codes and context-unit list of a phone string.
  EnglishWordUnits MarkPhones(std::string_view phones) const;

  // Every conversion calls this first. It watches the files conversions name
  // by path ("tmp.txt", the unit models of both languages) and tells the
  // scratch file and the model cache to look at them again when they may have
  // changed, so that unchanged files cost no look-up per conversion. Where
  // they cannot be watched, both look at them on every use.
  void NoticeFileChanges();

 private:
  friend int InitializeEngine(Engine& engine, std::string_view data_dir);
  EnglishSources english_sources_;  // lends the tables above, with "<data dir>/c2zy.tbl"
  platform::PathWatch file_watch_;
  int conversions_until_watch_retried_ = 0;
};

// A token of the run string that starts with a double-byte character.
inline bool IsChineseRun(std::string_view token) {
  return !token.empty() && static_cast<unsigned char>(token[0]) >= 0x80;
}

// Loads every table in order; 1 when all loaded, 0 when the English dictionary
// or a display table could not be opened (what was loaded before stays).
int InitializeEngine(Engine& engine, std::string_view data_dir);

// The process-wide engine of the C interface; empty until Text2PhonemeInit.
Engine& TheEngine();
// Replaces the process-wide engine by an empty one, releasing its tables.
void ResetTheEngine();

}  // namespace phonwright
