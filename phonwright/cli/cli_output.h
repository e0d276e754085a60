// What the phonwright tool prints: the engine's Big5 and UTF-16 strings as
// UTF-8 and JSON string quoting.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace phonwright::cli {

std::string Big5ToUtf8(std::string_view big5);
std::string DisplayToUtf8(const std::uint16_t* display);
std::string JsonQuoted(std::string_view utf8);

}  // namespace phonwright::cli
