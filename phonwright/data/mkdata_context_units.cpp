#include "phonwright/data/mkdata_context_units.h"

#include <algorithm>
#include <array>
#include <stdexcept>

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
  static const std::vector<std::string> names = {
      "RCD_F_001",  "RCD_F_002",  "RCD_F_003",  "RCD_F_004",  "RCD_F_005",  "RCD_F_006",  "RCD_TH_001",
      "RCD_S_001",  "RCD_AY_001", "RCD_AY_002", "RCD_AY_003", "RCD_AY_004", "RCD_AY_005", "RCD_AY_006",
      "RCD_AA",     "RCD_AO",     "RCD_AW",     "RCD_AX",     "RCD_AY",     "RCD_CH",     "RCD_DH",
      "RCD_EH",     "RCD_EY",     "RCD_HH",     "RCD_IH",     "RCD_IY",     "RCD_JH",     "RCD_LT",
      "RCD_MT",     "RCD_NG",     "RCD_NT",     "RCD_OW",     "RCD_OW_001", "RCD_OY",     "RCD_OY_001",
      "RCD_RT",     "RCD_SH",     "RCD_TH",     "RCD_UH",     "RCD_UW",     "RCD_ZH",     "RCD_ZH_001",
      "RCD_EY_001", "RCD_EY_002", "RCD_EY_003", "RCD_V_001",  "RCD_AO_001", "RCD_AO_002", "RCD_AO_003",
      "RCD_AO_004", "RCD_AO_005", "RCD_AO_006", "RCD_B",      "RCD_D",      "RCD_F",      "RCD_G",
      "RCD_K",      "RCD_P",      "RCD_S",      "RCD_T",      "RCD_V",      "RCD_Z",      "RCD_IY_001",
      "RCD_AE_001", "RCD_Y_001",  "RCD_LT_001", "RCD_B_001",  "RCD_B_002",  "RCD_NG_001", "RCD_OY_002",
      "RCD_ER_001", "RCD_AH_001", "RCD_NT_001", "RCD_NT_002", "RCD_NT_003", "RCD_NT_004", "RCD_NT_005",
      "RCD_CH_001", "RCD_CH_002", "RCD_EH_001", "RCD_RT_001", "RCD_RT_002", "RCD_RT_003", "RCD_RT_004",
      "RCD_RT_005", "RCD_AX_001", "RCD_AX_002", "RCD_AX_003", "RCD_IH_001", "RCD_IH_002", "RCD_IH_003",
      "RCD_IH_004", "RCD_AA_001", "RCD_AA_002", "RCD_AA_003", "RCD_MH_001", "RCD_K_001",  "RCD_K_002",
      "RCD_SH_001", "RCD_SH_002", "RCD_UH_001", "RCD_D_001",  "RCD_AW_001", "RCD_AW_002", "RCD_G_001",
      "RCD_G_002",  "RCD_G_003",  "RCD_T_001",  "RCD_T_002",  "RCD_MT_001", "RCD_MT_002", "RCD_MT_003",
      "RCD_DH_001", "RCD_DH_002", "RCD_W_001",  "RCD_HH_001", "RCD_OW_002", "RCD_OW_003", "RCD_OW_004",
      "RCD_OW_005", "RCD_OW_006", "RCD_JH_001", "RCD_JH_002", "RCD_Z_001",  "RCD_LH_001", "RCD_LH_002",
      "RCD_LH_003", "RCD_LH_004", "RCD_NH_001", "RCD_NH_002", "RCD_UW_001", "RCD_P_001",  "RCD_RH_001",
      "RCD_RH_002", "sil",        "garbage"};
  return names;
}

const std::vector<std::string>& ContextUnitPhones() {
  static const std::vector<std::string> phones = {
      "AA", "AE", "AH", "AO", "AW", "AX", "AY", "B",  "CH", "D",  "DH", "EH", "ER", "EY", "F",
      "G",  "HH", "IH", "IY", "JH", "K",  "LH", "LT", "MH", "MT", "NH", "NT", "NG", "OW", "OY",
      "P",  "RH", "RT", "S",  "SH", "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};
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
