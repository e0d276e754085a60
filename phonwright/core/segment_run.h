// Word segmentation of a Chinese run: the run is split into dictionary words
// by the cheapest path over all dictionary matches, where a word of k
// characters costs 1 / k (so fewer, longer words win), and the words' syllable
// codes are returned in text order.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "phonwright/core/segmentation_dictionary.h"

namespace phonwright {

// The lattice holds at most this many characters; a longer run is segmented
// in consecutive pieces of this length.
inline constexpr std::size_t kMaxSegmentCharacters = 127;

struct SegmentedWord {
  std::size_t start = 0;  // in characters, within the run without its spaces
  std::size_t end = 0;
  const SegmentationEntry* entry = nullptr;
};

struct SegmentedRun {
  std::vector<SegmentedWord> words;  // in text order
  std::vector<int> codes;            // the words' codes in text order
  std::vector<std::size_t> leftOut;  // characters no path reads, in text order

  bool complete() const { return leftOut.empty(); }
};

// Segments `run` (Big5, two bytes a character, no ASCII letters). ASCII spaces
// are ignored. Every position s looks up the text from s to the end and its
// shorter prefixes (longest first); the cheapest path from the start to the
// end wins, a longer first match winning a tie (strict improvement only).
// The result is empty when the run is empty or has an odd byte length. A run
// with a character that no dictionary word covers has no path: that character
// is left out (listed in `leftOut`), and the text on either side of it is
// segmented on its own, so the rest of the run is still read.
SegmentedRun SegmentRun(const SegmentationDictionaries& dictionaries, std::string_view run);

// The codes as the segmentation writes them: "%d\t" each.
std::string SegmentCodesText(const SegmentedRun& segmented);

}  // namespace phonwright
