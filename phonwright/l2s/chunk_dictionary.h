// Queries of the letter-to-sound chunk files (layouts in l2s_format.h): which
// grapheme sequences have a whole pronunciation, and that pronunciation.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "phonwright/l2s/model_file_access.h"

namespace phonwright::l2s {

// One step of the chunk dictionary trie: the entry for `grapheme` in the node
// at `nodeOffset` (the root is at 0).
struct ChunkEdge {
  std::uint32_t child = 0;  // byte offset of the next node, 0 for none
  std::uint32_t value = 0;  // offset of the sequence's pronunciation record, 0 for none
};
std::optional<ChunkEdge> FindChunkEdge(const ModelFile& dictionary, std::uint32_t nodeOffset, std::uint8_t grapheme);

// The offset of the pronunciation record of `graphemes` in the chunk
// dictionary `dictionaryName`, or nothing (also for an empty sequence). A
// dictionary that cannot be opened prints "**** ERROR! Unable to open score
// file ****" and has no record.
std::optional<std::uint32_t> LookupChunk(ModelFileAccess& files, const std::string& dictionaryName,
                                         std::span<const std::uint8_t> graphemes);

struct ChunkPronunciation {
  std::vector<std::uint8_t> phonemes;  // one per grapheme of the chunk
  std::int32_t score = 0;              // 10000000 / weight, + 1000 when touching the word boundary
};

// The record at `offset` of the pronunciation file `pronunciationName`.
// Nothing when the file cannot be opened (with the message above), the record
// is cut short, or its weight is 0.
std::optional<ChunkPronunciation> ReadChunkPronunciation(ModelFileAccess& files, const std::string& pronunciationName,
                                                         std::uint32_t offset, bool touchesBoundary);

}  // namespace phonwright::l2s
