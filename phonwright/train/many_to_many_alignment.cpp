#include "phonwright/train/many_to_many_alignment.h"

#include <cmath>
#include <limits>

namespace phonwright::train {
namespace {
constexpr double kMultiLinkPrior = 0.01;
constexpr double kMultiLinkPenalty = 0.3;
}  // namespace

std::uint64_t ManyToManyAligner::KeyOf(std::string_view letters, const std::uint8_t* phones, int phoneCount) {
  std::uint64_t key = static_cast<unsigned char>(letters[0]);
  key = key << 8 | (letters.size() > 1 ? static_cast<unsigned char>(letters[1]) : 0);
  for (int i = 0; i < 2; ++i) key = key << 9 | (i < phoneCount ? phones[i] + 1u : 0u);
  return key;
}

int ManyToManyAligner::LinkIdOf(std::string_view letters, const std::uint8_t* phones, int phoneCount) const {
  const auto found = linkIds_.find(KeyOf(letters, phones, phoneCount));
  return found == linkIds_.end() ? -1 : found->second;
}

ManyToManyAligner::ManyToManyAligner(const std::vector<AlignmentExample>& examples, LinkFilter allowed)
    : examples_(examples) {
  std::vector<double> prior;
  for (const auto& example : examples_) {
    const int letterCount = static_cast<int>(example.letters.size());
    const int phoneCount = static_cast<int>(example.phones.size());
    for (int i = 0; i < letterCount; ++i)
      for (int j = 0; j <= phoneCount; ++j)
        for (const Move move : kMoves) {
          if (i + move.letters > letterCount || j + move.phones > phoneCount) continue;
          const std::string_view letters = std::string_view(example.letters).substr(i, move.letters);
          const std::uint8_t* phones = example.phones.data() + j;
          const auto key = KeyOf(letters, phones, move.phones);
          if (linkIds_.contains(key)) continue;
          if (allowed && !allowed(letters, std::vector<std::uint8_t>(phones, phones + move.phones))) continue;
          linkIds_.emplace(key, static_cast<int>(linkIds_.size()));
          const bool multi = move.letters > 1 || move.phones > 1;
          multiLink_.push_back(multi);
          prior.push_back(multi ? kMultiLinkPrior : 1.0);
        }
  }
  // Left uniform, EM settles on degenerate alignments that join letters and
  // phones in pairs everywhere; starting from one-to-one links it joins them
  // only where the data needs it (x to K S, ph to F).
  double sum = 0.0;
  for (const double weight : prior) sum += weight;
  probability_.resize(prior.size());
  for (std::size_t id = 0; id < prior.size(); ++id) probability_[id] = prior[id] / sum;
}

double ManyToManyAligner::Iterate() {
  std::vector<double> counts(probability_.size(), 0.0);
  std::vector<double> forward;
  std::vector<double> backward;
  double logLikelihood = 0.0;
  for (const auto& example : examples_) {
    const int letterCount = static_cast<int>(example.letters.size());
    const int phoneCount = static_cast<int>(example.phones.size());
    const int width = phoneCount + 1;
    const auto cell = [width](int i, int j) { return static_cast<std::size_t>(i * width + j); };
    forward.assign(static_cast<std::size_t>((letterCount + 1) * width), 0.0);
    backward.assign(forward.size(), 0.0);
    forward[0] = 1.0;
    auto forEachLink = [&](int i, int j, auto&& visit) {
      for (const Move move : kMoves) {
        if (i + move.letters > letterCount || j + move.phones > phoneCount) continue;
        const int id = LinkIdOf(std::string_view(example.letters).substr(i, move.letters),
                                example.phones.data() + j, move.phones);
        if (id >= 0) visit(i + move.letters, j + move.phones, id);
      }
    };
    for (int i = 0; i < letterCount; ++i)
      for (int j = 0; j <= phoneCount; ++j) {
        const double here = forward[cell(i, j)];
        if (here == 0.0) continue;
        forEachLink(i, j, [&](int ni, int nj, int id) { forward[cell(ni, nj)] += here * probability_[id]; });
      }
    const double total = forward[cell(letterCount, phoneCount)];
    if (total <= 0.0) continue;
    logLikelihood += std::log(total);
    backward[cell(letterCount, phoneCount)] = 1.0;
    for (int i = letterCount - 1; i >= 0; --i)
      for (int j = phoneCount; j >= 0; --j)
        forEachLink(i, j, [&](int ni, int nj, int id) {
          backward[cell(i, j)] += probability_[id] * backward[cell(ni, nj)];
        });
    for (int i = 0; i < letterCount; ++i)
      for (int j = 0; j <= phoneCount; ++j) {
        const double here = forward[cell(i, j)];
        if (here == 0.0) continue;
        forEachLink(i, j, [&](int ni, int nj, int id) {
          counts[id] += here * probability_[id] * backward[cell(ni, nj)] / total;
        });
      }
  }
  // Joined links keep a lasting penalty, or EM prefers them to a link and a
  // silent letter ("ne" to N over "n" to N and a silent "e").
  double sum = 0.0;
  for (std::size_t id = 0; id < counts.size(); ++id) {
    if (multiLink_[id]) counts[id] *= kMultiLinkPenalty;
    sum += counts[id];
  }
  if (sum > 0.0)
    for (std::size_t id = 0; id < counts.size(); ++id) probability_[id] = counts[id] / sum;
  return logLikelihood;
}

std::vector<Link> ManyToManyAligner::Align(const AlignmentExample& example) const {
  const int letterCount = static_cast<int>(example.letters.size());
  const int phoneCount = static_cast<int>(example.phones.size());
  const int width = phoneCount + 1;
  const auto cell = [width](int i, int j) { return static_cast<std::size_t>(i * width + j); };
  constexpr double kImpossible = -std::numeric_limits<double>::infinity();
  struct Best {
    double score = kImpossible;
    int fromI = -1;
    int fromJ = -1;
  };
  std::vector<Best> best(static_cast<std::size_t>((letterCount + 1) * width));
  best[0].score = 0.0;
  for (int i = 0; i < letterCount; ++i)
    for (int j = 0; j <= phoneCount; ++j) {
      const double here = best[cell(i, j)].score;
      if (here == kImpossible) continue;
      for (const Move move : kMoves) {
        if (i + move.letters > letterCount || j + move.phones > phoneCount) continue;
        const int id = LinkIdOf(std::string_view(example.letters).substr(i, move.letters),
                                example.phones.data() + j, move.phones);
        if (id < 0 || probability_[id] <= 0.0) continue;
        const double score = here + std::log(probability_[id]);
        auto& next = best[cell(i + move.letters, j + move.phones)];
        if (score > next.score) next = {score, i, j};
      }
    }
  std::vector<Link> links;
  if (best[cell(letterCount, phoneCount)].score == kImpossible) return links;
  for (int i = letterCount, j = phoneCount; i > 0 || j > 0;) {
    const Best& step = best[cell(i, j)];
    links.push_back({example.letters.substr(step.fromI, i - step.fromI),
                     std::vector<std::uint8_t>(example.phones.begin() + step.fromJ, example.phones.begin() + j)});
    i = step.fromI;
    j = step.fromJ;
  }
  return {links.rbegin(), links.rend()};
}

}  // namespace phonwright::train
