// Command file text in the encodings the tests need.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace quillon::testing {

inline std::string Big5(std::string_view utf8) {
  return platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16(utf8)).bytes;
}

inline std::string Gbk(std::string_view utf8) {
  return platform::FromUtf16(platform::kCodePageGbk, platform::Utf8ToUtf16(utf8)).bytes;
}

// A file with the UTF-16LE byte-order mark.
inline std::string Utf16LeFile(std::string_view utf8) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : platform::Utf8ToUtf16(utf8)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace quillon::testing
