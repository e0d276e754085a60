// The entries of the segmentation dictionary ("CDIC.dic") and its class names
// ("classID"): every Big5 character with a reading, the full-width digits, and
// phrases up to the dictionary's capacity: first every phrase the segmentation
// over the characters and the phrases chosen before it would read wrong (most
// frequent first), then the most frequent of the others, which the
// segmentation of longer text needs as words, less the uncommon two-character
// ones that would win a tie against a word five times as frequent reading
// otherwise (很高 against 高興 in 很高興); a phrase the characters read wrong is left out too
// when it is rare (seen fewer than ten times) and a hundred times rarer than
// a word it would hide that way (我相 against 相信). Codes are syllable
// codes in the syllable-table numbering (tone digit x 1000 + syllable number);
// characters and phrases holding a syllable that table cannot write are left
// out and counted.
//
// Class names: "CHAR" for a single character, "WORD" for a phrase, "DIGIT" for
// the full-width digits. The class is kept with each entry and not used by the
// conversions; it tells a reader of the file where an entry came from.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "phonwright/data/mkdata_chinese_lexicon.h"
#include "phonwright/data/segmentation_dictionary_writer.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"

namespace phonwright::mkdata {

inline constexpr std::size_t kSegmentationCapacity = 104450;
inline constexpr std::size_t kMaxCodesPerEntry = 10;
inline constexpr int kFirstDigitCode = 6000;

struct SegmentationSelection {
  std::vector<std::string> classNames;  // the contents of "classID", in order
  std::vector<SegmentationWord> entries;
  std::vector<Big5Phrase> heldOut;  // phrases not in the dictionary, most frequent first
  std::size_t composedPhrases = 0;  // phrases shorter entries read right, kept as words
  std::size_t shadowingPhrases = 0;  // such phrases left out: they would hide a more frequent word
  std::size_t rareHidingPhrases = 0;  // phrases read wrong, left out: rare next to a word they would hide
  std::size_t inexpressibleCharacters = 0;
  std::size_t inexpressiblePhrases = 0;
  std::size_t longPhrases = 0;  // more characters than an entry has codes
};

// Syllable code of a reading; nullopt when the syllable table has no such base syllable.
std::optional<int> SyllableCodeOf(const zhuyin::Reading& reading);

SegmentationSelection SelectSegmentationEntries(const ChineseLexicon& lexicon,
                                                std::size_t capacity = kSegmentationCapacity);

}  // namespace phonwright::mkdata
