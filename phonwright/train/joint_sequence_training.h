// Estimates the joint-sequence model (phonwright/l2s/joint_sequence_model.h)
// from words written as token sequences: an interpolated Kneser-Ney n-gram
// model with three discounts per order (modified Kneser-Ney), stored in
// back-off form. N-grams of order minCountOrder and above seen fewer than
// minCount times are left out; the back-off weights are then computed again
// so that every history's probabilities still sum to one.
#pragma once

#include <cstdint>
#include <vector>

#include "phonwright/data/l2s_joint_model_writer.h"

namespace phonwright::train {

struct JointTrainingOptions {
  int order = 8;
  std::uint32_t minCount = 1;
  int minCountOrder = 4;
};

// `tokens` lists the token inventory (token 0 the word boundary); every word
// of `words` is a token sequence without its boundaries, which are added.
// Throws std::invalid_argument for an order outside 1 to 16 or a token number
// outside the inventory.
data::JointSequenceModelContent EstimateJointSequenceModel(const std::vector<std::vector<std::uint16_t>>& words,
                                                           std::vector<data::JointSequenceModelContent::Token> tokens,
                                                           const JointTrainingOptions& options);

}  // namespace phonwright::train
