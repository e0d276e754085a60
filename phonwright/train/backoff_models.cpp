#include "phonwright/train/backoff_models.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>

namespace phonwright::train {
namespace {

constexpr std::uint8_t kBackoffKey = 2;
constexpr std::int32_t kLowestScore = -999999;  // one above the decoder's "absent"
constexpr double kSmallestMass = 1e-9;

struct Estimated {
  std::unordered_map<std::uint8_t, double> probability;
  double backoff = 1.0;
};
using EstimatedOrder = std::unordered_map<std::string, Estimated>;

// P(key | context) as the decoder computes it from the kept models: the first
// order (from `order` down) whose kept context saw the key, times the back-off
// weights of the kept contexts above it.
double BackedOffProbability(const std::vector<EstimatedOrder>& orders, std::size_t order, std::string context,
                            std::uint8_t key) {
  double weight = 1.0;
  for (std::size_t k = order;; --k) {
    const auto found = orders[k - 1].find(context);
    if (found != orders[k - 1].end()) {
      const auto seen = found->second.probability.find(key);
      if (seen != found->second.probability.end()) return weight * seen->second;
      weight *= found->second.backoff;
    }
    if (k == 1) return 0.0;
    context.erase(0, 1);
  }
}

std::int32_t ScoreOf(double probability, double scale) {
  if (probability <= 0.0) return kLowestScore;
  return std::max(kLowestScore, static_cast<std::int32_t>(std::lround(scale * std::log(probability))));
}

// Record use of one model file, per context level and for the leaves.
class RecordBudget {
 public:
  RecordBudget(std::size_t contextLength, std::size_t maxRecords)
      : prefixes_(contextLength + 1), levelRecords_(contextLength, 0), max_(maxRecords) {
    if (contextLength > 0) levelRecords_[0] = 1;  // the root node's header
  }

  // Adds the context when every region still fits; false (nothing added) otherwise.
  bool TryAdd(const std::string& context, std::size_t leafEntries) {
    std::vector<std::size_t> levels = levelRecords_;
    for (std::size_t length = 1; length <= context.size(); ++length) {
      if (prefixes_[length].contains(context.substr(0, length))) continue;
      ++levels[length - 1];                                // an entry in its parent's node
      if (length < context.size()) ++levels[length];       // a new node's header
    }
    const std::size_t leaves = leafRecords_ + 1 + leafEntries;
    if (leaves > max_ || std::any_of(levels.begin(), levels.end(), [&](std::size_t r) { return r > max_; }))
      return false;
    levelRecords_ = std::move(levels);
    leafRecords_ = leaves;
    for (std::size_t length = 1; length <= context.size(); ++length) prefixes_[length].insert(context.substr(0, length));
    return true;
  }

 private:
  std::vector<std::set<std::string>> prefixes_;
  std::vector<std::size_t> levelRecords_;
  std::size_t leafRecords_ = 0;
  std::size_t max_;
};

}  // namespace

std::vector<data::ScoreModelContent> EstimateBackoffModels(const std::vector<NgramCounts>& counts,
                                                           const BackoffOptions& options) {
  if (counts.empty()) throw std::invalid_argument("no n-gram counts");
  std::vector<EstimatedOrder> orders(counts.size());
  std::vector<data::ScoreModelContent> models(counts.size());

  // Order 1: maximum likelihood over the empty context.
  double total = 0.0;
  for (const auto& [context, keys] : counts[0])
    for (const auto& [key, count] : keys) total += count;
  auto& unigram = orders[0][""];
  for (const auto& [context, keys] : counts[0])
    for (const auto& [key, count] : keys) unigram.probability[key] += count / total;
  auto& unigramLeaf = models[0].leaves[{}];
  for (const auto& [key, probability] : unigram.probability) unigramLeaf[key] = ScoreOf(probability, options.scale);

  for (std::size_t order = 2; order <= counts.size(); ++order) {
    const std::size_t contextLength = order - 1;
    models[order - 1].contextLength = contextLength;
    struct Candidate {
      const std::string* context;
      std::uint32_t total;
    };
    std::vector<Candidate> candidates;
    for (const auto& [context, keys] : counts[order - 1]) {
      if (context.size() != contextLength) throw std::invalid_argument("context of the wrong length");
      std::uint32_t sum = 0;
      for (const auto& [key, count] : keys) sum += count;
      if (sum >= options.minContextCount) candidates.push_back({&context, sum});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
      return a.total != b.total ? a.total > b.total : *a.context < *b.context;
    });
    RecordBudget budget(contextLength, options.maxRecords);
    for (const auto& candidate : candidates) {
      const std::string& context = *candidate.context;
      const std::string shorter = context.substr(1);
      if (order > 2 && !orders[order - 2].contains(shorter)) continue;
      const auto& keys = counts[order - 1].at(context);
      if (!budget.TryAdd(context, keys.size() + 1)) continue;
      Estimated estimated;
      double lowerSeen = 0.0;
      for (const auto& [key, count] : keys) {
        estimated.probability[key] = (count - options.discount) / candidate.total;
        lowerSeen += BackedOffProbability(orders, order - 1, shorter, key);
      }
      const double leftOver = options.discount * static_cast<double>(keys.size()) / candidate.total;
      estimated.backoff = std::max(leftOver, kSmallestMass) / std::max(1.0 - lowerSeen, kSmallestMass);
      auto& leaf = models[order - 1].leaves[std::vector<std::uint8_t>(context.begin(), context.end())];
      for (const auto& [key, probability] : estimated.probability) leaf[key] = ScoreOf(probability, options.scale);
      leaf[kBackoffKey] = ScoreOf(estimated.backoff, options.scale);
      orders[order - 1].emplace(context, std::move(estimated));
    }
  }
  return models;
}

}  // namespace phonwright::train
