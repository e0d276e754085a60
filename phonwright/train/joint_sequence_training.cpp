#include "phonwright/train/joint_sequence_training.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "phonwright/l2s/joint_sequence_model.h"

namespace phonwright::train {
namespace {

constexpr std::uint32_t kRoot = 0;
constexpr std::uint16_t kBoundaryToken = 0;

// Every n-gram seen, as a trie: node = (parent, token), found through an
// open-addressing hash table keyed by both.
class CountTrie {
 public:
  CountTrie() {
    parent_.push_back(kRoot);
    token_.push_back(0);
    depth_.push_back(0);
    raw_.push_back(0);
    continuations_.push_back(0);
    suffix_.push_back(kRoot);
    slots_.assign(1 << 16, kEmpty);
  }

  // The child of `parent` for `token`; `created` tells whether it is new.
  std::uint32_t Child(std::uint32_t parent, std::uint16_t token, bool& created) {
    if (2 * (size() + 1) > slots_.size()) Grow();
    const std::uint64_t key = KeyOf(parent, token);
    std::size_t at = Slot(key);
    while (slots_[at] != kEmpty) {
      const std::uint32_t node = slots_[at];
      if (KeyOf(parent_[node], token_[node]) == key) {
        created = false;
        return node;
      }
      at = (at + 1) & (slots_.size() - 1);
    }
    const auto node = static_cast<std::uint32_t>(size());
    slots_[at] = node;
    parent_.push_back(parent);
    token_.push_back(token);
    depth_.push_back(static_cast<std::uint8_t>(depth_[parent] + 1));
    raw_.push_back(0);
    continuations_.push_back(0);
    suffix_.push_back(kRoot);
    created = true;
    return node;
  }

  std::size_t size() const { return parent_.size(); }

  std::vector<std::uint32_t> parent_;
  std::vector<std::uint16_t> token_;
  std::vector<std::uint8_t> depth_;
  std::vector<std::uint32_t> raw_;            // times seen as a predicted n-gram
  std::vector<std::uint32_t> continuations_;  // distinct tokens seen before it
  std::vector<std::uint32_t> suffix_;         // the n-gram less its first token

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  static std::uint64_t KeyOf(std::uint32_t parent, std::uint16_t token) {
    return std::uint64_t{parent} << 16 | token;
  }
  std::size_t Slot(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & (slots_.size() - 1);
  }
  void Grow() {
    std::vector<std::uint32_t> old(slots_.size() * 2, kEmpty);
    old.swap(slots_);
    for (std::uint32_t node = 1; node < size(); ++node) {
      std::size_t at = Slot(KeyOf(parent_[node], token_[node]));
      while (slots_[at] != kEmpty) at = (at + 1) & (slots_.size() - 1);
      slots_[at] = node;
    }
  }

  std::vector<std::uint32_t> slots_;
};

// Counts every n-gram of every word, with the links and continuation counts
// that Kneser-Ney needs. The opening boundary is never predicted.
void Count(CountTrie& trie, const std::vector<std::uint16_t>& sequence, int order) {
  const std::size_t length = sequence.size();
  std::vector<std::uint32_t> later(length, kRoot);  // nodes of the n-grams starting one position later
  std::vector<std::uint32_t> here(length, kRoot);
  for (std::size_t start = length; start-- > 0;) {
    std::uint32_t node = kRoot;
    for (std::size_t end = start; end < length && end - start < static_cast<std::size_t>(order); ++end) {
      bool created = false;
      node = trie.Child(node, sequence[end], created);
      if (created && end > start) {
        trie.suffix_[node] = later[end];
        ++trie.continuations_[later[end]];
      }
      if (end > 0) ++trie.raw_[node];
      here[end] = node;
    }
    std::swap(here, later);
  }
}

struct Discounts {
  std::array<double, 4> d{};  // d[c] for c = 1, 2, 3 and more
};

}  // namespace

data::JointSequenceModelContent EstimateJointSequenceModel(const std::vector<std::vector<std::uint16_t>>& words,
                                                           std::vector<data::JointSequenceModelContent::Token> tokens,
                                                           const JointTrainingOptions& options) {
  if (options.order < 1 || options.order > l2s::kMaxJointOrder)
    throw std::invalid_argument("the joint-sequence order must be 1 to 16");
  CountTrie trie;
  std::vector<std::uint16_t> sequence;
  for (const auto& word : words) {
    sequence.assign(1, kBoundaryToken);
    for (const std::uint16_t token : word) {
      if (token == kBoundaryToken || token >= tokens.size()) throw std::invalid_argument("token outside the inventory");
      sequence.push_back(token);
    }
    sequence.push_back(kBoundaryToken);
    Count(trie, sequence, options.order);
  }
  bool createdStart = false;  // only without words
  const std::uint32_t start = trie.Child(kRoot, kBoundaryToken, createdStart);
  const std::size_t nodes = trie.size();
  const auto modified = [&](std::uint32_t g) {  // the count Kneser-Ney discounts
    return trie.depth_[g] == options.order || trie.continuations_[g] == 0 ? trie.raw_[g] : trie.continuations_[g];
  };

  // Discounts per order from the counts of counts.
  std::vector<std::array<double, 5>> countOfCounts(static_cast<std::size_t>(options.order) + 1);
  for (std::uint32_t g = 1; g < nodes; ++g)
    if (trie.raw_[g] > 0 && modified(g) <= 4) countOfCounts[trie.depth_[g]][modified(g)] += 1;
  // Too few n-grams of an order for the estimate (a count of counts of 0, or
  // a discount outside (0, c)): a discount of 0.5 for every count.
  std::vector<Discounts> discounts(countOfCounts.size());
  for (std::size_t d = 1; d < countOfCounts.size(); ++d) {
    const auto& n = countOfCounts[d];
    Discounts estimated;
    bool usable = n[1] > 0 && n[2] > 0 && n[3] > 0 && n[4] > 0;
    const double y = usable ? n[1] / (n[1] + 2 * n[2]) : 0.0;
    for (int c = 1; usable && c <= 3; ++c) {
      const double value = c - (c + 1) * y * n[c + 1] / n[c];
      usable = value > 0.0 && value < c;
      estimated.d[static_cast<std::size_t>(c)] = value;
    }
    discounts[d] = usable ? estimated : Discounts{{0.0, 0.5, 0.5, 0.5}};
  }

  // Per history: the modified counts of its children, and the discounted mass.
  std::vector<double> total(nodes, 0.0);
  std::vector<double> freed(nodes, 0.0);
  for (std::uint32_t g = 1; g < nodes; ++g) {
    if (trie.raw_[g] == 0) continue;
    const std::uint32_t c = modified(g);
    total[trie.parent_[g]] += c;
    freed[trie.parent_[g]] += discounts[trie.depth_[g]].d[std::min<std::uint32_t>(c, 3)];
  }

  // Interpolated probabilities, shorter n-grams first.
  std::vector<std::uint32_t> byDepth;
  for (std::uint32_t g = 1; g < nodes; ++g) byDepth.push_back(g);
  std::stable_sort(byDepth.begin(), byDepth.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return trie.depth_[a] < trie.depth_[b]; });
  const double uniform = 1.0 / static_cast<double>(tokens.size());
  std::vector<double> probability(nodes, 0.0);
  for (const std::uint32_t g : byDepth) {
    if (trie.raw_[g] == 0) continue;
    const std::uint32_t h = trie.parent_[g];
    const double lower = trie.depth_[g] == 1 ? uniform : probability[trie.suffix_[g]];
    const std::uint32_t c = modified(g);
    const double discounted = std::max(c - discounts[trie.depth_[g]].d[std::min<std::uint32_t>(c, 3)], 0.0);
    probability[g] = (discounted + freed[h] * lower) / total[h];
  }

  // What is kept: n-grams seen often enough, the histories they extend, and
  // the history after the opening boundary.
  std::vector<bool> kept(nodes, false);
  std::vector<bool> history(nodes, false);
  history[kRoot] = history[start] = true;
  for (const std::uint32_t g : byDepth)
    if (trie.raw_[g] > 0 && (trie.depth_[g] < options.minCountOrder || trie.raw_[g] >= options.minCount)) {
      kept[g] = true;
      history[trie.parent_[g]] = true;
    }

  // File numbers of the histories, shorter first, so that a suffix comes first.
  std::vector<std::uint32_t> fileNode(nodes, 0);
  std::vector<std::uint32_t> histories{kRoot};
  for (const std::uint32_t g : byDepth)
    if (history[g]) histories.push_back(g);
  for (std::uint32_t i = 0; i < histories.size(); ++i) fileNode[histories[i]] = i;
  const auto nextState = [&](std::uint32_t g) {
    while (g != kRoot && !history[g]) g = trie.suffix_[g];
    return fileNode[g];
  };

  std::vector<std::vector<std::uint32_t>> children(histories.size());
  for (const std::uint32_t g : byDepth)
    if (kept[g]) children[fileNode[trie.parent_[g]]].push_back(g);

  data::JointSequenceModelContent content;
  content.order = options.order;
  content.startState = fileNode[start];
  content.tokens = std::move(tokens);
  for (std::size_t i = 0; i < histories.size(); ++i) {
    auto& list = children[i];
    std::sort(list.begin(), list.end(), [&](std::uint32_t a, std::uint32_t b) { return trie.token_[a] < trie.token_[b]; });
    double held = 0.0;
    double heldBelow = 0.0;
    for (const std::uint32_t g : list) {
      held += probability[g];
      heldBelow += trie.depth_[g] == 1 ? 0.0 : probability[trie.suffix_[g]];
      content.entries.push_back({trie.token_[g], static_cast<float>(std::log10(probability[g])), nextState(g)});
    }
    const std::uint32_t h = histories[i];
    const double backoff = h == kRoot ? 1.0 : std::max(1.0 - held, 1e-12) / std::max(1.0 - heldBelow, 1e-12);
    content.nodes.push_back({fileNode[trie.suffix_[h]], static_cast<float>(std::log10(backoff)),
                             static_cast<std::uint32_t>(list.size())});
  }
  return content;
}

}  // namespace phonwright::train
