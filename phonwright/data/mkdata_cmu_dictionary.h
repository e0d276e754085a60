// The CMU pronouncing dictionary as shipped in the npm package
// cmu-pronouncing-dictionary (index.js), and its 40-phone form.
//
// index.js holds one entry a line:   "word": "PH0 PH1 ...",
// Alternative pronunciations are separate words with a "(2)", "(3)" ... suffix;
// a few values end in "# comment". Stress digits 0/1/2 follow the vowels.
// The 40-phone form drops stress and writes unstressed AH (AH0) as AX.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace phonwright::mkdata {

using Pronunciation = std::vector<std::string>;

struct CmuWord {
  std::string word;  // as in the file, lower case, without the "(N)" suffix
  std::vector<Pronunciation> pronunciations;  // file order, duplicates removed
};

struct CmuDictionary {
  std::vector<CmuWord> words;        // order of first appearance
  std::size_t entryCount = 0;        // lines read
  std::size_t droppedPronunciations = 0;  // beyond the per-word limit
};

inline constexpr std::size_t kMaxPronunciationsPerWord = 10;

// The 40 phones of the converted dictionary, in a fixed order.
const std::vector<std::string>& FortyPhones();

// One pronunciation with stress to the 40-phone form. Throws
// std::invalid_argument for a phone outside the CMU set.
Pronunciation ToFortyPhones(std::string_view stressedPhones);

// Parses index.js and converts every pronunciation; pronunciations that become
// equal after conversion are kept once, at most kMaxPronunciationsPerWord a
// word. Throws std::invalid_argument naming the line of a malformed entry.
CmuDictionary ParseCmuIndex(std::string_view indexJs);

// "WORD<TAB>PH PH ...\n", one pronunciation a line, words upper case.
std::string FormatPlainDictionary(const CmuDictionary& dictionary);

}  // namespace phonwright::mkdata
