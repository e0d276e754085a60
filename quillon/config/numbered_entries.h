// Tables of numbered entries in a settings file: entry NNN is the pair of keys
// "<numberPrefix>NNN" (a decimal number whose default is NNN itself) and
// "PathName_NNN" (a stored path), NNN counting from 000.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "quillon/config/number_text.h"
#include "quillon/config/private_profile.h"

namespace quillon {

// Reads every entry of `entries` from `section`: the number into the field
// `number`, the path into PathName.
template <typename Entry>
void ReadNumberedEntries(const ProfileFile& profile, std::u16string_view section,
                         std::u16string_view numberPrefix, std::int32_t Entry::*number,
                         std::span<Entry> entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i].*number = ParseDecimal(profile.Read(section, IndexedKeyName(numberPrefix, i, 3),
                                                   FormatDecimal(static_cast<std::int64_t>(i), 3)));
    entries[i].PathName = profile.Read(section, IndexedKeyName(u"PathName_", i, 3));
  }
}

}  // namespace quillon
