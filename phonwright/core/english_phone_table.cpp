#include "phonwright/core/english_phone_table.h"

#include <algorithm>

namespace phonwright {
namespace {

constexpr std::array<std::string_view, 4> kSonorants = {"L", "R", "M", "N"};
constexpr std::array<std::string_view, 17> kSyllableVowels = {"IH", "IY", "UH", "UW", "EH", "AE", "AX", "ER", "AH",
                                                              "AA", "EY", "AY", "OY", "OW", "AW", "AO", "Y"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& table, std::string_view phone) {
  return std::find(table.begin(), table.end(), phone) != table.end();
}

}  // namespace

int PhoneIndex(std::string_view phone) {
  const auto found = std::find(kEnglishPhones.begin(), kEnglishPhones.end(), phone);
  return found == kEnglishPhones.end() ? -1 : static_cast<int>(found - kEnglishPhones.begin());
}

bool IsSonorant(std::string_view phone) { return Contains(kSonorants, phone); }

bool IsSyllableVowel(std::string_view phone) { return Contains(kSyllableVowels, phone); }

}  // namespace phonwright
