#include "phonwright/core/digit_phone_table.h"

#include <array>

namespace phonwright {
namespace {

struct DigitPhoneRow {
  std::size_t count;
  std::array<std::string_view, kMaxDigitPhones> phones;
};

constexpr std::array<DigitPhoneRow, kDigitCount> kDigitPhoneRows = {{
    {3, {"L", "IY", "NG"}},
    {2, {"NU1", "IY"}},
    {2, {"NU2", "ER"}},
    {3, {"S", "AA", "N"}},
    {2, {"S", "Z"}},
    {2, {"NU5", "UW"}},
    {4, {"L", "Y", "AX", "U"}},
    {2, {"CH", "IY"}},
    {2, {"P", "AH"}},
    {4, {"JH", "Y", "AX", "U"}},
}};

}  // namespace

std::span<const std::string_view> DigitPhones(int digit) {
  if (digit < 0 || digit >= kDigitCount) return {};
  const auto& row = kDigitPhoneRows[static_cast<std::size_t>(digit)];
  return std::span<const std::string_view>(row.phones.data(), row.count);
}

}  // namespace phonwright
