// Big5 text from UTF-8 literals, so that tests can be written readably.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace phonwright::testing {

inline std::string Big5(std::string_view utf8) {
  return platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16(utf8)).bytes;
}

inline std::string Utf8(std::string_view big5) {
  return platform::Utf16ToUtf8(platform::ToUtf16(platform::kCodePageBig5, big5));
}

}  // namespace phonwright::testing
