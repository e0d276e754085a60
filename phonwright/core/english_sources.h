// What the English conversions read: the pronunciation dictionary, the
// letter-to-sound models for the words it lacks, and the character table that
// Chinese runs met in mixed text are read through. The engine state owns all
// three and lends them for each conversion.
#pragma once

#include <filesystem>

#include "phonwright/english_dictionary/english_dictionary.h"
#include "phonwright/l2s/letter_to_sound_models.h"

namespace phonwright {

struct EnglishSources {
  const EnglishDictionary& dictionary;
  l2s::LetterToSoundModels& letterToSound;  // keeps the decoder's back-off state
  std::filesystem::path characterTable;     // "<data directory>/c2zy.tbl"
};

}  // namespace phonwright
