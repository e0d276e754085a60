#include "phonwright/data/context_unit_model_writer.h"

#include "platform/atomic_file.h"

namespace phonwright::data {

std::string FormatContextUnitRecords(const std::vector<ContextUnitModel::Record>& records) {
  std::string text;
  for (const auto& record : records) {
    text += record.phone + " 0 " + std::to_string(record.members.size()) + "\n";
    for (const auto& member : record.members) {
      text += member.unit + " 0 " + std::to_string(member.contexts.size());
      for (const auto& context : member.contexts) text += " " + context;
      text += "\n";
    }
  }
  return text;
}

std::error_code WriteContextUnitModel(const std::string& path,
                                      const std::vector<ContextUnitModel::Record>& records) {
  return platform::WriteFileAtomically(path, FormatContextUnitRecords(records));
}

}  // namespace phonwright::data
