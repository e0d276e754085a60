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

// Segments one piece of at most kMaxSegmentCharacters characters; appends its
// words (offset by `first`) and returns false when it cannot be segmented.
bool SegmentPiece(const SegmentationDictionaries& dictionaries, std::string_view piece,
                  std::size_t first, SegmentedRun& out) {
  const std::size_t n = piece.size() / 2;
  const std::size_t longest = dictionaries.longestWordBytes() / 2;
  // matches[s]: the dictionary words starting at s, longest first. Each length
  // gives at most one match, so a position never holds more than n matches.
  std::array<std::vector<Match>, kMaxSegmentCharacters> matches;
  for (std::size_t s = 0; s < n; ++s) {
    for (std::size_t k = std::min(n - s, longest); k >= 1; --k) {
      if (const auto* entry = dictionaries.Find(piece.substr(2 * s, 2 * k)))
        matches[s].push_back({s + k, 1.0f / static_cast<float>(k), entry});
    }
  }
  // Best cost from each position to the end, computed from the end backwards
  // (each position depends only on later ones).
  std::array<float, kMaxSegmentCharacters + 1> best;
  std::array<const Match*, kMaxSegmentCharacters + 1> bestMatch{};
  best[n] = 0.0f;
  for (std::size_t s = n; s-- > 0;) {
    best[s] = kUnreachable;
    for (const auto& match : matches[s]) {
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
    if (!SegmentPiece(dictionaries, piece, offset / 2, segmented)) return {};
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
