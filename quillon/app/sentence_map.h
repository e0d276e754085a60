// All sentences of the command file shown in the window, by ascending ID. The
// first text inserted for an ID is kept.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace quillon {

using SentenceMap = std::map<std::int32_t, std::u16string>;

}  // namespace quillon
