#include "phonwright/core/context_unit_naming.h"

#include <vector>

#include "phonwright/core/console.h"
#include "phonwright/core/text_runs.h"

namespace phonwright {

namespace {

void NameWord(const ContextUnitModel& model, const std::vector<std::string_view>& phones,
              std::string& out) {
  std::string context;
  for (std::size_t i = 0; i < phones.size(); ++i) {
    int found = -1;
    if (i + 1 < phones.size()) {
      context.assign(phones[i]).append("_").append(phones[i + 1]);
      found = model.FindContextUnit(phones[i], context);
    }
    if (found < 0) {
      context.assign(phones[i]).append("_$");
      found = model.FindContextUnit(phones[i], context);
    }
    out += "RCD_";
    if (found >= 0) {
      out += model.UnitName(found);
    } else {
      out += phones[i];
      out += "_001";
    }
    out += ' ';
  }
}

}  // namespace

std::string NameContextUnits(const ContextUnitModel& model, std::string_view input_list) {
  std::string out;
  std::vector<std::string_view> word;
  for (const std::string_view token : SplitTokens(input_list, " ")) {
    if (token == "$") {
      NameWord(model, word, out);
      out += "$ ";
      word.clear();
    } else {
      word.push_back(token);
    }
  }
  NameWord(model, word, out);
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
  units = NameContextUnits(models.Select(*unit_language, data_dir), input_list);
  return 1;
}

}  // namespace phonwright
