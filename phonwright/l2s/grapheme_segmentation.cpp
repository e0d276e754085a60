#include "phonwright/l2s/grapheme_segmentation.h"

#include <algorithm>

#include "phonwright/l2s/l2s_format.h"

namespace phonwright::l2s {
namespace {

constexpr std::int64_t kStage1Floor = -10000000;

struct Arc {
  std::uint8_t grapheme;
  std::size_t start;  // position where the arc begins
  std::int64_t score = 0;
  int predecessor = -1;  // arc index
};

}  // namespace

std::optional<std::vector<std::uint8_t>> SegmentGraphemes(LetterToSoundModels& models, std::string_view word) {
  const std::size_t length = word.size();
  const auto boundary = static_cast<std::uint8_t>(kBoundarySymbol);
  std::vector<Arc> arcs;
  std::vector<std::vector<int>> ending(length + 2);  // arcs ending at each position, front first
  const auto addArc = [&](std::uint8_t grapheme, std::size_t start, std::size_t end) {
    arcs.push_back({grapheme, start});
    auto& list = ending[end];
    list.insert(list.begin(), static_cast<int>(arcs.size() - 1));
  };
  addArc(boundary, 0, 0);
  addArc(boundary, length, length + 1);
  const int endArc = 1;
  for (std::size_t i = 0; i < length; ++i)
    for (std::size_t n = length - i; n >= 1; --n)
      if (const auto grapheme = models.graphemes().trie.Find(word.substr(i, n)))
        addArc(static_cast<std::uint8_t>(*grapheme), i, i + n);

  for (std::size_t position = 1; position <= length + 1; ++position) {
    for (const int a : ending[position]) {
      std::int64_t best = kStage1Floor;
      for (const int b : ending[arcs[static_cast<std::size_t>(a)].start]) {
        const std::uint8_t context[] = {arcs[static_cast<std::size_t>(b)].grapheme};
        const std::uint8_t key = arcs[static_cast<std::size_t>(a)].grapheme;
        std::int64_t s = models.QueryScore(context, key, kStage1BigramFileName);
        if (s == kAbsentScore) s = models.QueryScore(context, key, kStage1UnigramFileName) + models.backoff_weight();
        if (s + arcs[static_cast<std::size_t>(b)].score > best) {
          best = s + arcs[static_cast<std::size_t>(b)].score;
          arcs[static_cast<std::size_t>(a)].predecessor = b;
        }
      }
      arcs[static_cast<std::size_t>(a)].score = best;
    }
  }

  std::vector<std::uint8_t> graphemes;
  int arc = endArc;
  while (arc != 0) {
    if (arc < 0) return std::nullopt;  // no path reaches the start
    graphemes.push_back(arcs[static_cast<std::size_t>(arc)].grapheme);
    arc = arcs[static_cast<std::size_t>(arc)].predecessor;
  }
  graphemes.push_back(boundary);
  std::reverse(graphemes.begin(), graphemes.end());
  return graphemes;
}

}  // namespace phonwright::l2s
