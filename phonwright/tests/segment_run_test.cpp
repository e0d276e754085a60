#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "phonwright/core/segment_run.h"
#include "phonwright/data/segmentation_dictionary_writer.h"
#include "phonwright/tests/big5_text.h"

namespace phonwright {
namespace {

using Codes = std::vector<int>;

// Test words are spelled with the letters A to H, each standing for one Big5
// character; a word's codes are its first letters' numbers (A = 1 ...) plus
// 100 x the word's length.
const std::string& Characters() {
  static const std::string characters = testing::Big5("甲乙丙丁戊己庚辛");
  return characters;
}

std::string Chinese(std::string_view letters) {
  const std::string& kCharacters = Characters();
  std::string text;
  for (const char letter : letters) {
    if (letter == ' ') text += ' ';
    else text += kCharacters.substr(2 * static_cast<std::size_t>(letter - 'A'), 2);
  }
  return text;
}

SegmentationWord Word(std::string_view letters) {
  SegmentationWord word{Chinese(letters), "N", {}};
  for (const char letter : letters.substr(0, SegmentationEntry::kMaxCodes))
    word.codes.push_back(static_cast<int>(100 * letters.size()) + (letter - 'A' + 1));
  return word;
}

SegmentationDictionaries Load(const std::vector<std::string>& words) {
  std::vector<SegmentationWord> entries;
  for (const auto& word : words) entries.push_back(Word(word));
  EXPECT_FALSE(WriteSegmentationDictionary("CDIC.dic", entries));
  SegmentationDictionaries dictionaries;
  EXPECT_EQ(dictionaries.LoadDictionary("CDIC.dic", SegmentationClassNames()),
            SegmentationLoadResult::kDone);
  return dictionaries;
}

// The words chosen, as letter strings.
std::vector<std::string> Words(const SegmentedRun& run) {
  std::vector<std::string> words;
  for (const auto& word : run.words) {
    std::string letters;
    for (std::size_t i = 0; i < word.entry->word.size(); i += 2)
      letters += static_cast<char>('A' + Characters().find(word.entry->word.substr(i, 2)) / 2);
    words.push_back(letters);
  }
  return words;
}

using Words_ = std::vector<std::string>;

TEST(SegmentRun, LongerWordsWin) {
  const auto dictionaries = Load({"AB", "ABC", "A", "B", "C", "D"});
  EXPECT_EQ(Words(SegmentRun(dictionaries, Chinese("ABCD"))), (Words_{"ABC", "D"}));
}

TEST(SegmentRun, TieGoesToTheLongerFirstMatch) {
  const auto dictionaries = Load({"AB", "BC", "A", "C"});
  const auto run = SegmentRun(dictionaries, Chinese("ABC"));
  EXPECT_EQ(Words(run), (Words_{"AB", "C"}));
  EXPECT_EQ(run.codes, (Codes{201, 202, 103}));
  EXPECT_EQ(SegmentCodesText(run), "201\t202\t103\t");
}

TEST(SegmentRun, WholeWordBeatsASplit) {
  const auto dictionaries = Load({"A", "B", "C", "AB", "ABC"});
  EXPECT_EQ(Words(SegmentRun(dictionaries, Chinese("ABC"))), (Words_{"ABC"}));
}

TEST(SegmentRun, SingleCharactersAlwaysSegmentAndAGapIsLeftOut) {
  const auto dictionaries = Load({"A", "B", "C", "BC", "FG", "GH"});
  EXPECT_EQ(Words(SegmentRun(dictionaries, Chinese("CABBA"))),
            (Words_{"C", "A", "B", "B", "A"}));
  EXPECT_TRUE(SegmentRun(dictionaries, Chinese("CABBA")).complete());
  // E is in no word: it is left out, and the text on either side is
  // segmented on its own (no word is read across the gap).
  const auto gap = SegmentRun(dictionaries, Chinese("ABEC"));
  EXPECT_EQ(Words(gap), (Words_{"A", "B", "C"}));
  EXPECT_EQ(gap.leftOut, (std::vector<std::size_t>{2}));
  EXPECT_FALSE(gap.complete());
  EXPECT_EQ(gap.words.back().start, 3u);
  const auto edges = SegmentRun(dictionaries, Chinese("EEBCE"));
  EXPECT_EQ(Words(edges), (Words_{"BC"}));
  EXPECT_EQ(edges.leftOut, (std::vector<std::size_t>{0, 1, 4}));
  // Every character of FGH is in a word, but no path reads them: the stretch
  // between gaps is left out whole.
  const auto pathless = SegmentRun(dictionaries, Chinese("AEFGH"));
  EXPECT_EQ(Words(pathless), (Words_{"A"}));
  EXPECT_EQ(pathless.leftOut, (std::vector<std::size_t>{1, 2, 3, 4}));
}

TEST(SegmentRun, SpacesAreIgnoredAndOddLengthsRefused) {
  const auto dictionaries = Load({"AB", "A", "B"});
  EXPECT_EQ(Words(SegmentRun(dictionaries, Chinese(" A B "))), (Words_{"AB"}));
  EXPECT_TRUE(SegmentRun(dictionaries, Chinese("AB") + "x").words.empty());
  EXPECT_TRUE(SegmentRun(dictionaries, "").words.empty());
  EXPECT_TRUE(SegmentRun(dictionaries, "   ").words.empty());
  EXPECT_TRUE(SegmentRun(SegmentationDictionaries(), Chinese("A")).words.empty());
}

TEST(SegmentRun, AFullLatticeRow) {
  // Every prefix of a 127-character run is a word: position 0 holds 127 matches.
  std::vector<std::string> words;
  for (std::size_t k = 1; k <= kMaxSegmentCharacters; ++k) words.push_back(std::string(k, 'A'));
  const auto dictionaries = Load(words);
  const auto run = SegmentRun(dictionaries, Chinese(std::string(kMaxSegmentCharacters, 'A')));
  ASSERT_EQ(run.words.size(), 1u);
  EXPECT_EQ(run.words[0].end, kMaxSegmentCharacters);
}

TEST(SegmentRun, LongRunsAreSegmentedInPieces) {
  const auto dictionaries = Load({"AA", "A"});
  const auto run = SegmentRun(dictionaries, Chinese(std::string(130, 'A')));
  // 127 = 63 x AA + A, then 3 = AA + A; no word crosses the piece boundary.
  ASSERT_EQ(run.words.size(), 66u);
  EXPECT_EQ(run.words[63].start, 126u);
  EXPECT_EQ(run.words[63].end, 127u);
  EXPECT_EQ(run.words[64].start, 127u);
  EXPECT_EQ(run.words.back().end, 130u);
  const auto gap = SegmentRun(dictionaries, Chinese(std::string(200, 'A') + "B"));
  EXPECT_EQ(gap.leftOut, (std::vector<std::size_t>{200}));
  EXPECT_EQ(gap.words.back().end, 200u);
}

// The documented algorithm, word for word: a linear scan of the entries for
// every substring and the memoised recursion from position 0.
class ReferenceSegmenter {
 public:
  explicit ReferenceSegmenter(std::vector<std::string> words) : words_(std::move(words)) {}

  std::vector<std::string> Segment(const std::string& letters) {
    text_ = letters;
    lattice_.assign(letters.size(), {});
    for (std::size_t s = 0; s < letters.size(); ++s)
      for (std::size_t k = letters.size() - s; k >= 1; --k)
        for (const auto& word : words_)
          if (word == letters.substr(s, k)) {
            lattice_[s].push_back(k);
            break;
          }
    memo_.clear();
    if (Cost(0) >= 999999.0f) return {};
    std::vector<std::string> out;
    for (std::size_t s = 0; s < letters.size(); s += memo_[s].second)
      out.push_back(letters.substr(s, memo_[s].second));
    return out;
  }

 private:
  float Cost(std::size_t s) {
    if (s == text_.size()) return 0.0f;
    if (const auto found = memo_.find(s); found != memo_.end()) return found->second.first;
    float best = 999999.0f;
    std::size_t bestLength = 0;
    for (const std::size_t k : lattice_[s]) {
      const float total = Cost(s + k) + 1.0f / static_cast<float>(k);
      if (total < best) {
        best = total;
        bestLength = k;
      }
    }
    memo_[s] = {best, bestLength};
    return best;
  }

  std::vector<std::string> words_;
  std::string text_;
  std::vector<std::vector<std::size_t>> lattice_;
  std::map<std::size_t, std::pair<float, std::size_t>> memo_;
};

TEST(SegmentRun, MatchesTheLinearScanOnRandomDictionaries) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 40; ++round) {
    std::vector<std::string> words;
    const int wordCount = 4 + static_cast<int>(random() % 40);
    for (int i = 0; i < wordCount; ++i) {
      std::string word(1 + random() % 5, 'A');
      for (auto& letter : word) letter = static_cast<char>('A' + random() % 4);
      words.push_back(word);
    }
    const auto dictionaries = Load(words);
    ReferenceSegmenter reference(words);
    for (int run = 0; run < 25; ++run) {
      std::string letters(1 + random() % 30, 'A');
      for (auto& letter : letters) letter = static_cast<char>('A' + random() % 4);
      // A run the documented algorithm cannot segment is read around its
      // gaps instead (tested above); every other run is segmented the same.
      const auto segmented = SegmentRun(dictionaries, Chinese(letters));
      const auto expected = reference.Segment(letters);
      ASSERT_EQ(segmented.complete(), !expected.empty()) << "round " << round << " run " << letters;
      if (segmented.complete()) {
        ASSERT_EQ(Words(segmented), expected) << "round " << round << " run " << letters;
      }
    }
  }
}

}  // namespace
}  // namespace phonwright
