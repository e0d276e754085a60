// Back-off n-gram models in the score-model form the decoder reads: one model
// per order, scores and back-off weights as rounded scale x ln(probability).
//
// Order k predicts a key from a context of k - 1 symbols; backing off drops the
// context's first symbol. Seen keys get absolute discounting,
// P(key | c) = (n(c, key) - D) / n(c); the mass taken off goes to the lower
// order through the context's back-off weight (key 2 of its leaf), normalised
// over the keys the context did not see. Each order keeps its most frequent
// contexts while the file's record indexes (two base-255 digits) reach them,
// and only contexts whose shorter context is kept too, so a back-off weight is
// never added twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "phonwright/data/l2s_score_model_writer.h"

namespace phonwright::train {

// Counts of one order: context (symbol bytes, level 0 first) -> key -> count.
using NgramCounts = std::unordered_map<std::string, std::unordered_map<std::uint8_t, std::uint32_t>>;

struct BackoffOptions {
  double discount = 0.5;
  double scale = 1000.0;             // score = round(scale * ln p)
  std::size_t maxRecords = 65000;    // per context level and for the leaves
  std::uint32_t minContextCount = 2;  // orders 2 and up
};

// counts[k - 1] holds order k (contexts of k - 1 symbols). Returns one model per
// order, [k - 1] for order k.
std::vector<data::ScoreModelContent> EstimateBackoffModels(const std::vector<NgramCounts>& counts,
                                                           const BackoffOptions& options);

}  // namespace phonwright::train
