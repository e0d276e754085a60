#include "phonwright/core/if_code_table.h"

#include <array>
#include <string>
#include <string_view>

#include "phonwright/zhuyin/syllable_table.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright {
namespace {

// Final codes 2 to 38 by rhyme (medial and final); code 1 is a syllable of an
// initial alone (ㄓ to ㄙ), code 0 the empty syllable.
constexpr std::string_view kRhymesFromFinalCode2 =
    "ㄚ ㄛ ㄜ ㄞ ㄝ ㄟ ㄠ ㄡ ㄢ ㄣ ㄤ ㄥ ㄧ ㄨ ㄩ ㄧㄚ ㄧㄝ ㄧㄞ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄣ ㄧㄤ ㄧㄥ "
    "ㄨㄚ ㄨㄛ ㄨㄞ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄤ ㄨㄥ ㄩㄝ ㄩㄢ ㄩㄣ ㄩㄥ ㄦ";

// Initial codes: the initial ("" for none) and the rhymes of the syllables
// that carry each code ("" for a syllable without rhyme).
struct InitialCodeRow {
  int code;
  std::string_view initial;
  std::string_view rhymes;
};

constexpr InitialCodeRow kInitialCodeRows[] = {
    {0, "", ""},
    {1, "ㄓ", ""},
    {2, "ㄔ", ""},
    {3, "ㄕ", ""},
    {4, "ㄖ", ""},
    {5, "ㄗ", ""},
    {6, "ㄘ", ""},
    {7, "ㄙ", ""},
    {8, "", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {9, "ㄓ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {10, "ㄔ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {11, "ㄕ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {12, "ㄗ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {13, "ㄘ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {14, "ㄙ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {15, "ㄍ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {16, "ㄎ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {17, "ㄏ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {18, "ㄉ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {19, "ㄊ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {20, "ㄋ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {21, "ㄌ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {22, "ㄅ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {23, "ㄆ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {24, "ㄇ", "ㄚ ㄞ ㄠ ㄢ ㄤ"},
    {25, "ㄈ", "ㄚ ㄢ ㄤ"},
    {26, "", "ㄛ ㄡ"},
    {27, "", "ㄜ ㄝ ㄟ ㄣ ㄥ ㄦ"},
    {28, "ㄓ", "ㄜ ㄟ ㄣ ㄥ"},
    {29, "ㄔ", "ㄜ ㄣ ㄥ"},
    {30, "ㄕ", "ㄜ ㄟ ㄣ ㄥ"},
    {31, "ㄖ", "ㄜ ㄣ ㄥ"},
    {32, "ㄗ", "ㄜ ㄟ ㄣ ㄥ"},
    {33, "ㄘ", "ㄜ ㄣ ㄥ"},
    {34, "ㄙ", "ㄜ ㄟ ㄣ ㄥ"},
    {35, "ㄍ", "ㄜ ㄟ ㄣ ㄥ"},
    {36, "ㄎ", "ㄜ ㄣ ㄥ"},
    {37, "ㄏ", "ㄜ ㄟ ㄣ ㄥ"},
    {38, "ㄉ", "ㄜ ㄟ ㄥ"},
    {39, "ㄊ", "ㄜ ㄥ"},
    {40, "ㄋ", "ㄜ ㄟ ㄣ ㄥ"},
    {41, "ㄌ", "ㄜ ㄟ ㄥ"},
    {42, "ㄅ", "ㄟ ㄣ ㄥ"},
    {43, "ㄆ", "ㄟ ㄣ ㄥ"},
    {44, "ㄇ", "ㄟ ㄣ ㄥ ㄜ"},
    {45, "ㄈ", "ㄟ ㄣ ㄥ"},
    {46, "ㄖ", "ㄠ ㄢ ㄤ"},
    {47, "ㄓ", "ㄡ"},
    {48, "ㄔ", "ㄡ"},
    {49, "ㄕ", "ㄡ"},
    {50, "ㄖ", "ㄡ"},
    {51, "ㄗ", "ㄡ"},
    {52, "ㄘ", "ㄡ"},
    {53, "ㄙ", "ㄡ"},
    {54, "ㄍ", "ㄡ"},
    {55, "ㄎ", "ㄡ"},
    {56, "ㄏ", "ㄡ"},
    {57, "ㄉ", "ㄡ"},
    {58, "ㄊ", "ㄡ"},
    {59, "ㄋ", "ㄡ"},
    {60, "ㄌ", "ㄡ"},
    {61, "ㄆ", "ㄡ ㄛ"},
    {62, "ㄇ", "ㄡ ㄛ"},
    {63, "ㄈ", "ㄡ ㄛ"},
    {64, "", "ㄧ ㄧㄚ ㄧㄝ ㄧㄞ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄣ ㄧㄤ ㄧㄥ"},
    {65, "ㄐ", "ㄧ ㄧㄚ ㄧㄝ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄣ ㄧㄤ ㄧㄥ"},
    {66, "ㄑ", "ㄧ ㄧㄚ ㄧㄝ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄣ ㄧㄤ ㄧㄥ"},
    {67, "ㄒ", "ㄧ ㄧㄚ ㄧㄝ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄣ ㄧㄤ ㄧㄥ"},
    {68, "ㄉ", "ㄧ ㄧㄝ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄥ"},
    {69, "ㄊ", "ㄧ ㄧㄝ ㄧㄠ ㄧㄢ ㄧㄥ"},
    {70, "ㄋ", "ㄧ ㄧㄝ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄣ ㄧㄤ ㄧㄥ"},
    {71, "ㄌ", "ㄧ ㄧㄚ ㄧㄝ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄣ ㄧㄤ ㄧㄥ"},
    {72, "ㄅ", "ㄧ ㄧㄝ ㄧㄠ ㄧㄢ ㄧㄣ ㄧㄥ"},
    {73, "ㄆ", "ㄧ ㄧㄝ ㄧㄠ ㄧㄢ ㄧㄣ ㄧㄥ"},
    {74, "ㄇ", "ㄧ ㄧㄝ ㄧㄠ ㄧㄡ ㄧㄢ ㄧㄣ ㄧㄥ"},
    {75, "", "ㄨ ㄨㄚ ㄨㄛ ㄨㄞ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄤ ㄨㄥ"},
    {76, "ㄓ", "ㄨ ㄨㄚ ㄨㄛ ㄨㄞ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄤ ㄨㄥ"},
    {77, "ㄔ", "ㄨ ㄨㄚ ㄨㄛ ㄨㄞ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄤ ㄨㄥ"},
    {78, "ㄕ", "ㄨ ㄨㄚ ㄨㄛ ㄨㄞ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄤ ㄨㄥ"},
    {79, "ㄖ", "ㄨ ㄨㄛ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄥ"},
    {80, "ㄗ", "ㄨ ㄨㄛ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄥ"},
    {81, "ㄘ", "ㄨ ㄨㄛ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄥ"},
    {82, "ㄙ", "ㄨ ㄨㄛ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄥ"},
    {83, "ㄍ", "ㄨ ㄨㄚ ㄨㄛ ㄨㄞ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄤ ㄨㄥ"},
    {84, "ㄎ", "ㄨ ㄨㄚ ㄨㄛ ㄨㄞ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄤ ㄨㄥ"},
    {85, "ㄏ", "ㄨ ㄨㄚ ㄨㄛ ㄨㄞ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄤ ㄨㄥ"},
    {86, "ㄉ", "ㄨ ㄨㄛ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄥ"},
    {87, "ㄊ", "ㄨ ㄨㄛ ㄨㄟ ㄨㄢ ㄨㄣ ㄨㄥ"},
    {88, "ㄋ", "ㄨ ㄨㄛ ㄨㄢ ㄨㄥ"},
    {89, "ㄌ", "ㄨ ㄨㄛ ㄨㄢ ㄨㄣ ㄨㄥ"},
    {90, "ㄅ", "ㄨ"},
    {91, "ㄆ", "ㄨ"},
    {92, "ㄇ", "ㄨ"},
    {93, "ㄈ", "ㄨ"},
    {94, "", "ㄩ ㄩㄝ ㄩㄢ ㄩㄣ ㄩㄥ"},
    {95, "ㄐ", "ㄩ ㄩㄝ ㄩㄢ ㄩㄣ ㄩㄥ"},
    {96, "ㄑ", "ㄩ ㄩㄝ ㄩㄢ ㄩㄣ ㄩㄥ"},
    {97, "ㄒ", "ㄩ ㄩㄝ ㄩㄢ ㄩㄣ ㄩㄥ"},
    {98, "ㄋ", "ㄩ ㄩㄝ"},
    {99, "ㄌ", "ㄩ ㄩㄝ ㄩㄢ"},
    {100, "ㄅ", "ㄛ"},
};

bool ContainsToken(std::string_view list, std::string_view token) {
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t end = list.find(' ', start);
    if (end == std::string_view::npos) end = list.size();
    if (list.substr(start, end - start) == token) return true;
    start = end + 1;
  }
  return false;
}

int FinalCodeOfRhyme(const std::string& rhymesFromCode2, std::string_view rhyme) {
  if (rhyme.empty()) return 1;
  int code = 2;
  for (std::size_t start = 0; start < rhymesFromCode2.size(); ++code) {
    std::size_t end = rhymesFromCode2.find(' ', start);
    if (end == std::string::npos) end = rhymesFromCode2.size();
    if (std::string_view(rhymesFromCode2).substr(start, end - start) == rhyme) return code;
    start = end + 1;
  }
  return 0;
}

int InitialCodeOf(std::string_view initial, std::string_view rhyme) {
  for (const auto& row : kInitialCodeRows) {
    if (row.code == 0 || zhuyin::Big5FromUtf8Zhuyin(row.initial) != initial) continue;
    const std::string rhymes = zhuyin::Big5FromUtf8Zhuyin(row.rhymes);
    if (rhymes.empty() ? rhyme.empty() : ContainsToken(rhymes, rhyme)) return row.code;
  }
  return 0;
}

// Derives each syllable's pair from its initial and its rhyme.
std::array<InitialFinalCodes, kSyllableCount> BuildTable() {
  const std::string rhymesFromCode2 = zhuyin::Big5FromUtf8Zhuyin(kRhymesFromFinalCode2);
  std::array<InitialFinalCodes, kSyllableCount> table{};
  for (int number = 1; number < kSyllableCount; ++number) {
    const auto reading = zhuyin::ParseReading(SyllableText(number));
    if (!reading) continue;
    const std::string rhyme = std::string(zhuyin::MedialSymbol(reading->medial)) +
                              std::string(zhuyin::FinalSymbol(reading->final));
    table[static_cast<std::size_t>(number)] = {
        InitialCodeOf(zhuyin::InitialSymbol(reading->initial), rhyme),
        FinalCodeOfRhyme(rhymesFromCode2, rhyme)};
  }
  return table;
}

}  // namespace

InitialFinalCodes InitialFinalCodesOf(int number) {
  static const auto table = BuildTable();
  if (number < 0 || number >= kSyllableCount) return {};
  return table[static_cast<std::size_t>(number)];
}

}  // namespace phonwright
