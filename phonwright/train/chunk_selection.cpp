#include "phonwright/train/chunk_selection.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <unordered_map>

namespace phonwright::train {
namespace {

constexpr std::uint8_t kBoundary = 1;
constexpr std::size_t kMinLength = 2;
constexpr double kScoreNumerator = 10000000.0;
constexpr char kNoNeighbour = 0;  // grapheme numbers start at 1

// How often a run was seen, and whether it was seen beside more than one
// grapheme on each side (a side with none, at the word boundary, needs none).
struct RunStatistics {
  std::uint32_t count = 0;
  char left = kNoNeighbour;
  char right = kNoNeighbour;
  bool variedLeft = false;
  bool variedRight = false;

  void Add(char leftNeighbour, char rightNeighbour) {
    ++count;
    Note(left, variedLeft, leftNeighbour);
    Note(right, variedRight, rightNeighbour);
  }
  // A silent edge of a reading may only be silent because of the neighbour it
  // was always seen with (n in "sawin" of "sawing", aligned n to nothing, g to NG).
  bool SilentEdgesHold(std::string_view phonemes) const {
    const auto silent = [](char phoneme) { return static_cast<std::uint8_t>(phoneme) == kBoundary; };
    return (!silent(phonemes.front()) || variedLeft || left == kNoNeighbour) &&
           (!silent(phonemes.back()) || variedRight || right == kNoNeighbour);
  }

 private:
  static void Note(char& first, bool& varied, char neighbour) {
    if (neighbour == kNoNeighbour) return;
    if (first == kNoNeighbour) first = neighbour;
    else if (first != neighbour) varied = true;
  }
};

template <typename Visit>
void ForEachRun(const std::vector<AlignedWord>& words, std::size_t maxLength, Visit&& visit) {
  for (const auto& word : words) {
    const std::string_view graphemes(reinterpret_cast<const char*>(word.graphemes.data()), word.graphemes.size());
    const std::string_view phonemes(reinterpret_cast<const char*>(word.phonemes.data()), word.phonemes.size());
    for (std::size_t start = 0; start < graphemes.size(); ++start)
      for (std::size_t length = kMinLength; length <= maxLength && start + length <= graphemes.size(); ++length)
        visit(graphemes.substr(start, length), phonemes.substr(start, length),
              start > 0 ? graphemes[start - 1] : kNoNeighbour,
              start + length < graphemes.size() ? graphemes[start + length] : kNoNeighbour);
  }
}

}  // namespace

std::vector<data::ChunkEntry> SelectChunks(const std::vector<AlignedWord>& words, const ChunkOptions& options) {
  // First the runs frequent enough, then the pronunciations of those only, to keep memory small.
  std::unordered_map<std::string, RunStatistics> runs;
  ForEachRun(words, options.maxLength, [&](std::string_view run, std::string_view, char left, char right) {
    runs[std::string(run)].Add(left, right);
  });
  std::erase_if(runs, [&](const auto& entry) {
    return entry.second.count < options.minCount;
  });

  std::unordered_map<std::string, std::unordered_map<std::string, std::uint32_t>> pronunciations;
  ForEachRun(words, options.maxLength, [&](std::string_view run, std::string_view phonemes, char, char) {
    const std::string key(run);
    if (runs.contains(key)) ++pronunciations[key][std::string(phonemes)];
  });

  std::vector<data::ChunkEntry> chunks;
  for (const auto& [run, readings] : pronunciations) {
    const auto best = std::max_element(readings.begin(), readings.end(), [](const auto& a, const auto& b) {
      return a.second != b.second ? a.second < b.second : a.first > b.first;
    });
    const double purity = static_cast<double>(best->second) / runs.at(run).count;
    if (purity < options.minPurity) continue;
    if (options.checkSilentEdges && !runs.at(run).SilentEdgesHold(best->first)) continue;
    const auto letters = static_cast<double>(std::count_if(run.begin(), run.end(), [](char g) {
      return static_cast<std::uint8_t>(g) != kBoundary;
    }));
    const double score = std::max(1.0, options.scorePerGrapheme * letters * purity);
    const double weight = std::clamp(std::round(kScoreNumerator / score), 1.0, 65535.0);
    chunks.push_back({std::vector<std::uint8_t>(run.begin(), run.end()),
                      std::vector<std::uint8_t>(best->first.begin(), best->first.end()),
                      static_cast<std::uint16_t>(weight)});
  }
  std::sort(chunks.begin(), chunks.end(),
            [](const data::ChunkEntry& a, const data::ChunkEntry& b) { return a.graphemes < b.graphemes; });
  return chunks;
}

}  // namespace phonwright::train
