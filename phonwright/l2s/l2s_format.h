// Files of the letter-to-sound models, all inside the data directory.
//
// T2P_config.txt  whitespace-separated tokens; a tag takes the next token as
//                 its value (tags below), any other token is skipped.
// G_map.txt       one grapheme per line; its number is the line number (from 1)
// P_map.txt       one phoneme per line; numbered the same way
// GP_map.txt      "grapheme<TAB>phoneme" per line: the phoneme may be chosen for
//                 the grapheme
// Symbol 1 of both inventories is the word boundary; in a score model's leaf the
// key 2 holds the context's back-off weight.
//
// Score model (one order of a back-off model; integers little-endian):
//   uint8      n                 context levels, 0 to 10
//   n x int32  level base        byte offset of level i's region
//   int32      leaf base         byte offset of the leaf region
//   context node of level i at (level base i) + 3 x index, 3-byte records:
//     {count: u8, 2 bytes unused} then count x {key: u8, child: base-255 2 bytes}
//     child = record index of the node on level i + 1, or of the leaf on the last level
//   leaf node at (leaf base) + 5 x index, 5-byte records:
//     {count: u8, 4 bytes unused} then count x {key: u8, score: int32}
//   Keys ascend inside every node; the root of level 0 (or the only leaf when
//   n = 0) has index 0.
//
// Chunk dictionary (trie over grapheme numbers, 7-byte records, root at 0):
//   {count: u8, 6 bytes unused} then count x
//     {key: u8, child: base-255 3 bytes byte offset (0 none), value: base-255 3 bytes}
//   value = byte offset of the sequence's record in the chunk pronunciation file,
//   0 when the sequence has none.
// Chunk pronunciation file: records at byte offsets (never 0):
//   {m: u8, m phoneme numbers (one per grapheme of the chunk), weight: uint16 1..65535}
//
// Readers are in this folder, writers in phonwright/data/l2s_*_writer.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace phonwright::l2s {

inline constexpr const char* kConfigFileName = "T2P_config.txt";
inline constexpr const char* kGraphemeMapFileName = "G_map.txt";
inline constexpr const char* kPhonemeMapFileName = "P_map.txt";
inline constexpr const char* kCandidateMapFileName = "GP_map.txt";
inline constexpr const char* kStage1BigramFileName = "sco/stage1/bkf.sp.2";
inline constexpr const char* kStage1UnigramFileName = "sco/stage1/bkf.sp.1";

inline constexpr const char* kTagInputFile = "<INPUT_FILE>";
inline constexpr const char* kTagOutputFile = "<OUTPUT_FILE>";
inline constexpr const char* kTagStage1Scores = "<STAGE1_SCOFN>";
inline constexpr const char* kTagStage1Order = "<STAGE1_NGRAM>";
inline constexpr const char* kTagStage2Scores = "<STAGE2_SCOFN>";
inline constexpr const char* kTagStage2Order = "<STAGE2_NGRAM>";
inline constexpr const char* kTagChunkDictionary = "<CHUNK_DIC>";
inline constexpr const char* kTagChunkPronunciations = "<CHUNK_SCO>";
// Optional: the joint-sequence model (joint_sequence_model.h), used when it loads.
inline constexpr const char* kTagJointSequenceModel = "<JOINT_SEQUENCE_MODEL>";

inline constexpr std::size_t kMaxConfigValueLength = 49;
inline constexpr std::size_t kMaxStage2StemLength = 47;
inline constexpr int kMaxStage2Order = 11;  // n = order - 1 context levels, at most 10

inline constexpr int kBoundarySymbol = 1;
inline constexpr int kBackoffKey = 2;
inline constexpr std::size_t kMaxSymbolNameLength = 8;
inline constexpr int kMaxGraphemes = 254;
inline constexpr int kMaxPhonemes = 59;

inline constexpr std::int32_t kAbsentScore = -1000000;
inline constexpr std::size_t kMaxContextLevels = 10;
inline constexpr std::size_t kContextRecordSize = 3;
inline constexpr std::size_t kLeafRecordSize = 5;
inline constexpr std::size_t kChunkRecordSize = 7;
inline constexpr std::size_t kMaxChunkLength = 20;

}  // namespace phonwright::l2s
