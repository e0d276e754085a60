// Trains the letter-to-sound models from a plain pronunciation dictionary:
//  1. align letters and phones (many_to_many_alignment.h), unconstrained;
//  2. choose the inventories: grapheme 1 the word boundary "#", 2 reserved for
//     back-off weights, then every letter, then the letter pairs aligned as one
//     unit at least minGroupCount times (most used first, at most 254 in all);
//     phoneme 1 the boundary, also chosen for silent letters, 2 reserved, then
//     every phone, then the phone pairs aligned to one letter at least
//     minPairCount times (such as "K S" for x; at most 59 in all);
//  3. align again within those inventories;
//  4. count and estimate the stage-1 grapheme bigram and unigram, the
//     candidate map, the stage-2 window models of orders 1 to N and the chunks;
//  5. estimate the joint-sequence model over the same links.
// The stage-2 window of grapheme q holds, for N = 5, the graphemes two to the
// right, one to the left, one to the right and q itself, the order the decoder
// builds its contexts in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "phonwright/data/l2s_model_set_writer.h"
#include "phonwright/train/backoff_models.h"
#include "phonwright/train/chunk_selection.h"
#include "phonwright/train/joint_sequence_training.h"
#include "phonwright/train/plain_dictionary.h"

namespace phonwright::train {

struct TrainingOptions {
  int order = 7;  // stage-2 order N, 1 to 11
  int unconstrainedIterations = 6;
  int constrainedIterations = 3;
  // Letter groups made the decoder's grapheme segmentation disagree with the
  // training alignment and measured worse; by default every grapheme is a letter.
  std::uint32_t minGroupCount = std::numeric_limits<std::uint32_t>::max();
  std::uint32_t minPairCount = 200;
  std::uint32_t minCandidateCount = 2;
  BackoffOptions stage1;
  BackoffOptions stage2;
  ChunkOptions chunks;
  // The joint-sequence model over the links of the same alignment, "-" and
  // "." read as silent letters.
  bool jointSequenceModel = true;
  JointTrainingOptions joint;
};

struct TrainingReport {
  std::size_t examples = 0;         // pronunciations trained on
  std::size_t unusableWords = 0;    // characters other than a-z and ', or over 28 letters
  std::size_t unalignedExamples = 0;
  std::size_t graphemes = 0;
  std::size_t phonemes = 0;
  std::size_t candidates = 0;
  std::size_t chunks = 0;
  std::vector<std::size_t> contextsPerOrder;  // stage 2, [k - 1] for order k
  std::size_t jointWords = 0;  // words the joint-sequence model was trained on
  std::size_t jointTokens = 0;
  std::size_t jointHistories = 0;
  std::size_t jointNgrams = 0;
};

data::LetterToSoundModelSet TrainLetterToSound(const std::vector<DictionaryEntry>& dictionary,
                                               const TrainingOptions& options, TrainingReport& report);

// The decoder's stage-2 context of position q of a grapheme sequence (word
// boundaries included) for order N: N - 1 symbols, beyond either end the boundary.
std::string WindowContext(const std::vector<std::uint8_t>& graphemes, std::size_t q, int order);

}  // namespace phonwright::train
