// The chunk dictionary: runs of graphemes whose pronunciation was (nearly)
// always the same in training. A run of 2 to maxLength graphemes (the word
// boundary counts as a grapheme, so "#ph" and "tion#" are runs) becomes a chunk
// when it was seen at least minCount times and its most frequent phoneme
// sequence covers at least minPurity of them. Its weight makes the decoder's
// chunk score 10000000 / weight equal to scorePerGrapheme for each letter
// grapheme it covers, scaled by its purity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "phonwright/data/l2s_chunk_writer.h"

namespace phonwright::train {

// An aligned training word, word boundaries included: phonemes[i] belongs to graphemes[i].
struct AlignedWord {
  std::vector<std::uint8_t> graphemes;
  std::vector<std::uint8_t> phonemes;
};

struct ChunkOptions {
  std::size_t maxLength = 10;
  std::uint32_t minCount = 2;
  double minPurity = 0.9;
  double scorePerGrapheme = 1000.0;
  // A reading whose first or last phoneme is silent is kept only when the run
  // was seen beside more than one grapheme on that side.
  bool checkSilentEdges = true;
};

std::vector<data::ChunkEntry> SelectChunks(const std::vector<AlignedWord>& words, const ChunkOptions& options);

}  // namespace phonwright::train
