#include "phonwright/core/segment_run.h"

#include <array>

namespace phonwright {
namespace {

constexpr float kUnreachable = 999999.0f;

struct Match {
  std::size_t end;
  float cost;
  const SegmentationEntry* entry;
};

// The dictionary words of a piece of at most kMaxSegmentCharacters
// characters: matches[s] holds the words starting at s, longest first. Each
// length gives at most one match, so a position never holds more than n.
struct Lattice {
  std::size_t n = 0;
  std::array<std::vector<Match>, kMaxSegmentCharacters> matches;
};

Lattice BuildLattice(const SegmentationDictionaries& dictionaries, std::string_view piece) {
  Lattice lattice;
  lattice.n = piece.size() / 2;
  const std::size_t longest = dictionaries.longestWordBytes() / 2;
  for (std::size_t s = 0; s < lattice.n; ++s) {
    for (std::size_t k = std::min(lattice.n - s, longest); k >= 1; --k) {
      if (const auto* entry = dictionaries.Find(piece.substr(2 * s, 2 * k)))
        lattice.matches[s].push_back({s + k, 1.0f / static_cast<float>(k), entry});
    }
  }
  return lattice;
}

// Appends the words of the cheapest path (offset by `first`); false when no
// path reaches the end.
bool AppendBestPath(const Lattice& lattice, std::size_t first, SegmentedRun& out) {
  const std::size_t n = lattice.n;
  // Best cost from each position to the end, computed from the end backwards
  // (each position depends only on later ones).
  std::array<float, kMaxSegmentCharacters + 1> best;
  std::array<const Match*, kMaxSegmentCharacters + 1> bestMatch{};
  best[n] = 0.0f;
  for (std::size_t s = n; s-- > 0;) {
    best[s] = kUnreachable;
    for (const auto& match : lattice.matches[s]) {
      const float total = best[match.end] + match.cost;
      if (total < best[s]) {
        best[s] = total;
        bestMatch[s] = &match;
      }
    }
  }
  if (best[0] >= kUnreachable) return false;
  for (std::size_t s = 0; s < n; s = bestMatch[s]->end) {
    const Match& match = *bestMatch[s];
    out.words.push_back({first + s, first + match.end, match.entry});
    const auto codes = match.entry->codes();
    out.codes.insert(out.codes.end(), codes.begin(), codes.end());
  }
  return true;
}

void LeaveOut(std::size_t from, std::size_t to, SegmentedRun& out) {
  for (std::size_t i = from; i < to; ++i) out.leftOut.push_back(i);
}

// A piece without a path: the characters no word covers are left out, and
// the stretches between them are segmented on their own (a stretch that still
// has no path is left out whole).
void SegmentAroundGaps(const SegmentationDictionaries& dictionaries, std::string_view piece,
                       const Lattice& lattice, std::size_t first, SegmentedRun& out) {
  std::vector<bool> covered(lattice.n, false);
  for (std::size_t s = 0; s < lattice.n; ++s)
    for (const auto& match : lattice.matches[s])
      for (std::size_t i = s; i < match.end; ++i) covered[i] = true;
  std::size_t start = 0;
  while (start < lattice.n) {
    if (!covered[start]) {
      out.leftOut.push_back(first + start++);
      continue;
    }
    std::size_t end = start;
    while (end < lattice.n && covered[end]) ++end;
    const auto stretch = piece.substr(2 * start, 2 * (end - start));
    if (!AppendBestPath(BuildLattice(dictionaries, stretch), first + start, out))
      LeaveOut(first + start, first + end, out);
    start = end;
  }
}

}  // namespace

SegmentedRun SegmentRun(const SegmentationDictionaries& dictionaries, std::string_view run) {
  std::string text;
  text.reserve(run.size());
  for (const char c : run)
    if (c != ' ') text += c;
  SegmentedRun segmented;
  if (text.empty() || text.size() % 2 != 0) return segmented;
  constexpr std::size_t kPieceBytes = 2 * kMaxSegmentCharacters;
  for (std::size_t offset = 0; offset < text.size(); offset += kPieceBytes) {
    const auto piece = std::string_view(text).substr(offset, kPieceBytes);
    const Lattice lattice = BuildLattice(dictionaries, piece);
    if (!AppendBestPath(lattice, offset / 2, segmented))
      SegmentAroundGaps(dictionaries, piece, lattice, offset / 2, segmented);
  }
  return segmented;
}

std::string SegmentCodesText(const SegmentedRun& segmented) {
  std::string text;
  for (const int code : segmented.codes) {
    text += std::to_string(code);
    text += '\t';
  }
  return text;
}

}  // namespace phonwright
