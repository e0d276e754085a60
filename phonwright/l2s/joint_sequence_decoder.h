// Decoding a word with the joint-sequence model (joint_sequence_model.h): a
// beam search over the letter positions. A hypothesis at position i has read
// the first i letters as tokens; it is extended by every token whose letters
// come next, and hypotheses that reach the same position in the same model
// state are merged (the better one stays), so the beam holds distinct
// histories. The best hypothesis after the closing boundary wins.
//
// The decoder keeps its tables (the tokens that may come next for each pair
// of letters, their scores after the empty history) from its construction and
// its beams and buffers from one word to the next, so a word costs no
// allocation once the buffers have grown to the longest word decoded. One
// decoder serves one thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "phonwright/l2s/joint_sequence_model.h"

namespace phonwright::l2s {

inline constexpr std::size_t kJointBeamWidth = 8;
inline constexpr std::size_t kMaxJointBeamWidth = 1024;

class JointSequenceDecoder {
 public:
  // The decoder keeps a copy of the view `model`, whose bytes must outlive it.
  // The width is taken into 1 to kMaxJointBeamWidth.
  explicit JointSequenceDecoder(const JointSequenceModel& model, std::size_t beamWidth = kJointBeamWidth);

  // The phoneme numbers of the best token sequence for `word` (one per token,
  // silent letters as the boundary phoneme), valid until the next call, or
  // nothing when no sequence of tokens spells the word.
  std::optional<std::span<const std::uint8_t>> Decode(std::string_view word);

 private:
  // Tokens that may read the letters at one position, ascending: the order in
  // which they extend a hypothesis.
  struct Candidates {
    std::vector<std::uint16_t> tokens;
    std::vector<std::uint8_t> letterCounts;
    std::vector<JointScore> atRoot;  // the score after the empty history
    // Indexes into `tokens` by descending score after the empty history; only
    // when every token has one letter (then they all go to the same beam).
    std::vector<std::uint16_t> byRootScore;

    void Add(std::uint16_t token, std::uint8_t letterCount, JointScore root);
    void Clear();
    void RankByRootScore();
  };
  struct Hypothesis {
    std::uint32_t state;
    float score;
    int back;  // index of its last step, -1 at the start
  };
  struct Step {
    int previous;
    std::uint16_t token;
  };
  // The best hypotheses of one position, at most one per model state: the
  // `width_` best of the best per state, kept as they come (a state pushed
  // out can only come back with a better score than the one it lost with).
  // They are held_[first, first + size).
  struct Beam {
    std::size_t first;
    std::size_t size;
    std::size_t worst;  // offset of the first hypothesis of the lowest score
  };

  // A walk down one hypothesis's back-off chain.
  struct Walk {
    std::uint32_t state;
    JointNode node;  // of `state`
    float backoff;
    std::size_t missing;  // candidates not found yet
  };

  const Candidates* CandidatesAt(std::string_view word, std::size_t at);
  void ScoreCandidates(std::span<const Hypothesis> hypotheses, const Candidates& candidates);
  JointScore ScoreOf(std::size_t row, std::size_t candidate, const Candidates& candidates) const;
  void MarkEntering(const Hypothesis& hypothesis, std::size_t row, const Beam& target, const Candidates& candidates);
  void Extend(const Hypothesis& hypothesis, std::size_t row, std::size_t at, const Candidates& candidates);
  void ResetBeams(std::size_t positions);
  bool Admits(const Beam& beam, float score) const;
  void Offer(Beam& beam, std::uint32_t state, float score, int previous, std::uint16_t token);
  void FindWorst(Beam& beam);
  std::span<const Hypothesis> BestFirst(const Beam& beam);

  JointSequenceModel model_;
  std::size_t width_;
  std::array<Candidates, 256> oneLetter_;  // by the letter
  // The two-letter tokens by their letters (first << 8 | second), ascending.
  std::vector<std::pair<std::uint16_t, Candidates>> twoLetters_;
  std::array<bool, 256> startsTwoLetters_{};
  Candidates boundary_;  // token 0, which closes the word
  std::size_t scoreRow_ = 0;  // the most candidates of a position
  std::size_t foundRow_ = 0;  // words of 64 bits for that many

  // Buffers reused from word to word.
  Candidates merged_;  // one- and two-letter tokens of a position
  std::vector<std::uint16_t> slotOfToken_;  // a token's index among the position's candidates
  // The candidates' scores after each hypothesis of a position, a row for
  // each: those found on its back-off walk (bit set in its row of found_) in
  // scores_, and for the others the back-off weight down to the empty history.
  std::vector<JointScore> scores_;
  std::vector<std::uint64_t> found_;
  std::vector<float> backoffToRoot_;
  std::vector<Walk> walks_;
  std::vector<std::uint32_t> walking_;  // rows whose walk goes on
  std::vector<std::uint64_t> entering_;  // candidates that may enter their beam
  std::vector<Beam> beams_;
  std::vector<Hypothesis> held_;
  std::vector<Step> steps_;
  std::vector<std::uint8_t> phonemes_;
};

}  // namespace phonwright::l2s
