#include "phonwright/l2s/chunk_search.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "phonwright/l2s/chunk_dictionary.h"
#include "phonwright/l2s/l2s_format.h"

namespace phonwright::l2s {
namespace {

constexpr std::size_t kMaxUnits = 30;

// The units of a run, or nothing when there are more than kMaxUnits.
std::optional<std::vector<std::uint8_t>> SplitIntoUnits(const LetterToSoundModels& models,
                                                        std::span<const std::uint8_t> run) {
  std::vector<std::uint8_t> units;
  for (const std::uint8_t grapheme : run) {
    const std::string& name = models.graphemes().names.at(grapheme);
    std::vector<std::uint8_t> letters;
    const bool keptWhole = name == "'s" || name == "s'" || name == "s's";
    for (std::size_t i = 0; !keptWhole && i < name.size(); ++i) {
      const auto letter = models.graphemes().trie.Find(std::string_view(name).substr(i, 1));
      if (!letter) break;
      letters.push_back(static_cast<std::uint8_t>(*letter));
    }
    if (!keptWhole && !name.empty() && letters.size() == name.size())
      units.insert(units.end(), letters.begin(), letters.end());
    else
      units.push_back(grapheme);
    if (units.size() > kMaxUnits) return std::nullopt;
  }
  return units;
}

// Whether segmentation `a` comes before `b` in the lattice's list of the
// segmentations of units 0..last, each given by the first unit of its
// segments. Column `last` lists the segmentations by the start k of their last
// segment: k = last - 1 down to 0, then k = last; equal starts are ordered by
// their prefixes in the reverse of column k - 1's order, since every new path
// end goes in front.
bool ComesBefore(std::span<const std::size_t> a, std::span<const std::size_t> b, std::size_t last) {
  bool forward = true;
  for (;;) {
    const std::size_t ka = a.back();
    const std::size_t kb = b.back();
    if (ka != kb) {
      const auto rank = [&](std::size_t k) {
        if (forward) return k == last ? last : last - 1 - k;
        return k == last ? 0 : k + 1;
      };
      return rank(ka) < rank(kb);
    }
    if (ka == 0) return false;  // the same segmentation
    a = a.first(a.size() - 1);
    b = b.first(b.size() - 1);
    last = ka - 1;
    forward = !forward;
  }
}

class ChunkWalk {
 public:
  ChunkWalk(const LetterToSoundModels& models, const ModelFile& dictionary, std::vector<std::uint8_t> units)
      : models_(models), dictionary_(dictionary), units_(std::move(units)) {}

  // Finds the first held segmentation; returns its record offset.
  std::optional<std::uint32_t> Run() {
    Walk(0, 0);
    return bestRecord_;
  }
  const std::vector<std::uint8_t>& best_graphemes() const { return bestGraphemes_; }

 private:
  // The grapheme that units i..j spell, joined by their names.
  std::optional<std::uint8_t> Segment(std::size_t i, std::size_t j, std::string& joined) const {
    if (i == j) {
      joined = models_.graphemes().names.at(units_[i]);
      return units_[i];
    }
    joined += models_.graphemes().names.at(units_[j]);
    if (joined.size() > kMaxSymbolNameLength) return std::nullopt;
    const auto grapheme = models_.graphemes().trie.Find(joined);
    if (!grapheme) return std::nullopt;
    return static_cast<std::uint8_t>(*grapheme);
  }

  void Walk(std::size_t i, std::uint32_t node) {
    std::string joined;
    for (std::size_t j = i; j < units_.size(); ++j) {
      const auto grapheme = Segment(i, j, joined);
      if (joined.size() > kMaxSymbolNameLength) break;  // no longer grapheme starts here
      if (!grapheme) continue;
      const auto edge = FindChunkEdge(dictionary_, node, *grapheme);
      if (!edge) continue;
      starts_.push_back(i);
      graphemes_.push_back(*grapheme);
      if (j + 1 == units_.size()) {
        if (edge->value != 0 && (!bestRecord_ || ComesBefore(starts_, bestStarts_, j))) {
          bestRecord_ = edge->value;
          bestStarts_ = starts_;
          bestGraphemes_ = graphemes_;
        }
      } else if (edge->child != 0) {
        Walk(j + 1, edge->child);
      }
      starts_.pop_back();
      graphemes_.pop_back();
    }
  }

  const LetterToSoundModels& models_;
  const ModelFile& dictionary_;
  std::vector<std::uint8_t> units_;
  std::vector<std::size_t> starts_;
  std::vector<std::uint8_t> graphemes_;
  std::optional<std::uint32_t> bestRecord_;
  std::vector<std::size_t> bestStarts_;
  std::vector<std::uint8_t> bestGraphemes_;
};

}  // namespace

std::optional<ChunkHypothesis> FindChunk(LetterToSoundModels& models, std::span<const std::uint8_t> run) {
  auto units = SplitIntoUnits(models, run);
  if (!units || units->empty()) return std::nullopt;
  const auto dictionary = models.files().Open(models.config().chunkDictionary);
  if (!dictionary) {
    std::printf("**** ERROR! Unable to open score file ****\n");
    return std::nullopt;
  }
  ChunkWalk walk(models, *dictionary, std::move(*units));
  const auto record = walk.Run();
  if (!record) return std::nullopt;

  const bool touchesBoundary = std::find(run.begin(), run.end(), kBoundarySymbol) != run.end();
  auto pronunciation =
      ReadChunkPronunciation(models.files(), models.config().chunkPronunciations, *record, touchesBoundary);
  if (!pronunciation || pronunciation->phonemes.size() != walk.best_graphemes().size()) return std::nullopt;
  return ChunkHypothesis{walk.best_graphemes(), std::move(pronunciation->phonemes), pronunciation->score};
}

}  // namespace phonwright::l2s
