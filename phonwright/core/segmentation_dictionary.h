// The segmentation dictionaries: Big5 words with their syllable codes, looked
// up by exact text through a hash index that keeps, for each word, its first
// entry (dictionaries in load order, entries in file order), which is the
// entry a scan of the dictionaries in that order would find.
//
// "CDIC.dic": a decimal entry count, then that many entries separated by
// whitespace: a word, its class name, its code count and that many decimal
// codes (syllable codes, or digit codes 6000 and above); or the single token
// "SILENCE", which has no further fields and class 0.
// "T2P.TXT" (the list file): one dictionary path per line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "phonwright/core/segmentation_class_names.h"
#include "phonwright/core/segmentation_load_result.h"

namespace phonwright {

struct SegmentationEntry {
  static constexpr std::size_t kMaxCodes = 10;
  static constexpr std::size_t kMaxWordBytes = 511;

  std::string word;
  int classIndex = -1;  // slot in the class names, -1 for an unknown name, 0 for SILENCE
  std::size_t codeCount = 0;
  std::array<int, kMaxCodes> codeStorage{};

  std::span<const int> codes() const { return {codeStorage.data(), codeCount}; }
};

class SegmentationDictionaries {
 public:
  // Largest entry count of one dictionary; a larger one is malformed.
  static constexpr int kMaxEntries = 104450;
  // Largest dictionary file read: kMaxEntries entries of the longest word,
  // class name and ten codes.
  static constexpr std::uint64_t kMaxFileBytes = std::uint64_t{128} << 20;

  // Loads `dictionaryCount` dictionaries whose paths are the first lines of
  // the list file (dictionary_list_file.h). A list file that cannot be opened
  // prints "Error <path>" and loads nothing (kDone); a dictionary file that cannot be opened stops
  // loading (kDone; the ones before it stay). A missing path or a malformed
  // dictionary (missing token, count out of range, a word over 511 bytes, more
  // than 10 codes) empties every dictionary and gives kMalformed.
  SegmentationLoadResult LoadSegmentationDictionaries(const std::filesystem::path& listPath,
                                                      const SegmentationClassNames& classes,
                                                      int dictionaryCount = 1);

  // Loads one more dictionary file directly, with the same rules. A file that
  // cannot be opened gives kDone and loads nothing.
  SegmentationLoadResult LoadDictionary(const std::filesystem::path& path,
                                        const SegmentationClassNames& classes);

  // Adds one more dictionary held in memory, after the loaded ones (the data
  // builder tries out candidate entries this way). An entry over the bounds
  // of the file format adds nothing and gives kMalformed.
  SegmentationLoadResult AddDictionary(std::vector<SegmentationEntry> entries);

  // The first entry whose word equals `word`; nullptr when there is none.
  const SegmentationEntry* Find(std::string_view word) const;

  std::size_t dictionaryCount() const { return dictionaries_.size(); }
  std::size_t entryCount(std::size_t dictionary) const { return dictionaries_.at(dictionary).size(); }
  // Length in bytes of the longest word; no longer text can be found.
  std::size_t longestWordBytes() const { return longestWordBytes_; }
  void Clear();

 private:
  enum class Opened { kYes, kNo };
  SegmentationLoadResult Read(const std::filesystem::path& path,
                              const SegmentationClassNames& classes, Opened& opened);
  void Install(std::vector<SegmentationEntry> entries);

  std::vector<std::vector<SegmentationEntry>> dictionaries_;
  std::unordered_map<std::string_view, const SegmentationEntry*> firstEntryOfWord_;
  std::size_t longestWordBytes_ = 0;
};

}  // namespace phonwright
