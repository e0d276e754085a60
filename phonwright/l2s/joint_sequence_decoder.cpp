#include "phonwright/l2s/joint_sequence_decoder.h"

#include <algorithm>
#include <bit>

namespace phonwright::l2s {
namespace {

// No position has 65535 candidates: a letter's tokens leave out token 0, and
// the boundary alone is token 0.
constexpr std::uint16_t kNoSlot = 0xFFFFu;

std::size_t WordsFor(std::size_t bits) { return (bits + 63) / 64; }
bool Has(const std::uint64_t* bits, std::size_t i) { return (bits[i / 64] >> (i % 64) & 1u) != 0; }
void Set(std::uint64_t* bits, std::size_t i) { bits[i / 64] |= std::uint64_t{1} << (i % 64); }

// Calls visit(i) for every bit i set in the first `words` words, ascending.
template <typename Visit>
void ForEachBit(const std::uint64_t* bits, std::size_t words, Visit visit) {
  for (std::size_t w = 0; w < words; ++w)
    for (std::uint64_t rest = bits[w]; rest != 0; rest &= rest - 1)
      visit(w * 64 + static_cast<std::size_t>(std::countr_zero(rest)));
}

std::uint16_t LetterPair(char first, char second) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(first) << 8 | static_cast<unsigned char>(second));
}

template <typename Pairs>
auto FindPair(Pairs& pairs, std::uint16_t pair) {
  return std::lower_bound(pairs.begin(), pairs.end(), pair,
                          [](const auto& entry, std::uint16_t key) { return entry.first < key; });
}

}  // namespace

void JointSequenceDecoder::Candidates::Add(std::uint16_t token, std::uint8_t letterCount, JointScore root) {
  tokens.push_back(token);
  letterCounts.push_back(letterCount);
  atRoot.push_back(root);
}

void JointSequenceDecoder::Candidates::Clear() {
  tokens.clear();
  letterCounts.clear();
  atRoot.clear();
  byRootScore.clear();
}

void JointSequenceDecoder::Candidates::RankByRootScore() {
  byRootScore.clear();
  if (std::any_of(letterCounts.begin(), letterCounts.end(), [](std::uint8_t count) { return count != 1; })) return;
  for (std::size_t i = 0; i < tokens.size(); ++i) byRootScore.push_back(static_cast<std::uint16_t>(i));
  std::stable_sort(byRootScore.begin(), byRootScore.end(),
                   [&](std::uint16_t a, std::uint16_t b) { return atRoot[a].score > atRoot[b].score; });
}

JointSequenceDecoder::JointSequenceDecoder(const JointSequenceModel& model, std::size_t beamWidth)
    : model_(model),
      width_(std::clamp<std::size_t>(beamWidth, 1, kMaxJointBeamWidth)),
      slotOfToken_(model.token_count(), kNoSlot) {
  boundary_.Add(0, 0, model.Score(0, 0));
  std::size_t largest = 1;
  for (std::uint32_t t = 1; t < model.token_count(); ++t) {
    const auto token = static_cast<std::uint16_t>(t);
    const JointToken letters = model.Token(token);
    const JointScore root = model.Score(0, token);
    const auto count = static_cast<std::uint8_t>(letters.letter_count());
    if (count == 1) {
      Candidates& set = oneLetter_[static_cast<unsigned char>(letters.letters[0])];
      set.Add(token, count, root);
      largest = std::max(largest, set.tokens.size());
      continue;
    }
    const std::uint16_t pair = LetterPair(letters.letters[0], letters.letters[1]);
    auto at = FindPair(twoLetters_, pair);
    if (at == twoLetters_.end() || at->first != pair) at = twoLetters_.insert(at, {pair, {}});
    at->second.Add(token, count, root);
    startsTwoLetters_[static_cast<unsigned char>(letters.letters[0])] = true;
  }
  for (const auto& [pair, set] : twoLetters_)
    largest = std::max(largest, oneLetter_[pair >> 8].tokens.size() + set.tokens.size());
  for (Candidates& set : oneLetter_) set.RankByRootScore();
  scoreRow_ = largest;
  foundRow_ = WordsFor(largest);
  scores_.resize(width_ * scoreRow_);
  found_.resize(width_ * foundRow_);
  backoffToRoot_.resize(width_);
  walks_.resize(width_);
  walking_.reserve(width_);
  entering_.resize(foundRow_);
}

// The one-letter tokens of word[at], merged in token order with the two-letter
// tokens of word[at] word[at + 1] when there are any; null when no token reads
// word[at].
const JointSequenceDecoder::Candidates* JointSequenceDecoder::CandidatesAt(std::string_view word, std::size_t at) {
  const Candidates& one = oneLetter_[static_cast<unsigned char>(word[at])];
  const Candidates* two = nullptr;
  if (startsTwoLetters_[static_cast<unsigned char>(word[at])] && at + 1 < word.size()) {
    const std::uint16_t pair = LetterPair(word[at], word[at + 1]);
    const auto found = FindPair(twoLetters_, pair);
    if (found != twoLetters_.end() && found->first == pair) two = &found->second;
  }
  if (two == nullptr) return one.tokens.empty() ? nullptr : &one;
  merged_.Clear();
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < one.tokens.size() || j < two->tokens.size()) {
    const bool fromOne = j == two->tokens.size() || (i < one.tokens.size() && one.tokens[i] < two->tokens[j]);
    const Candidates& from = fromOne ? one : *two;
    std::size_t& k = fromOne ? i : j;
    merged_.Add(from.tokens[k], from.letterCounts[k], from.atRoot[k]);
    ++k;
  }
  return &merged_;
}

// Scores the candidates after every hypothesis by walking down its back-off
// chain: each node's entries between the first and the last candidate are
// read once (a letter's tokens are numbered together) and the candidates a
// node lacks go on to its suffix. The walks advance together, a node of each
// at a time, and ask for the nodes and entries they will read next before
// they search any, so that the reads of the (large, mapped) model for
// different hypotheses are under way at once rather than one after the other.
// Gives
// the same scores as JointSequenceModel::Score for each token (ScoreOf).
void JointSequenceDecoder::ScoreCandidates(std::span<const Hypothesis> hypotheses, const Candidates& candidates) {
  const std::size_t count = candidates.tokens.size();
  const std::uint16_t first = candidates.tokens.front();
  const std::uint16_t last = candidates.tokens.back();
  for (std::size_t i = 0; i < count; ++i) slotOfToken_[candidates.tokens[i]] = static_cast<std::uint16_t>(i);
  walking_.clear();
  for (std::size_t row = 0; row < hypotheses.size(); ++row) {
    walks_[row] = {hypotheses[row].state, {}, 0.0f, count};
    backoffToRoot_[row] = 0.0f;
    std::fill_n(found_.begin() + static_cast<std::ptrdiff_t>(row * foundRow_), WordsFor(count), 0);
    if (hypotheses[row].state != 0) {
      walking_.push_back(static_cast<std::uint32_t>(row));
      model_.PrefetchNode(hypotheses[row].state);
    }
  }
  while (!walking_.empty()) {
    for (const std::uint32_t row : walking_) {
      Walk& walk = walks_[row];
      walk.node = model_.Node(walk.state);
      model_.PrefetchEntries(walk.node);
      model_.PrefetchNode(walk.node.suffix);
    }
    std::size_t kept = 0;
    for (const std::uint32_t row : walking_) {
      Walk& walk = walks_[row];
      JointScore* scores = &scores_[row * scoreRow_];
      std::uint64_t* found = &found_[row * foundRow_];
      const JointNode& node = walk.node;
      const std::uint64_t end = std::uint64_t{node.firstEntry} + node.entryCount;
      for (std::uint64_t e = model_.LowerBound(node, first); e < end; ++e) {
        const std::uint16_t token = model_.EntryToken(e);
        if (token > last) break;
        const std::uint16_t slot = slotOfToken_[token];  // below `first` only in a damaged file
        if (slot == kNoSlot || Has(found, slot)) continue;
        const JointEntry entry = model_.Entry(e);
        scores[slot] = {walk.backoff + entry.score, entry.next};
        Set(found, slot);
        if (--walk.missing == 0) break;
      }
      if (walk.missing == 0) continue;
      walk.backoff += node.backoff;
      walk.state = node.suffix;
      if (walk.state == 0)
        backoffToRoot_[row] = walk.backoff;
      else
        walking_[kept++] = row;
    }
    walking_.resize(kept);
  }
  for (const std::uint16_t token : candidates.tokens) slotOfToken_[token] = kNoSlot;
}

JointScore JointSequenceDecoder::ScoreOf(std::size_t row, std::size_t candidate, const Candidates& candidates) const {
  if (Has(&found_[row * foundRow_], candidate)) return scores_[row * scoreRow_ + candidate];
  return {backoffToRoot_[row] + candidates.atRoot[candidate].score, candidates.atRoot[candidate].next};
}

// Marks in entering_ the candidates that may enter `target` after
// `hypothesis`. An offer that a full beam turns away changes nothing, and a
// full beam's lowest score only rises while it is offered more, so a
// candidate at or below that score now is left out without changing the
// result; the others are offered in token order. Those scored at the empty
// history are tried from the best such score down, up to the first that
// falls short.
void JointSequenceDecoder::MarkEntering(const Hypothesis& hypothesis, std::size_t row, const Beam& target,
                                        const Candidates& candidates) {
  const std::size_t count = candidates.tokens.size();
  const std::size_t words = WordsFor(count);
  if (target.size < width_ || candidates.byRootScore.empty()) {
    std::fill_n(entering_.begin(), words, ~std::uint64_t{0});
    if (count % 64 != 0) entering_[words - 1] = (std::uint64_t{1} << (count % 64)) - 1;
    return;
  }
  std::fill_n(entering_.begin(), words, 0);
  const float lowest = held_[target.first + target.worst].score;
  const std::uint64_t* found = &found_[row * foundRow_];
  ForEachBit(found, words, [&](std::size_t i) {
    if (hypothesis.score + scores_[row * scoreRow_ + i].score > lowest) Set(entering_.data(), i);
  });
  for (const std::uint16_t i : candidates.byRootScore) {
    if (Has(found, i)) continue;
    if (!(hypothesis.score + (backoffToRoot_[row] + candidates.atRoot[i].score) > lowest)) break;
    Set(entering_.data(), i);
  }
}

void JointSequenceDecoder::Extend(const Hypothesis& hypothesis, std::size_t row, std::size_t at,
                                  const Candidates& candidates) {
  MarkEntering(hypothesis, row, beams_[at + 1], candidates);
  ForEachBit(entering_.data(), WordsFor(candidates.tokens.size()), [&](std::size_t i) {
    const JointScore scored = ScoreOf(row, i, candidates);
    const float score = hypothesis.score + scored.score;
    Beam& target = beams_[at + candidates.letterCounts[i]];
    if (Admits(target, score)) Offer(target, scored.next, score, hypothesis.back, candidates.tokens[i]);
  });
}

void JointSequenceDecoder::ResetBeams(std::size_t positions) {
  if (beams_.size() < positions) {
    beams_.resize(positions);
    held_.resize(positions * width_);
  }
  for (std::size_t p = 0; p < positions; ++p) beams_[p] = {p * width_, 0, 0};
}

void JointSequenceDecoder::FindWorst(Beam& beam) {
  const Hypothesis* held = &held_[beam.first];
  beam.worst = 0;
  for (std::size_t i = 1; i < beam.size; ++i)
    if (held[i].score < held[beam.worst].score) beam.worst = i;
}

bool JointSequenceDecoder::Admits(const Beam& beam, float score) const {
  return beam.size < width_ || score > held_[beam.first + beam.worst].score;
}

// For a hypothesis that the beam admits: it takes the place of the same
// state's if it is better, else a free place, else the worst's. The step
// (previous, token) is recorded only when the hypothesis is kept.
void JointSequenceDecoder::Offer(Beam& beam, std::uint32_t state, float score, int previous, std::uint16_t token) {
  Hypothesis* held = &held_[beam.first];
  model_.PrefetchNode(state);  // read when the hypothesis is extended
  std::size_t place = beam.size;
  for (std::size_t i = 0; i < beam.size; ++i)
    if (held[i].state == state) {
      if (!(score > held[i].score)) return;
      place = i;
      break;
    }
  if (place == width_) place = beam.worst;
  steps_.push_back({previous, token});
  held[place] = {state, score, static_cast<int>(steps_.size() - 1)};
  if (place == beam.size) {
    if (beam.size == 0 || score < held[beam.worst].score) beam.worst = beam.size;
    ++beam.size;
  } else if (place == beam.worst) {
    FindWorst(beam);  // otherwise the first lowest stays where it is
  }
}

// Best first, so that the better extensions fill the next beam early and the
// worse ones are turned away before they are stored.
std::span<const JointSequenceDecoder::Hypothesis> JointSequenceDecoder::BestFirst(const Beam& beam) {
  const auto begin = held_.begin() + static_cast<std::ptrdiff_t>(beam.first);
  const auto end = begin + static_cast<std::ptrdiff_t>(beam.size);
  std::sort(begin, end, [](const Hypothesis& a, const Hypothesis& b) {
    return a.score != b.score ? a.score > b.score : a.back < b.back;
  });
  return {&*begin, beam.size};
}

std::optional<std::span<const std::uint8_t>> JointSequenceDecoder::Decode(std::string_view word) {
  const std::size_t length = word.size();
  ResetBeams(length + 1);
  steps_.clear();
  held_[0] = {model_.start_state(), 0.0f, -1};
  beams_[0].size = 1;
  for (std::size_t at = 0; at < length; ++at) {
    const Candidates* candidates = CandidatesAt(word, at);
    if (candidates == nullptr) continue;
    const auto hypotheses = BestFirst(beams_[at]);
    ScoreCandidates(hypotheses, *candidates);
    for (std::size_t row = 0; row < hypotheses.size(); ++row) Extend(hypotheses[row], row, at, *candidates);
  }

  const auto finals = BestFirst(beams_[length]);
  ScoreCandidates(finals, boundary_);
  const Hypothesis* best = nullptr;
  float bestScore = 0.0f;
  for (std::size_t row = 0; row < finals.size(); ++row) {
    const float total = finals[row].score + ScoreOf(row, 0, boundary_).score;
    if (best == nullptr || total > bestScore) {
      best = &finals[row];
      bestScore = total;
    }
  }
  if (best == nullptr) return std::nullopt;
  phonemes_.clear();
  for (int step = best->back; step >= 0; step = steps_[static_cast<std::size_t>(step)].previous)
    phonemes_.push_back(model_.Token(steps_[static_cast<std::size_t>(step)].token).phoneme);
  std::reverse(phonemes_.begin(), phonemes_.end());
  return phonemes_;
}

}  // namespace phonwright::l2s
