#include "phonwright/units/unit_name_table.h"

#include <array>
#include <unordered_map>

namespace phonwright {
namespace {

constexpr std::array<std::string_view, kNamedUnitSlots> kUnitNames = {
    "RCD_F_001", "RCD_F_002", "RCD_F_003", "RCD_F_004", "RCD_F_005", "RCD_F_006", "RCD_TH_001",
    "RCD_S_001", "RCD_AY_001", "RCD_AY_002", "RCD_AY_003", "RCD_AY_004", "RCD_AY_005", "RCD_AY_006",
    "RCD_AA", "RCD_AO", "RCD_AW", "RCD_AX", "RCD_AY", "RCD_CH", "RCD_DH", "RCD_EH", "RCD_EY",
    "RCD_HH", "RCD_IH", "RCD_IY", "RCD_JH", "RCD_LT", "RCD_MT", "RCD_NG", "RCD_NT", "RCD_OW",
    "RCD_OW_001", "RCD_OY", "RCD_OY_001", "RCD_RT", "RCD_SH", "RCD_TH", "RCD_UH", "RCD_UW",
    "RCD_ZH", "RCD_ZH_001", "RCD_EY_001", "RCD_EY_002", "RCD_EY_003", "RCD_V_001", "RCD_AO_001",
    "RCD_AO_002", "RCD_AO_003", "RCD_AO_004", "RCD_AO_005", "RCD_AO_006", "RCD_B", "RCD_D", "RCD_F",
    "RCD_G", "RCD_K", "RCD_P", "RCD_S", "RCD_T", "RCD_V", "RCD_Z", "RCD_IY_001", "RCD_AE_001",
    "RCD_Y_001", "RCD_LT_001", "RCD_B_001", "RCD_B_002", "RCD_NG_001", "RCD_OY_002", "RCD_ER_001",
    "RCD_AH_001", "RCD_NT_001", "RCD_NT_002", "RCD_NT_003", "RCD_NT_004", "RCD_NT_005",
    "RCD_CH_001", "RCD_CH_002", "RCD_EH_001", "RCD_RT_001", "RCD_RT_002", "RCD_RT_003",
    "RCD_RT_004", "RCD_RT_005", "RCD_AX_001", "RCD_AX_002", "RCD_AX_003", "RCD_IH_001",
    "RCD_IH_002", "RCD_IH_003", "RCD_IH_004", "RCD_AA_001", "RCD_AA_002", "RCD_AA_003",
    "RCD_MH_001", "RCD_K_001", "RCD_K_002", "RCD_SH_001", "RCD_SH_002", "RCD_UH_001", "RCD_D_001",
    "RCD_AW_001", "RCD_AW_002", "RCD_G_001", "RCD_G_002", "RCD_G_003", "RCD_T_001", "RCD_T_002",
    "RCD_MT_001", "RCD_MT_002", "RCD_MT_003", "RCD_DH_001", "RCD_DH_002", "RCD_W_001", "RCD_HH_001",
    "RCD_OW_002", "RCD_OW_003", "RCD_OW_004", "RCD_OW_005", "RCD_OW_006", "RCD_JH_001",
    "RCD_JH_002", "RCD_Z_001", "RCD_LH_001", "RCD_LH_002", "RCD_LH_003", "RCD_LH_004", "RCD_NH_001",
    "RCD_NH_002", "RCD_UW_001", "RCD_P_001", "RCD_RH_001", "RCD_RH_002", "sil", "garbage",
};

// emplace keeps the first slot of a name, as the search from slot 0 finds it.
const std::unordered_map<std::string_view, std::size_t>& SlotIndex() {
  static const std::unordered_map<std::string_view, std::size_t> index = [] {
    std::unordered_map<std::string_view, std::size_t> map;
    for (std::size_t slot = 0; slot < kUnitNames.size(); ++slot) map.emplace(kUnitNames[slot], slot);
    return map;
  }();
  return index;
}

}  // namespace

std::string_view UnitNameAt(std::size_t slot) { return slot < kUnitNames.size() ? kUnitNames[slot] : std::string_view(); }

std::optional<std::size_t> FindUnitSlot(std::string_view name) {
  const auto& index = SlotIndex();
  const auto found = index.find(name);
  if (found == index.end()) return std::nullopt;
  return found->second;
}

}  // namespace phonwright
