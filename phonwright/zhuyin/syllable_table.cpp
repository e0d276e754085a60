#include "phonwright/zhuyin/syllable_table.h"

#include <array>
#include <string>

#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright {
namespace {

// Syllables 1 to 409 in number order.
constexpr std::string_view kSyllablesUtf8 =
    "ㄓ ㄔ ㄕ ㄖ ㄗ ㄘ ㄙ ㄚ ㄓㄚ ㄔㄚ ㄕㄚ ㄗㄚ ㄘㄚ ㄙㄚ ㄍㄚ ㄎㄚ "
    "ㄏㄚ ㄉㄚ ㄊㄚ ㄋㄚ ㄌㄚ ㄅㄚ ㄆㄚ ㄇㄚ ㄈㄚ ㄛ ㄜ ㄓㄜ ㄔㄜ "
    "ㄕㄜ ㄖㄜ ㄗㄜ ㄘㄜ ㄙㄜ ㄍㄜ ㄎㄜ ㄏㄜ ㄉㄜ ㄊㄜ ㄋㄜ ㄌㄜ ㄞ "
    "ㄓㄞ ㄔㄞ ㄕㄞ ㄗㄞ ㄘㄞ ㄙㄞ ㄍㄞ ㄎㄞ ㄏㄞ ㄉㄞ ㄊㄞ ㄋㄞ ㄌㄞ "
    "ㄅㄞ ㄆㄞ ㄇㄞ ㄝ ㄟ ㄓㄟ ㄕㄟ ㄗㄟ ㄙㄟ ㄍㄟ ㄏㄟ ㄉㄟ ㄋㄟ "
    "ㄌㄟ ㄅㄟ ㄆㄟ ㄇㄟ ㄈㄟ ㄠ ㄓㄠ ㄔㄠ ㄕㄠ ㄖㄠ ㄗㄠ ㄘㄠ ㄙㄠ "
    "ㄍㄠ ㄎㄠ ㄏㄠ ㄉㄠ ㄊㄠ ㄋㄠ ㄌㄠ ㄅㄠ ㄆㄠ ㄇㄠ ㄡ ㄓㄡ ㄔㄡ "
    "ㄕㄡ ㄖㄡ ㄗㄡ ㄘㄡ ㄙㄡ ㄍㄡ ㄎㄡ ㄏㄡ ㄉㄡ ㄊㄡ ㄋㄡ ㄌㄡ ㄆㄡ "
    "ㄇㄡ ㄈㄡ ㄢ ㄓㄢ ㄔㄢ ㄕㄢ ㄖㄢ ㄗㄢ ㄘㄢ ㄙㄢ ㄍㄢ ㄎㄢ ㄏㄢ "
    "ㄉㄢ ㄊㄢ ㄋㄢ ㄌㄢ ㄅㄢ ㄆㄢ ㄇㄢ ㄈㄢ ㄣ ㄓㄣ ㄔㄣ ㄕㄣ ㄖㄣ "
    "ㄗㄣ ㄘㄣ ㄙㄣ ㄍㄣ ㄎㄣ ㄏㄣ ㄋㄣ ㄅㄣ ㄆㄣ ㄇㄣ ㄈㄣ ㄤ ㄓㄤ "
    "ㄔㄤ ㄕㄤ ㄖㄤ ㄗㄤ ㄘㄤ ㄙㄤ ㄍㄤ ㄎㄤ ㄏㄤ ㄉㄤ ㄊㄤ ㄋㄤ ㄌㄤ "
    "ㄅㄤ ㄆㄤ ㄇㄤ ㄈㄤ ㄥ ㄓㄥ ㄔㄥ ㄕㄥ ㄖㄥ ㄗㄥ ㄘㄥ ㄙㄥ ㄍㄥ "
    "ㄎㄥ ㄏㄥ ㄉㄥ ㄊㄥ ㄋㄥ ㄌㄥ ㄅㄥ ㄆㄥ ㄇㄥ ㄈㄥ ㄧ ㄐㄧ ㄑㄧ "
    "ㄒㄧ ㄉㄧ ㄊㄧ ㄋㄧ ㄌㄧ ㄅㄧ ㄆㄧ ㄇㄧ ㄨ ㄓㄨ ㄔㄨ ㄕㄨ ㄖㄨ "
    "ㄗㄨ ㄘㄨ ㄙㄨ ㄍㄨ ㄎㄨ ㄏㄨ ㄉㄨ ㄊㄨ ㄋㄨ ㄌㄨ ㄅㄨ ㄆㄨ ㄇㄨ "
    "ㄈㄨ ㄩ ㄐㄩ ㄑㄩ ㄒㄩ ㄋㄩ ㄌㄩ ㄧㄚ ㄐㄧㄚ ㄑㄧㄚ ㄒㄧㄚ "
    "ㄌㄧㄚ ㄧㄝ ㄐㄧㄝ ㄑㄧㄝ ㄒㄧㄝ ㄉㄧㄝ ㄊㄧㄝ ㄋㄧㄝ ㄌㄧㄝ "
    "ㄅㄧㄝ ㄆㄧㄝ ㄇㄧㄝ ㄧㄞ ㄧㄠ ㄐㄧㄠ ㄑㄧㄠ ㄒㄧㄠ ㄉㄧㄠ "
    "ㄊㄧㄠ ㄋㄧㄠ ㄌㄧㄠ ㄅㄧㄠ ㄆㄧㄠ ㄇㄧㄠ ㄧㄡ ㄐㄧㄡ ㄑㄧㄡ "
    "ㄒㄧㄡ ㄉㄧㄡ ㄋㄧㄡ ㄌㄧㄡ ㄇㄧㄡ ㄧㄢ ㄐㄧㄢ ㄑㄧㄢ ㄒㄧㄢ "
    "ㄉㄧㄢ ㄊㄧㄢ ㄋㄧㄢ ㄌㄧㄢ ㄅㄧㄢ ㄆㄧㄢ ㄇㄧㄢ ㄧㄣ ㄐㄧㄣ "
    "ㄑㄧㄣ ㄒㄧㄣ ㄋㄧㄣ ㄌㄧㄣ ㄅㄧㄣ ㄆㄧㄣ ㄇㄧㄣ ㄧㄤ ㄐㄧㄤ "
    "ㄑㄧㄤ ㄒㄧㄤ ㄋㄧㄤ ㄌㄧㄤ ㄧㄥ ㄐㄧㄥ ㄑㄧㄥ ㄒㄧㄥ ㄉㄧㄥ "
    "ㄊㄧㄥ ㄋㄧㄥ ㄌㄧㄥ ㄅㄧㄥ ㄆㄧㄥ ㄇㄧㄥ ㄨㄚ ㄓㄨㄚ ㄔㄨㄚ "
    "ㄕㄨㄚ ㄍㄨㄚ ㄎㄨㄚ ㄏㄨㄚ ㄨㄛ ㄓㄨㄛ ㄔㄨㄛ ㄕㄨㄛ ㄖㄨㄛ "
    "ㄗㄨㄛ ㄘㄨㄛ ㄙㄨㄛ ㄍㄨㄛ ㄎㄨㄛ ㄏㄨㄛ ㄉㄨㄛ ㄊㄨㄛ ㄋㄨㄛ "
    "ㄌㄨㄛ ㄅㄛ ㄆㄛ ㄇㄛ ㄈㄛ ㄨㄞ ㄓㄨㄞ ㄔㄨㄞ ㄕㄨㄞ ㄍㄨㄞ "
    "ㄎㄨㄞ ㄏㄨㄞ ㄨㄟ ㄓㄨㄟ ㄔㄨㄟ ㄕㄨㄟ ㄖㄨㄟ ㄗㄨㄟ ㄘㄨㄟ "
    "ㄙㄨㄟ ㄍㄨㄟ ㄎㄨㄟ ㄏㄨㄟ ㄉㄨㄟ ㄊㄨㄟ ㄨㄢ ㄓㄨㄢ ㄔㄨㄢ "
    "ㄕㄨㄢ ㄖㄨㄢ ㄗㄨㄢ ㄘㄨㄢ ㄙㄨㄢ ㄍㄨㄢ ㄎㄨㄢ ㄏㄨㄢ ㄉㄨㄢ "
    "ㄊㄨㄢ ㄋㄨㄢ ㄌㄨㄢ ㄨㄣ ㄓㄨㄣ ㄔㄨㄣ ㄕㄨㄣ ㄖㄨㄣ ㄗㄨㄣ "
    "ㄘㄨㄣ ㄙㄨㄣ ㄍㄨㄣ ㄎㄨㄣ ㄏㄨㄣ ㄉㄨㄣ ㄊㄨㄣ ㄌㄨㄣ ㄨㄤ "
    "ㄓㄨㄤ ㄔㄨㄤ ㄕㄨㄤ ㄍㄨㄤ ㄎㄨㄤ ㄏㄨㄤ ㄨㄥ ㄓㄨㄥ ㄔㄨㄥ "
    "ㄕㄨㄥ ㄖㄨㄥ ㄗㄨㄥ ㄘㄨㄥ ㄙㄨㄥ ㄍㄨㄥ ㄎㄨㄥ ㄏㄨㄥ ㄉㄨㄥ "
    "ㄊㄨㄥ ㄋㄨㄥ ㄌㄨㄥ ㄩㄝ ㄐㄩㄝ ㄑㄩㄝ ㄒㄩㄝ ㄋㄩㄝ ㄌㄩㄝ "
    "ㄩㄢ ㄐㄩㄢ ㄑㄩㄢ ㄒㄩㄢ ㄌㄩㄢ ㄩㄣ ㄐㄩㄣ ㄑㄩㄣ ㄒㄩㄣ ㄩㄥ "
    "ㄐㄩㄥ ㄑㄩㄥ ㄒㄩㄥ ㄦ ㄇㄜ ";

using SyllableArray = std::array<std::string, kSyllableCount>;

SyllableArray BuildSyllables() {
  SyllableArray table;
  const std::string big5 = zhuyin::Big5FromUtf8Zhuyin(kSyllablesUtf8);
  std::size_t number = 1;
  for (std::size_t start = 0; start < big5.size() && number < table.size();) {
    const std::size_t space = big5.find(' ', start);
    const std::size_t end = space == std::string::npos ? big5.size() : space;
    table[number++] = big5.substr(start, end - start);
    start = end + 1;
  }
  return table;
}

}  // namespace

std::string_view SyllableText(int number) {
  static const SyllableArray table = BuildSyllables();
  if (number < 0 || number >= kSyllableCount) return {};
  return table[static_cast<std::size_t>(number)];
}

}  // namespace phonwright
