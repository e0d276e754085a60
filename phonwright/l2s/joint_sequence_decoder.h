// Decoding a word with the joint-sequence model (joint_sequence_model.h): a
// beam search over the letter positions. A hypothesis at position i has read
// the first i letters as tokens; it is extended by every token whose letters
// come next, and hypotheses that reach the same position in the same model
// state are merged (the better one stays), so the beam holds distinct
// histories. The best hypothesis after the closing boundary wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "phonwright/l2s/joint_sequence_model.h"

namespace phonwright::l2s {

inline constexpr std::size_t kJointBeamWidth = 8;

// The tokens of a model by their first letter, ascending, and the score of
// each token after the empty history; built once per loaded model.
class JointTokenIndex {
 public:
  explicit JointTokenIndex(const JointSequenceModel& model);
  std::span<const std::uint16_t> StartingWith(char letter) const {
    return byFirstLetter_[static_cast<unsigned char>(letter)];
  }
  JointScore AtRoot(std::uint16_t token) const { return atRoot_[token]; }

 private:
  std::vector<std::uint16_t> byFirstLetter_[256];
  std::vector<JointScore> atRoot_;
};

// The phoneme numbers of the best token sequence for `word` (one per token,
// silent letters as the boundary phoneme), or nothing when no sequence of
// tokens spells the word.
std::optional<std::vector<std::uint8_t>> DecodeJointSequence(const JointSequenceModel& model,
                                                              const JointTokenIndex& index, std::string_view word,
                                                              std::size_t beamWidth = kJointBeamWidth);

}  // namespace phonwright::l2s
