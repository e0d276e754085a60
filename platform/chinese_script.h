// Traditional <-> Simplified Chinese character mapping (ICU transliterators
// "Hans-Hant" and "Hant-Hans"), the counterpart of the Windows string mapping
// flags for the two scripts.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string ToTraditional(std::u16string_view text);
std::u16string ToSimplified(std::u16string_view text);

}  // namespace platform
