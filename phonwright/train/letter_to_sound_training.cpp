#include "phonwright/train/letter_to_sound_training.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <unordered_map>

#include "phonwright/train/many_to_many_alignment.h"

namespace phonwright::train {
namespace {

constexpr std::uint8_t kBoundary = 1;
constexpr const char* kBoundaryName = "#";
constexpr const char* kReservedName = "<bo>";
constexpr std::size_t kMaxGraphemes = 254;
constexpr std::size_t kMaxPhonemes = 59;
constexpr std::size_t kMaxWordLength = 28;

bool UsableWord(const std::string& word) {
  return !word.empty() && word.size() <= kMaxWordLength &&
         std::all_of(word.begin(), word.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '\''; });
}

std::string JoinPhones(const std::vector<std::uint8_t>& phones, const std::vector<std::string>& names) {
  std::string joined;
  for (const auto phone : phones) {
    if (!joined.empty()) joined += ' ';
    joined += names[phone];
  }
  return joined;
}

template <typename Key>
std::vector<Key> MostUsed(const std::map<Key, std::uint32_t>& counts, std::uint32_t minCount, std::size_t room) {
  std::vector<std::pair<Key, std::uint32_t>> sorted(counts.begin(), counts.end());
  std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<Key> chosen;
  for (const auto& [key, count] : sorted)
    if (count >= minCount && chosen.size() < room) chosen.push_back(key);
  return chosen;
}

struct Inventories {
  std::vector<std::string> graphemes;  // names, [0] is symbol 1
  std::vector<std::string> phonemes;
  std::unordered_map<std::string, std::uint8_t> graphemeNumber;
  std::unordered_map<std::string, std::uint8_t> phonemeNumber;  // by joined phone names
};

Inventories ChooseInventories(const std::vector<std::vector<Link>>& alignments,
                              const std::vector<std::string>& phoneNames, const TrainingOptions& options) {
  std::set<std::string> letters;
  std::map<std::string, std::uint32_t> groups;
  std::map<std::string, std::uint32_t> pairs;
  for (const auto& links : alignments)
    for (const auto& link : links) {
      for (const char c : link.letters) letters.insert(std::string(1, c));
      if (link.letters.size() > 1) ++groups[link.letters];
      if (link.phones.size() > 1) ++pairs[JoinPhones(link.phones, phoneNames)];
    }
  Inventories inventories;
  inventories.graphemes = {kBoundaryName, kReservedName};
  inventories.graphemes.insert(inventories.graphemes.end(), letters.begin(), letters.end());
  if (inventories.graphemes.size() > kMaxGraphemes) throw std::runtime_error("too many letters for the grapheme map");
  for (auto& group : MostUsed(groups, options.minGroupCount, kMaxGraphemes - inventories.graphemes.size()))
    inventories.graphemes.push_back(group);
  inventories.phonemes = {kBoundaryName, kReservedName};
  inventories.phonemes.insert(inventories.phonemes.end(), phoneNames.begin(), phoneNames.end());
  if (inventories.phonemes.size() > kMaxPhonemes) throw std::runtime_error("too many phones for the phoneme map");
  for (auto& pair : MostUsed(pairs, options.minPairCount, kMaxPhonemes - inventories.phonemes.size()))
    inventories.phonemes.push_back(pair);
  for (std::size_t i = 0; i < inventories.graphemes.size(); ++i)
    inventories.graphemeNumber[inventories.graphemes[i]] = static_cast<std::uint8_t>(i + 1);
  for (std::size_t i = 0; i < inventories.phonemes.size(); ++i)
    inventories.phonemeNumber[inventories.phonemes[i]] = static_cast<std::uint8_t>(i + 1);
  return inventories;
}

bool IsSilentSeparator(char c) { return c == '-' || c == '.'; }

// The joint-sequence model's tokens: every (letters, phoneme) link of the
// alignment; "-" and "." are silent letters that the aligner never sees.
class JointTokens {
 public:
  JointTokens() { tokens_.push_back({}); }

  std::vector<std::uint16_t> Sequence(const std::string& word, const std::vector<Link>& links,
                                      const Inventories& inventories, const std::vector<std::string>& phoneNames) {
    std::vector<std::uint16_t> sequence;
    std::size_t link = 0;
    std::size_t used = 0;  // letters of the current link already passed
    for (const char c : word) {
      if (IsSilentSeparator(c)) {
        sequence.push_back(Id(std::string(1, c), kBoundary));
        continue;
      }
      const Link& current = links[link];
      if (used == 0)
        sequence.push_back(Id(current.letters, current.phones.empty() ? kBoundary
                                                                      : inventories.phonemeNumber.at(
                                                                            JoinPhones(current.phones, phoneNames))));
      if (++used == current.letters.size()) {
        ++link;
        used = 0;
      }
    }
    return sequence;
  }
  // The inventory in (letters, phoneme) order, so that the tokens of a letter
  // are contiguous (the decoder scores them in one pass), with `sequences`
  // renumbered to it.
  std::vector<data::JointSequenceModelContent::Token> Sorted(std::vector<std::vector<std::uint16_t>>& sequences) const {
    std::vector<std::uint16_t> renumbered(tokens_.size(), 0);
    std::vector<data::JointSequenceModelContent::Token> sorted(1);
    for (const auto& [key, id] : ids_) {
      renumbered[id] = static_cast<std::uint16_t>(sorted.size());
      sorted.push_back(tokens_[id]);
    }
    for (auto& sequence : sequences)
      for (auto& token : sequence) token = renumbered[token];
    return sorted;
  }

 private:
  std::uint16_t Id(const std::string& letters, std::uint8_t phoneme) {
    const auto [at, added] = ids_.try_emplace({letters, phoneme}, static_cast<std::uint16_t>(tokens_.size()));
    if (added) {
      if (tokens_.size() >= 65535) throw std::runtime_error("too many joint-sequence tokens");
      tokens_.push_back({letters, phoneme});
    }
    return at->second;
  }

  std::map<std::pair<std::string, std::uint8_t>, std::uint16_t> ids_;
  std::vector<data::JointSequenceModelContent::Token> tokens_;
};

}  // namespace

std::string WindowContext(const std::vector<std::uint8_t>& graphemes, std::size_t q, int order) {
  std::string context;
  const auto at = [&](std::ptrdiff_t position) {
    return position < 0 || position >= static_cast<std::ptrdiff_t>(graphemes.size())
               ? static_cast<char>(kBoundary)
               : static_cast<char>(graphemes[static_cast<std::size_t>(position)]);
  };
  const auto here = static_cast<std::ptrdiff_t>(q);
  for (int u = order - 2; u >= 1; --u) context += u % 2 ? at(here + (u + 1) / 2) : at(here - u / 2);
  if (order >= 2) context += at(here);
  return context;
}

data::LetterToSoundModelSet TrainLetterToSound(const std::vector<DictionaryEntry>& dictionary,
                                               const TrainingOptions& options, TrainingReport& report) {
  if (options.order < 1 || options.order > 11) throw std::invalid_argument("the stage-2 order must be 1 to 11");
  report = {};

  // Phone numbers for the aligner, most frequent first.
  std::map<std::string, std::uint32_t> phoneCounts;
  for (const auto& entry : dictionary)
    for (const auto& phone : entry.phones) ++phoneCounts[phone];
  std::vector<std::string> phoneNames = MostUsed(phoneCounts, 1, 255);
  std::unordered_map<std::string, std::uint8_t> phoneIndex;
  for (std::size_t i = 0; i < phoneNames.size(); ++i) phoneIndex[phoneNames[i]] = static_cast<std::uint8_t>(i);

  std::vector<AlignmentExample> examples;
  for (const auto& entry : dictionary) {
    if (!UsableWord(entry.word)) {
      ++report.unusableWords;
      continue;
    }
    AlignmentExample example{entry.word, {}};
    for (const auto& phone : entry.phones) example.phones.push_back(phoneIndex.at(phone));
    examples.push_back(std::move(example));
  }

  std::vector<std::vector<Link>> alignments;
  {
    ManyToManyAligner aligner(examples);
    for (int i = 0; i < options.unconstrainedIterations; ++i) aligner.Iterate();
    for (const auto& example : examples) alignments.push_back(aligner.Align(example));
  }
  const Inventories inventories = ChooseInventories(alignments, phoneNames, options);
  ManyToManyAligner constrained(examples, [&](std::string_view letters, const std::vector<std::uint8_t>& phones) {
    return (letters.size() == 1 || inventories.graphemeNumber.contains(std::string(letters))) &&
           (phones.size() < 2 || inventories.phonemeNumber.contains(JoinPhones(phones, phoneNames)));
  });
  for (int i = 0; i < options.constrainedIterations; ++i) constrained.Iterate();

  std::vector<AlignedWord> words;
  std::vector<std::vector<Link>> exampleLinks;
  for (const auto& example : examples) {
    exampleLinks.push_back(constrained.Align(example));
    const auto& links = exampleLinks.back();
    if (links.empty()) {
      ++report.unalignedExamples;
      continue;
    }
    AlignedWord word{{kBoundary}, {kBoundary}};
    for (const auto& link : links) {
      word.graphemes.push_back(inventories.graphemeNumber.at(link.letters));
      word.phonemes.push_back(link.phones.empty() ? kBoundary
                                                  : inventories.phonemeNumber.at(JoinPhones(link.phones, phoneNames)));
    }
    word.graphemes.push_back(kBoundary);
    word.phonemes.push_back(kBoundary);
    words.push_back(std::move(word));
  }
  report.examples = words.size();

  // Counts.
  std::vector<NgramCounts> stage1(2);
  std::vector<NgramCounts> stage2(static_cast<std::size_t>(options.order));
  std::map<std::pair<std::uint8_t, std::uint8_t>, std::uint32_t> candidateCounts;
  for (const auto& word : words) {
    for (std::size_t i = 0; i < word.graphemes.size(); ++i) {
      if (i > 0) ++stage1[1][std::string(1, static_cast<char>(word.graphemes[i - 1]))][word.graphemes[i]];
      if (i > 0) ++stage1[0][""][word.graphemes[i]];
      ++candidateCounts[{word.graphemes[i], word.phonemes[i]}];
      if (word.graphemes[i] == kBoundary) continue;
      const std::string window = WindowContext(word.graphemes, i, options.order);
      for (int k = 1; k <= options.order; ++k)
        ++stage2[static_cast<std::size_t>(k - 1)][window.substr(window.size() - static_cast<std::size_t>(k - 1))]
                [word.phonemes[i]];
    }
  }

  data::LetterToSoundModelSet set;
  set.graphemes = inventories.graphemes;
  set.phonemes = inventories.phonemes;
  // Per grapheme, rarest first: the decoder lists a grapheme's candidates last line first.
  std::map<std::uint8_t, std::vector<std::pair<std::uint32_t, std::uint8_t>>> byGrapheme;
  for (const auto& [pair, count] : candidateCounts) byGrapheme[pair.first].push_back({count, pair.second});
  for (auto& [grapheme, list] : byGrapheme) {
    std::sort(list.begin(), list.end());
    for (std::size_t i = 0; i < list.size(); ++i) {
      const bool mostFrequent = i + 1 == list.size();
      if (list[i].first < options.minCandidateCount && !mostFrequent) continue;
      set.candidates.emplace_back(inventories.graphemes[grapheme - 1], inventories.phonemes[list[i].second - 1]);
    }
  }
  report.candidates = set.candidates.size();

  auto stage1Models = EstimateBackoffModels(stage1, options.stage1);
  set.stage1Unigram = std::move(stage1Models[0]);
  set.stage1Bigram = std::move(stage1Models[1]);
  set.stage2Models = EstimateBackoffModels(stage2, options.stage2);
  for (const auto& model : set.stage2Models) report.contextsPerOrder.push_back(model.leaves.size());
  set.chunks = SelectChunks(words, options.chunks);
  report.graphemes = set.graphemes.size();
  report.phonemes = set.phonemes.size();
  report.chunks = set.chunks.size();

  if (options.jointSequenceModel) {
    JointTokens tokens;
    std::vector<std::vector<std::uint16_t>> sequences;
    std::size_t nextExample = 0;
    for (const auto& entry : dictionary) {
      std::vector<Link> separatedLinks;
      const std::vector<Link>* links = nullptr;
      if (UsableWord(entry.word)) {
        links = &exampleLinks[nextExample++];
      } else {
        std::string letters = entry.word;
        std::erase_if(letters, IsSilentSeparator);
        if (letters == entry.word || !UsableWord(letters)) continue;
        AlignmentExample example{letters, {}};
        for (const auto& phone : entry.phones) example.phones.push_back(phoneIndex.at(phone));
        separatedLinks = constrained.Align(example);
        links = &separatedLinks;
      }
      if (links->empty()) continue;
      sequences.push_back(tokens.Sequence(entry.word, *links, inventories, phoneNames));
    }
    auto inventory = tokens.Sorted(sequences);
    set.joint = EstimateJointSequenceModel(sequences, std::move(inventory), options.joint);
    report.jointWords = sequences.size();
    report.jointTokens = set.joint->tokens.size();
    report.jointHistories = set.joint->nodes.size();
    report.jointNgrams = set.joint->entries.size();
  }
  return set;
}

}  // namespace phonwright::train
