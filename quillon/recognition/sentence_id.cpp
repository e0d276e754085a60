#include "quillon/recognition/sentence_id.h"

#include <algorithm>

#include "quillon/recognition/line_diagnostic.h"

namespace quillon {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, unsigned base) {
  int value = -1;
  if (IsDigit(c)) value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

bool IsHexPrefix(std::string_view token) {
  return token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
}

constexpr std::u16string_view kRange = u"sentence IDs are 0 to 65534 (0xFFFE)";

}  // namespace

bool IsSignedNumber(std::string_view token) {
  return token.size() >= 2 && (token[0] == '-' || token[0] == '+') && IsDigit(token[1]);
}

SentenceIdReading ReadSentenceId(std::string_view token) {
  SentenceIdReading reading;
  const std::u16string quoted = Quoted(token);
  if (IsSignedNumber(token)) {
    reading.problem = u"the ID " + quoted + u" has a sign: " + std::u16string(kRange) + u", written without one";
    return reading;
  }
  const bool hex = IsHexPrefix(token);
  const std::string_view digits = hex ? token.substr(2) : token;
  const unsigned base = hex ? 16 : 10;
  bool numeric = !digits.empty();
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0) {
      numeric = false;
      break;
    }
    // Saturates: every value past the 32-bit range is out of range all the same.
    value = std::min<std::uint64_t>(value * base + static_cast<unsigned>(digit), 0x1'0000'0000);
  }
  if (!numeric) {
    reading.problem = u"the ID " + quoted + u" is not a number (write it in decimal, or in hexadecimal after 0x)";
    return reading;
  }
  if (value > static_cast<std::uint64_t>(kMaxSentenceId)) {
    reading.problem = u"the ID " + quoted + u" does not fit the device: " + std::u16string(kRange) +
                      u", as the group data keeps 16 bits and 0xFFFF marks an unwritten block";
    return reading;
  }
  reading.id = static_cast<std::int32_t>(value);
  return reading;
}

}  // namespace quillon
