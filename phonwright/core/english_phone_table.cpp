#include "phonwright/core/english_phone_table.h"

#include <algorithm>
#include <cstdint>

namespace phonwright {
namespace {

constexpr std::array<std::string_view, 4> kSonorants = {"L", "R", "M", "N"};
constexpr std::array<std::string_view, 17> kSyllableVowels = {"IH", "IY", "UH", "UW", "EH", "AE", "AX", "ER", "AH",
                                                              "AA", "EY", "AY", "OY", "OW", "AW", "AO", "Y"};

// Every unit is one or two capitals, so a phone is looked up by its letters:
// slot 27 * first + second, where second is 0 for a one-letter phone.
constexpr std::size_t kLetters = 26;
constexpr std::size_t kSlots = kLetters * (kLetters + 1);

constexpr std::size_t Slot(std::string_view phone) {
  const auto first = static_cast<std::size_t>(static_cast<unsigned char>(phone[0]) - 'A');
  const std::size_t second =
      phone.size() == 1 ? 0 : static_cast<std::size_t>(static_cast<unsigned char>(phone[1]) - 'A') + 1;
  return first * (kLetters + 1) + second;
}

// Whether `phone` has a slot: one or two capital letters.
constexpr bool HasSlot(std::string_view phone) {
  const auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
  return (phone.size() == 1 || phone.size() == 2) && capital(phone[0]) && capital(phone.back());
}

struct PhoneSlot {
  std::int8_t index = -1;
  bool sonorant = false;
  bool syllableVowel = false;
};

constexpr std::array<PhoneSlot, kSlots> kPhoneSlots = [] {
  std::array<PhoneSlot, kSlots> slots{};
  for (std::size_t i = kEnglishPhones.size(); i-- > 0;)  // the first entry of a name wins
    slots[Slot(kEnglishPhones[i])].index = static_cast<std::int8_t>(i);
  for (const std::string_view phone : kSonorants) slots[Slot(phone)].sonorant = true;
  for (const std::string_view phone : kSyllableVowels) slots[Slot(phone)].syllableVowel = true;
  return slots;
}();

static_assert(std::all_of(kEnglishPhones.begin(), kEnglishPhones.end(), HasSlot));
static_assert(std::all_of(kSonorants.begin(), kSonorants.end(), HasSlot));
static_assert(std::all_of(kSyllableVowels.begin(), kSyllableVowels.end(), HasSlot));

constexpr PhoneSlot kNoPhone{};

const PhoneSlot& SlotOf(std::string_view phone) { return HasSlot(phone) ? kPhoneSlots[Slot(phone)] : kNoPhone; }

}  // namespace

int PhoneIndex(std::string_view phone) { return SlotOf(phone).index; }

bool IsSonorant(std::string_view phone) { return SlotOf(phone).sonorant; }

bool IsSyllableVowel(std::string_view phone) { return SlotOf(phone).syllableVowel; }

}  // namespace phonwright
