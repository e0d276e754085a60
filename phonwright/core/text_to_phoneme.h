// The sentence conversion: one sentence of Big5 Chinese and ASCII English into
// a phone string, its display form, a code list and a unit string.
//
// Steps: split the text into Chinese runs and English words (SplitTextRuns,
// the run string also left in "tmp.txt"; punctuation, ASCII or full-width,
// only separates them); a Chinese run is segmented into
// syllable codes, written as zhuyin (or digit phones) and as I/F pairs; an
// English word is pronounced, its sonorants marked, and its units named by the
// context-unit model of the language. The unit string holds the I/F pairs of
// every Chinese run first, then the English units ("$" word boundaries as
// spaces); phones and codes keep the order of the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "phonwright/core/english_sonorants.h"

namespace phonwright {

class Engine;

// Longest text converted, in bytes.
inline constexpr std::size_t kMaxSentenceBytes = 344;

struct PhonemeOutputs {
  std::string phones;      // zhuyin with tone marks and phone names, each token + space
  std::u16string display;  // phones in UTF-16 with English display forms
  std::string codes;       // "%d " per code
  std::string units;       // I/F pairs, then "RCD_" unit names
  int code_count = 0;      // tokens of `codes`; 0 for a refused text
  // Every character and English word was read: false when a Chinese
  // character without reading was left out of its run (with a message) or an
  // English word had no pronunciation, and for a refused text.
  bool complete = true;
};

// A conversion's work strings, kept by the engine so that their room is
// reused from one conversion to the next.
struct SentenceWork {
  std::string runs;           // the run string
  std::string english_units;  // the units of the English words so far
  std::string word_units;     // the units of one English word
  MarkedUnits word;           // one English word, marked
};

// A text longer than kMaxSentenceBytes, or one whose outputs would exceed the
// limits of the C interface, is refused with a message: all outputs empty and
// a count of 0.
PhonemeOutputs ConvertSentence(Engine& engine, std::string_view text, std::string_view language);
// The same into `out`, its strings replaced (their room is reused), with the
// engine's own work strings.
void ConvertSentence(Engine& engine, std::string_view text, std::string_view language, PhonemeOutputs& out);

}  // namespace phonwright
