// A path or value of the settings files held in a fixed field of 256 UTF-16
// units with its terminator, as the settings records store them. Assigning
// longer text keeps the first 255 units (never half of a surrogate pair).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quillon {

// The longest prefix of `text` that fits in `maxUnits` UTF-16 units without
// ending between the two halves of a surrogate pair.
std::u16string_view CutToUnits(std::u16string_view text, std::size_t maxUnits);

class WidePath {
 public:
  static constexpr std::size_t kCapacity = 256;  // units, terminator included
  static constexpr std::size_t kMaxLength = kCapacity - 1;

  WidePath() = default;
  explicit WidePath(std::u16string_view text) { Assign(text); }
  WidePath& operator=(std::u16string_view text) {
    Assign(text);
    return *this;
  }

  // Stores `text` cut to kMaxLength units; returns false when it had to be cut.
  bool Assign(std::u16string_view text);
  void Clear() { *this = WidePath(); }

  std::u16string_view view() const { return {units_.data(), length_}; }
  const char16_t* c_str() const { return units_.data(); }
  std::size_t size() const { return length_; }
  bool empty() const { return length_ == 0; }

  bool operator==(const WidePath& other) const { return view() == other.view(); }
  bool operator==(std::u16string_view other) const { return view() == other; }

 private:
  std::array<char16_t, kCapacity> units_{};
  std::size_t length_ = 0;
};

}  // namespace quillon
