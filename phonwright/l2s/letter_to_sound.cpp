#include "phonwright/l2s/letter_to_sound.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "phonwright/l2s/chunk_search.h"
#include "phonwright/l2s/grapheme_segmentation.h"
#include "phonwright/l2s/l2s_format.h"
#include "phonwright/l2s/phoneme_choice.h"

namespace phonwright::l2s {
namespace {

constexpr std::int64_t kStepPenalty = 900;
constexpr std::int64_t kFinalFloor = -100000000;
constexpr std::size_t kHypothesisBeam = 2;

struct Hypothesis {
  std::vector<std::uint8_t> graphemes;
  std::vector<std::vector<std::uint8_t>> alternatives;  // the i-th phoneme belongs to the i-th grapheme
  int predecessor = -1;
  std::int64_t score = 0;
};

class HypothesisSearch {
 public:
  explicit HypothesisSearch(LetterToSoundModels& models) : models_(models) {}

  std::optional<PhonemePath> Run(const std::vector<std::uint8_t>& graphemes) {
    positions_.assign(graphemes.size(), {});
    Insert(0, Single(graphemes[0], -1, 0));
    for (std::size_t t = 1; t < graphemes.size(); ++t) {
      for (const int h : Leading(t - 1)) Insert(t, Single(graphemes[t], h, Score(h) - kStepPenalty));
      for (std::size_t k = 0; k < t; ++k) {
        const auto chunk =
            FindChunk(models_, std::span(graphemes).subspan(k, t - k + 1));
        if (!chunk) continue;
        Hypothesis hypothesis{chunk->graphemes, {chunk->phonemes}, -1, chunk->score};
        if (k == 0) {
          Insert(t, hypothesis);
          continue;
        }
        for (const int h : Leading(k - 1)) {
          hypothesis.predecessor = h;
          hypothesis.score = chunk->score + Score(h) - kStepPenalty;
          Insert(t, hypothesis);
        }
      }
    }

    std::optional<PhonemePath> winner;
    std::int64_t best = kFinalFloor;
    for (const int h : Leading(graphemes.size() - 1)) {
      const std::int64_t finalScore = Score(h) - kStepPenalty;
      const auto columns = Columns(h);
      auto path = ChoosePhonemes(models_, columns);
      if (!path) continue;
      const std::int64_t combined = CombinedScore(path->score, finalScore);
      if (combined > best) {
        best = combined;
        winner = std::move(path);
      }
    }
    return winner;
  }

 private:
  Hypothesis Single(std::uint8_t grapheme, int predecessor, std::int64_t score) const {
    Hypothesis hypothesis{{grapheme}, {}, predecessor, score};
    for (const std::uint8_t phoneme : models_.Candidates(grapheme)) hypothesis.alternatives.push_back({phoneme});
    return hypothesis;
  }

  std::int64_t Score(int h) const { return arena_[static_cast<std::size_t>(h)].score; }

  // The first hypotheses of a position, those that are extended.
  std::vector<int> Leading(std::size_t position) const {
    const auto& list = positions_[position];
    return {list.begin(), list.begin() + static_cast<long>(std::min(list.size(), kHypothesisBeam))};
  }

  // Sorted by descending score; among equal scores the earlier stays ahead.
  void Insert(std::size_t position, Hypothesis hypothesis) {
    arena_.push_back(std::move(hypothesis));
    const int added = static_cast<int>(arena_.size() - 1);
    auto& list = positions_[position];
    auto at = std::find_if(list.begin(), list.end(), [&](int h) { return Score(h) < Score(added); });
    list.insert(at, added);
  }

  // One column per grapheme of the chain that ends at `h`, in word order.
  std::vector<PhonemeColumnInput> Columns(int h) const {
    std::vector<int> chain;
    for (int at = h; at >= 0; at = arena_[static_cast<std::size_t>(at)].predecessor) chain.push_back(at);
    std::reverse(chain.begin(), chain.end());
    std::vector<PhonemeColumnInput> columns;
    for (const int link : chain) {
      const Hypothesis& hypothesis = arena_[static_cast<std::size_t>(link)];
      for (std::size_t j = 0; j < hypothesis.graphemes.size(); ++j) {
        PhonemeColumnInput column{hypothesis.graphemes[j], {}};
        for (const auto& alternative : hypothesis.alternatives)
          if (alternative.size() > j) column.candidates.push_back(alternative[j]);
        columns.push_back(std::move(column));
      }
    }
    return columns;
  }

  LetterToSoundModels& models_;
  std::vector<Hypothesis> arena_;
  std::vector<std::vector<int>> positions_;  // hypotheses ending at each grapheme position
};

// Each phoneme's name followed by one blank, leaving out the word boundary.
std::string PhonemeNames(const LetterToSoundModels& models, std::span<const std::uint8_t> phonemes) {
  const auto& names = models.phonemes().names;
  const auto spoken = [&](std::uint8_t phoneme) {
    return phoneme != kBoundarySymbol && phoneme < names.size() && !names[phoneme].empty();
  };
  std::size_t size = 0;
  for (const std::uint8_t phoneme : phonemes)
    if (spoken(phoneme)) size += names[phoneme].size() + 1;
  std::string out;
  out.reserve(size);
  for (const std::uint8_t phoneme : phonemes)
    if (spoken(phoneme)) {
      out += names[phoneme];
      out += ' ';
    }
  return out;
}

}  // namespace

std::int64_t CombinedScore(std::int64_t phonemeScore, std::int64_t hypothesisScore) {
  return (phonemeScore * LetterToSoundModels::kCombinationWeight + hypothesisScore * 1000) / 1000;
}

std::string LetterToSound(LetterToSoundModels& models, std::string_view word) {
  if (!models.is_loaded() || word.empty() || word.size() > kMaxLetterToSoundWordLength) return {};
  if (JointSequenceDecoder* joint = models.joint_decoder()) {
    const auto phonemes = joint->Decode(word);
    return phonemes ? PhonemeNames(models, *phonemes) : std::string();
  }
  const auto graphemes = SegmentGraphemes(models, word);
  if (!graphemes) return {};
  const auto path = HypothesisSearch(models).Run(*graphemes);
  return path ? PhonemeNames(models, path->phonemes) : std::string();
}

}  // namespace phonwright::l2s
