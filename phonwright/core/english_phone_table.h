// The engine's 48 English units: the 40 dictionary phones with the sonorants
// L, R, M, N also in a syllable-head form (LH, RH, MH, NH) and a syllable-tail
// form (LT, RT, MT, NT). A unit's code is 412 + its index in the table.
#pragma once

#include <array>
#include <string_view>

namespace phonwright {

inline constexpr int kEnglishUnitCodeBase = 412;

inline constexpr std::array<std::string_view, 48> kEnglishPhones = {
    "AA", "AE", "AH", "AO", "AW", "AX", "AY", "B",  "CH", "D",  "DH", "EH", "ER", "EY", "F",  "G",
    "HH", "IH", "IY", "JH", "K",  "LH", "LT", "MH", "MT", "NH", "NT", "NG", "OW", "OY", "P",  "RH",
    "RT", "S",  "SH", "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH", "L",  "R",  "M",  "N"};

// Index of `phone` in kEnglishPhones (first exact match), or -1; so an unknown
// phone gets the code 411.
int PhoneIndex(std::string_view phone);

// L, R, M or N.
bool IsSonorant(std::string_view phone);

// The phones before which a sonorant heads a syllable.
bool IsSyllableVowel(std::string_view phone);

}  // namespace phonwright
