#include "phonwright/l2s/phoneme_choice.h"

#include "phonwright/l2s/l2s_format.h"

namespace phonwright::l2s {
namespace {

constexpr std::size_t kPhonemeBeam = 3;

struct Arc {
  std::uint8_t phoneme;
  int predecessor;  // arc index, -1 in the first column
  std::int64_t score;
};

// Puts `arc` before the first arc of lower score (equal scores keep their order).
void InsertSorted(std::vector<int>& list, const std::vector<Arc>& arcs, int arc) {
  auto at = list.begin();
  while (at != list.end() && arcs[static_cast<std::size_t>(*at)].score >= arcs[static_cast<std::size_t>(arc)].score)
    ++at;
  list.insert(at, arc);
}

}  // namespace

std::int64_t PhonemeScore(LetterToSoundModels& models, std::span<const PhonemeColumnInput> columns,
                          std::size_t column, std::uint8_t phoneme) {
  if (columns[column].grapheme == kBoundarySymbol) return 0;
  const int order = models.config().stage2Order;
  std::vector<std::uint8_t> context;
  for (int u = order - 2; u >= 1; --u) {
    const long at = static_cast<long>(column) + (u % 2 == 1 ? (u + 1) / 2 : -(u / 2));
    const bool inside = at >= 0 && at < static_cast<long>(columns.size());
    context.push_back(inside ? columns[static_cast<std::size_t>(at)].grapheme : kBoundarySymbol);
  }
  context.push_back(columns[column].grapheme);

  std::int64_t total = 0;
  models.set_backoff_weight(0);
  std::span<const std::uint8_t> window(context);
  for (int k = order; k >= 1; --k) {
    total += models.backoff_weight();
    const std::int32_t s = models.QueryScore(window.last(static_cast<std::size_t>(k - 1)), phoneme,
                                             models.Stage2ModelName(k));
    if (s != kAbsentScore) return total + s;
  }
  return total;
}

std::optional<PhonemePath> ChoosePhonemes(LetterToSoundModels& models, std::span<const PhonemeColumnInput> columns) {
  std::vector<Arc> arcs;
  std::vector<int> previous;
  for (std::size_t q = 0; q < columns.size(); ++q) {
    std::vector<int> current;
    for (const std::uint8_t phoneme : columns[q].candidates) {
      const std::int64_t s = PhonemeScore(models, columns, q, phoneme);
      if (q == 0) {
        arcs.push_back({phoneme, -1, s});
        InsertSorted(current, arcs, static_cast<int>(arcs.size() - 1));
      }
      for (const int b : previous) {
        arcs.push_back({phoneme, b, s + arcs[static_cast<std::size_t>(b)].score});
        InsertSorted(current, arcs, static_cast<int>(arcs.size() - 1));
      }
      if (current.size() > kPhonemeBeam) current.resize(kPhonemeBeam);
    }
    previous = std::move(current);
  }
  if (previous.empty()) return std::nullopt;

  PhonemePath path;
  path.score = arcs[static_cast<std::size_t>(previous.front())].score;
  path.phonemes.resize(columns.size());
  int arc = previous.front();
  for (std::size_t q = columns.size(); q-- > 0;) {
    path.phonemes[q] = arcs[static_cast<std::size_t>(arc)].phoneme;
    arc = arcs[static_cast<std::size_t>(arc)].predecessor;
  }
  return path;
}

}  // namespace phonwright::l2s
