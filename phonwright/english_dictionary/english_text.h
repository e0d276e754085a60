// ASCII case changes of English words: only the letters a-z and A-Z change,
// every other byte (Big5 included) stays as it is.
#pragma once

#include <string>

namespace phonwright {

inline void ToUpperAscii(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

inline void ToLowerAscii(std::string& text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

}  // namespace phonwright
