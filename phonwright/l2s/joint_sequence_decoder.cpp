#include "phonwright/l2s/joint_sequence_decoder.h"

#include <algorithm>

namespace phonwright::l2s {
namespace {

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
// `width` best of the best per state, kept as they come (a state pushed out
// can only come back with a better score than the one it lost with).
class Beam {
 public:
  explicit Beam(std::size_t width) : width_(width) { held_.reserve(width); }

  // Whether a hypothesis with this score could enter.
  bool Admits(float score) const { return held_.size() < width_ || score > held_[worst_].score; }

  void Offer(const Hypothesis& candidate) {
    for (Hypothesis& held : held_)
      if (held.state == candidate.state) {
        if (candidate.score > held.score) {
          held = candidate;
          FindWorst();
        }
        return;
      }
    if (held_.size() < width_) {
      held_.push_back(candidate);
    } else if (candidate.score > held_[worst_].score) {
      held_[worst_] = candidate;
    } else {
      return;
    }
    FindWorst();
  }

  // Best first, so that the better extensions fill the next beam early and
  // the worse ones are turned away before they are offered.
  std::span<const Hypothesis> BestFirst() {
    std::sort(held_.begin(), held_.end(), [](const Hypothesis& a, const Hypothesis& b) {
      return a.score != b.score ? a.score > b.score : a.back < b.back;
    });
    FindWorst();
    return held_;
  }

 private:
  void FindWorst() {
    worst_ = 0;
    for (std::size_t i = 1; i < held_.size(); ++i)
      if (held_[i].score < held_[worst_].score) worst_ = i;
  }

  std::size_t width_;
  std::vector<Hypothesis> held_;
  std::size_t worst_ = 0;
};

// The tokens that may come next at one position, ascending, and where each
// stands in that list (by token number less the first).
struct Candidates {
  std::vector<std::uint16_t> tokens;
  std::vector<int> slot;

  void Index() {
    slot.assign(tokens.empty() ? 0 : tokens.back() - tokens.front() + 1u, -1);
    for (std::size_t i = 0; i < tokens.size(); ++i) slot[tokens[i] - tokens.front()] = static_cast<int>(i);
  }
};

// Scores every candidate after `state` in one walk down the back-off chain:
// each node's entries between the first and the last candidate are read once
// (a letter's tokens are numbered together), the candidates a node lacks go on
// to its suffix, and those that reach the empty history take its scores from
// the index. Gives the same scores as JointSequenceModel::Score for each token.
void ScoreCandidates(const JointSequenceModel& model, const JointTokenIndex& index, std::uint32_t state,
                     const Candidates& candidates, std::vector<JointScore>& scores) {
  constexpr std::uint32_t kNotFound = 0xFFFFFFFFu;  // no state has this number
  const std::uint16_t first = candidates.tokens.front();
  const std::uint16_t last = candidates.tokens.back();
  scores.assign(candidates.tokens.size(), {0.0f, kNotFound});
  std::size_t missing = candidates.tokens.size();
  float backoff = 0.0f;
  for (; state != 0; state = model.Node(state).suffix) {
    const JointNode node = model.Node(state);
    const std::uint64_t end = std::uint64_t{node.firstEntry} + node.entryCount;
    for (std::uint64_t e = model.LowerBound(node, first); e < end; ++e) {
      const std::uint16_t token = model.EntryToken(e);
      if (token > last) break;
      if (token < first) continue;  // only in a damaged file, whose entries do not ascend
      const int i = candidates.slot[token - first];
      if (i < 0 || scores[static_cast<std::size_t>(i)].next != kNotFound) continue;
      const JointEntry entry = model.Entry(e);
      scores[static_cast<std::size_t>(i)] = {backoff + entry.score, entry.next};
      if (--missing == 0) return;
    }
    backoff += node.backoff;
  }
  for (std::size_t i = 0; i < scores.size(); ++i)
    if (scores[i].next == kNotFound) {
      const JointScore root = index.AtRoot(candidates.tokens[i]);
      scores[i] = {backoff + root.score, root.next};
    }
}

}  // namespace

JointTokenIndex::JointTokenIndex(const JointSequenceModel& model) {
  for (std::uint32_t t = 0; t < model.token_count(); ++t) atRoot_.push_back(model.Score(0, static_cast<std::uint16_t>(t)));
  for (std::uint32_t t = 1; t < model.token_count(); ++t)
    byFirstLetter_[static_cast<unsigned char>(model.Token(t).letters[0])].push_back(static_cast<std::uint16_t>(t));
}

std::optional<std::vector<std::uint8_t>> DecodeJointSequence(const JointSequenceModel& model,
                                                              const JointTokenIndex& index, std::string_view word,
                                                              std::size_t beamWidth) {
  const std::size_t length = word.size();
  std::vector<Beam> positions(length + 1, Beam(std::max<std::size_t>(beamWidth, 1)));
  std::vector<Step> steps;
  Candidates candidates;
  std::vector<JointScore> scores;
  positions[0].Offer({model.start_state(), 0.0f, -1});
  for (std::size_t at = 0; at < length; ++at) {
    candidates.tokens.clear();
    for (const std::uint16_t token : index.StartingWith(word[at])) {
      const JointToken letters = model.Token(token);
      if (letters.letter_count() == 1 || (at + 1 < length && word[at + 1] == letters.letters[1]))
        candidates.tokens.push_back(token);
    }
    if (candidates.tokens.empty()) continue;
    candidates.Index();
    for (const Hypothesis& hypothesis : positions[at].BestFirst()) {
      ScoreCandidates(model, index, hypothesis.state, candidates, scores);
      for (std::size_t i = 0; i < candidates.tokens.size(); ++i) {
        Beam& target = positions[at + model.Token(candidates.tokens[i]).letter_count()];
        const float score = hypothesis.score + scores[i].score;
        if (!target.Admits(score)) continue;
        steps.push_back({hypothesis.back, candidates.tokens[i]});
        target.Offer({scores[i].next, score, static_cast<int>(steps.size() - 1)});
      }
    }
  }

  const Hypothesis* best = nullptr;
  float bestScore = 0.0f;
  for (const Hypothesis& hypothesis : positions[length].BestFirst()) {
    const float total = hypothesis.score + model.Score(hypothesis.state, 0).score;
    if (best == nullptr || total > bestScore) {
      best = &hypothesis;
      bestScore = total;
    }
  }
  if (best == nullptr) return std::nullopt;
  std::vector<std::uint8_t> phonemes;
  for (int step = best->back; step >= 0; step = steps[static_cast<std::size_t>(step)].previous)
    phonemes.push_back(model.Token(steps[static_cast<std::size_t>(step)].token).phoneme);
  std::reverse(phonemes.begin(), phonemes.end());
  return phonemes;
}

}  // namespace phonwright::l2s
