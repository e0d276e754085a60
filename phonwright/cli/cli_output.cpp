#include "phonwright/cli/cli_output.h"

#include <unistd.h>

#include <cstdio>

#include "platform/code_page.h"

namespace phonwright::cli {

std::string Big5ToUtf8(std::string_view big5) {
  return platform::Recode(platform::kCodePageBig5, platform::kCodePageUtf8, big5).bytes;
}

std::string DisplayToUtf8(const std::uint16_t* display) {
  std::u16string text;
  for (const std::uint16_t* c = display; *c != 0; ++c) text += static_cast<char16_t>(*c);
  return platform::Utf16ToUtf8(text);
}

std::string JsonQuoted(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace phonwright::cli
