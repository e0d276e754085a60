// Hashing for maps keyed by strings that are looked up by views of the text
// being converted, so that a lookup copies nothing.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace phonwright {

template <typename Char>
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::basic_string_view<Char> text) const {
    return std::hash<std::basic_string_view<Char>>{}(text);
  }
};

// An unordered map from text to `Value`, found by views.
template <typename Char, typename Value>
using TextMap = std::unordered_map<std::basic_string<Char>, Value, TextHash<Char>, std::equal_to<>>;

}  // namespace phonwright
