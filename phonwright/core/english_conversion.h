// English text to marked phonemes and English unit codes: what the export
// Text2Phoneme_Eng does, without its caller buffers.
//
//   EnglishSources sources{dictionary, letterToSound, dataDirectory / "c2zy.tbl"};
//   EnglishConversion result = ConvertEnglishText(sources, "hello world");
//   // result.units.phonemes == "HH AH LH OW W ER LT D", result.complete == true
//
// The engine copies the phonemes and codes to the caller's buffers and keeps
// result.units.contextUnits as its context-unit input list.
#pragma once

#include <string_view>

#include "phonwright/core/english_mixed_text.h"
#include "phonwright/core/english_sonorants.h"

namespace phonwright {

struct EnglishConversion {
  MarkedUnits units;
  bool complete = true;  // false when a word got no pronunciation (its run is left out)
};

EnglishConversion ConvertEnglishText(const EnglishSources& sources, std::string_view text);
// The same into `units`, their strings replaced (their room is reused);
// returns whether every word got a pronunciation.
bool ConvertEnglishText(const EnglishSources& sources, std::string_view text, MarkedUnits& units);

}  // namespace phonwright
