// The English pronunciation dictionary (layout in english_dictionary_format.h),
// served from a memory map: the index of words is built once at Open, and a
// lookup reads the pronunciations straight from the mapped file.
//
// Owned by the engine state from Text2PhonemeInit to Text2PhonemeRelease;
// lookups are read-only and may run while nothing else changes the object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mapped_file.h"

namespace phonwright {

// The pronunciations of one word, each the phone names joined by single spaces.
// A lookup keeps at most the first 10 of a word, and cuts a pronunciation after
// the last whole phone that fits 127 characters.
struct EnglishPronunciations {
  static constexpr std::size_t kMaxPronunciations = 10;
  static constexpr std::size_t kMaxLength = 127;
  std::vector<std::string> pronunciations;
};

class EnglishDictionary {
 public:
  // Maps the file and reads its phone table and word index. Returns false, with
  // a message on standard output when the file is damaged, and stays closed
  // when the file cannot be opened or does not have the dictionary's layout.
  bool Open(const std::filesystem::path& path);
  void Close();

  bool is_open() const { return file_.is_open(); }
  std::size_t word_count() const { return index_.size(); }
  std::span<const std::string> phones() const { return phones_; }

  // Binary search of the index for `upperWord` (already upper case). Returns
  // true and fills `result` when found; false when absent, when the dictionary
  // is closed, or when the word's pronunciations are damaged.
  bool Find(std::string_view upperWord, EnglishPronunciations& result) const;

 private:
  struct IndexRecord {
    std::uint32_t wordOffset;
    std::uint32_t pronunciationOffset;
    std::uint8_t wordLength;
    std::uint8_t pronunciationCount;
  };

  std::string_view WordAt(const IndexRecord& record) const;
  bool ReadPronunciations(const IndexRecord& record, EnglishPronunciations& result) const;

  platform::MappedFile file_;
  std::vector<std::string> phones_;
  std::vector<IndexRecord> index_;
};

// Upper-cases `word` in place (ASCII letters) and looks it up. Returns true
// when found.
bool LookupEnglishDictionary(const EnglishDictionary& dictionary, std::string& word,
                             EnglishPronunciations& result);

}  // namespace phonwright
