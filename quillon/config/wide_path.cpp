#include "quillon/config/wide_path.h"

#include <algorithm>

namespace quillon {

std::u16string_view CutToUnits(std::u16string_view text, std::size_t maxUnits) {
  if (text.size() <= maxUnits) return text;
  std::size_t length = maxUnits;
  const auto isHighSurrogate = [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  if (length > 0 && isHighSurrogate(text[length - 1])) --length;
  return text.substr(0, length);
}

bool WidePath::Assign(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));  // the field is terminated text
  const std::u16string_view kept = CutToUnits(text, kMaxLength);
  units_.fill(u'\0');
  std::copy(kept.begin(), kept.end(), units_.begin());
  length_ = kept.size();
  return kept.size() == text.size();
}

}  // namespace quillon
