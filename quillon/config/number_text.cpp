#include "quillon/config/number_text.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace quillon {
namespace {

// The white space that the C library's isspace accepts in the C locale.
bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

std::size_t SkipSpace(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return i;
}

int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

std::int32_t ParseDecimal(std::u16string_view text) {
  std::size_t i = SkipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - u'0'), kLimit);
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

std::uint32_t ParseHexadecimal(std::u16string_view text) {
  std::size_t i = SkipSpace(text);
  if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) i += 2;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (int digit; i < text.size() && (digit = HexDigitValue(text[i])) >= 0; ++i) {
    value = std::min<std::uint64_t>(value * 16 + static_cast<std::uint64_t>(digit), kMax + 1);
  }
  return value > kMax ? static_cast<std::uint32_t>(kMax) : static_cast<std::uint32_t>(value);
}

std::u16string FormatDecimal(std::int64_t value, int minDigits) {
  char buffer[32];
  const int written = std::snprintf(buffer, sizeof buffer, "%0*lld", std::clamp(minDigits, 1, 20),
                                    static_cast<long long>(value));
  const std::size_t length = std::min<std::size_t>(written > 0 ? static_cast<std::size_t>(written) : 0,
                                                   sizeof buffer - 1);
  return std::u16string(buffer, buffer + length);
}

std::u16string IndexedKeyName(std::u16string_view prefix, std::size_t index, int digits) {
  return std::u16string(prefix) + FormatDecimal(static_cast<std::int64_t>(index), digits);
}

}  // namespace quillon
