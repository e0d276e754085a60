// Writes the letter-to-sound chunk dictionary and its pronunciation file
// (layouts in phonwright/l2s/l2s_format.h), read by phonwright/l2s/chunk_dictionary.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace phonwright::data {

struct ChunkEntry {
  std::vector<std::uint8_t> graphemes;  // 1 to 20 grapheme numbers
  std::vector<std::uint8_t> phonemes;   // one phoneme number per grapheme
  std::uint16_t weight = 1;             // 1 to 65535; chunk score = 10000000 / weight
};

struct ChunkFiles {
  std::string dictionary;
  std::string pronunciations;
};

// Throws std::invalid_argument for an empty or over-long chunk, a phoneme count
// that differs from the grapheme count, a weight of 0, a chunk listed twice, or
// files larger than three base-255 digits address.
ChunkFiles EncodeChunks(const std::vector<ChunkEntry>& chunks);

void WriteChunks(const std::filesystem::path& dictionaryPath, const std::filesystem::path& pronunciationPath,
                 const std::vector<ChunkEntry>& chunks);

}  // namespace phonwright::data
