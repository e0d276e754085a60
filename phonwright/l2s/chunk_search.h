// Chunks of letter-to-sound decoding: a run of graphemes whose whole
// pronunciation stands in the chunk files.
//
// The run is split into units (graphemes made of letters that are graphemes
// themselves become those letters; "'s", "s'" and "s's" stay whole), and every
// segmentation of the units into graphemes is a candidate sequence. The engine
// defines an order over the segmentations (that of its segmentation lattice,
// built column by column with new path ends put in front); the chunk is the
// first sequence in that order that the chunk dictionary holds. Instead of
// listing every segmentation, which grows exponentially with the run, the
// search walks the chunk dictionary's trie alongside the units and compares
// the sequences it holds in the lattice's order: same chunk, far fewer reads.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "phonwright/l2s/letter_to_sound_models.h"

namespace phonwright::l2s {

struct ChunkHypothesis {
  std::vector<std::uint8_t> graphemes;  // the segmentation found
  std::vector<std::uint8_t> phonemes;   // one per grapheme
  std::int32_t score = 0;               // chunk score; the boundary bonus when the run holds grapheme 1
};

// Nothing when no segmentation has a record, when the run splits into more
// than 30 units, or when the record cannot be read or does not give one phoneme
// per grapheme. An unopened chunk dictionary prints its message once per run.
std::optional<ChunkHypothesis> FindChunk(LetterToSoundModels& models, std::span<const std::uint8_t> run);

}  // namespace phonwright::l2s
