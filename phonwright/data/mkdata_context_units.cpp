#include "phonwright/data/mkdata_context_units.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "phonwright/core/english_phone_table.h"
#include "phonwright/units/unit_name_table.h"

namespace phonwright::mkdata {
namespace {

constexpr int kClassCount = 7;
constexpr std::string_view kUnitPrefix = "RCD_";

// Members of a phone: device units named after it, plain name first, without the prefix.
std::vector<std::string> UnitsOf(const std::string& phone) {
  std::vector<std::string> units;
  const std::string plain = std::string(kUnitPrefix) + phone;
  for (const auto& name : DeviceUnitNames())
    if (name == plain) units.push_back(phone);
  for (const auto& name : DeviceUnitNames())
    if (name.starts_with(plain + "_")) units.push_back(name.substr(kUnitPrefix.size()));
  return units;
}

std::vector<std::string> RightContexts() {
  std::vector<std::string> contexts = ContextUnitPhones();
  contexts.push_back("$");
  return contexts;
}

std::vector<ContextUnitModel::Record> BuildRecords(bool byClass) {
  std::vector<ContextUnitModel::Record> records;
  for (const auto& phone : ContextUnitPhones()) {
    const auto units = UnitsOf(phone);
    if (units.empty()) throw std::logic_error("the device has no unit for phone " + phone);
    ContextUnitModel::Record record{phone, {}};
    for (const auto& unit : units) record.members.push_back({unit, {}});
    const int memberCount = static_cast<int>(units.size());
    for (const auto& next : RightContexts()) {
      const int member = byClass ? RightContextClass(next) * memberCount / kClassCount : 0;
      record.members[static_cast<std::size_t>(member)].contexts.push_back(phone + "_" + next);
    }
    std::erase_if(record.members, [](const ContextUnitModel::Member& m) { return m.contexts.empty(); });
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace

const std::vector<std::string>& DeviceUnitNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (std::size_t slot = 0; slot < kNamedUnitSlots; ++slot)
      list.emplace_back(UnitNameAt(slot));
    return list;
  }();
  return names;
}

const std::vector<std::string>& ContextUnitPhones() {
  static const std::vector<std::string> phones = [] {
    std::vector<std::string> list;
    for (const std::string_view phone : kEnglishPhones)
      if (!IsSonorant(phone)) list.emplace_back(phone);
    return list;
  }();
  return phones;
}

int RightContextClass(const std::string& phone) {
  static const std::array<std::vector<std::string>, kClassCount - 1> classes = {{
      {"IY", "IH", "EY", "EH", "AE", "Y"},
      {"UW", "UH", "OW", "AO", "OY", "AW", "W"},
      {"AA", "AH", "AX", "ER", "AY", "RT"},
      {"B", "P", "F", "V", "MH", "MT"},
      {"T", "D", "S", "Z", "TH", "DH", "SH", "ZH", "CH", "JH", "NH", "NT", "LH", "LT", "RH"},
      {"K", "G", "NG", "HH"},
  }};
  if (phone == "$") return kClassCount - 1;
  for (std::size_t c = 0; c < classes.size(); ++c)
    if (std::find(classes[c].begin(), classes[c].end(), phone) != classes[c].end()) return static_cast<int>(c);
  throw std::invalid_argument("no phonetic class for " + phone);
}

std::vector<ContextUnitModel::Record> AmericanContextUnits() { return BuildRecords(true); }
std::vector<ContextUnitModel::Record> TaiwanContextUnits() { return BuildRecords(false); }

}  // namespace phonwright::mkdata
