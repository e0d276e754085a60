// The English acoustic units the device knows, by number: the slot index of a
// unit name is the byte sent to the device. 192 slots; 0 to 135 are named.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace phonwright {

inline constexpr std::size_t kUnitNameSlots = 192;
inline constexpr std::size_t kNamedUnitSlots = 136;

// The name in `slot` (empty for the unnamed slots and beyond the table).
std::string_view UnitNameAt(std::size_t slot);

// The first slot holding exactly `name`; nothing when no slot does.
std::optional<std::size_t> FindUnitSlot(std::string_view name);

}  // namespace phonwright
