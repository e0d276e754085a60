// Naming the acoustic units of English words from the context-unit input list
// (the marked phones of the last converted word, parts of a compound word
// separated by "$").
#pragma once

#include <string>
#include <string_view>

#include "phonwright/core/context_unit_model.h"
#include "phonwright/core/context_unit_model_cache.h"

namespace phonwright {

// One "RCD_<unit> " per phone: the unit the model gives the phone before its
// next phone ("<phone>_<next>"), else at a word end ("<phone>_$"), else the
// default "RCD_<phone>_001 ". Each "$" of the list is copied as "$ ".
std::string NameContextUnits(const ContextUnitModel& model, std::string_view input_list);
// The same appended to `out`.
void AppendContextUnits(const ContextUnitModel& model, std::string_view input_list, std::string& out);

// Selects the model of `language` and names the units of `input_list` into
// `units`. Returns 1, or 0 with a message (and `units` empty) for a language
// other than "Taiwan" or "America".
int ConvertEnglishUnits(std::string_view language, ContextUnitModelCache& models,
                        std::string_view data_dir, std::string_view input_list,
                        std::string& units);

}  // namespace phonwright
