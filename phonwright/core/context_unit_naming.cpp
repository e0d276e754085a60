#include "phonwright/core/context_unit_naming.h"

#include <optional>

#include "phonwright/core/console.h"
#include "phonwright/core/text_runs.h"

namespace phonwright {

namespace {

// Names one phone: the unit before `next` (none at a word end), else the unit
// at a word end, else the default name.
void NamePhone(const ContextUnitModel& model, std::string_view phone, std::optional<std::string_view> next,
               std::string& out) {
  const int found = model.UnitBefore(phone, next);
  out += "RCD_";
  if (found >= 0) {
    out += model.UnitName(found);
  } else {
    out += phone;
    out += "_001";
  }
  out += ' ';
}

}  // namespace

void AppendContextUnits(const ContextUnitModel& model, std::string_view input_list, std::string& out) {
  // Each phone is named when the token after it is known: the next phone of
  // its word, or "$" or the end of the list for the last one.
  std::optional<std::string_view> pending;
  ForEachToken(input_list, " ", [&](std::string_view token) {
    if (token == "$") {
      if (pending) NamePhone(model, *pending, std::nullopt, out);
      out += "$ ";
      pending.reset();
      return;
    }
    if (pending) NamePhone(model, *pending, token, out);
    pending = token;
  });
  if (pending) NamePhone(model, *pending, std::nullopt, out);
}

std::string NameContextUnits(const ContextUnitModel& model, std::string_view input_list) {
  std::string out;
  AppendContextUnits(model, input_list, out);
  return out;
}

int ConvertEnglishUnits(std::string_view language, ContextUnitModelCache& models,
                        std::string_view data_dir, std::string_view input_list,
                        std::string& units) {
  units.clear();
  const auto unit_language = ParseUnitLanguage(language);
  if (!unit_language) {
    PrintMessage("請輸入Taiwan or America\n");
    return 0;
  }
  AppendContextUnits(models.Select(*unit_language, data_dir), input_list, units);
  return 1;
}

}  // namespace phonwright
