// The plain pronunciation dictionary the trainer and the evaluation read:
// "WORD<TAB>PH PH ...", one pronunciation a line (cmudict-40.txt).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace phonwright::train {

struct DictionaryEntry {
  std::string word;  // lower case, as the decoder receives it
  std::vector<std::string> phones;
};

// Lines without a tab or without phones are skipped. Throws std::runtime_error
// when the file cannot be read.
std::vector<DictionaryEntry> ParsePlainDictionary(std::string_view text);
std::vector<DictionaryEntry> ReadPlainDictionary(const std::filesystem::path& path);

struct DictionarySplit {
  std::vector<DictionaryEntry> training;
  std::vector<DictionaryEntry> test;
};

// Every `testEvery`-th distinct word (counting from the first) goes to the test
// part with all its pronunciations, the others to training; 0 puts everything
// in training. Entries of one word are expected to be adjacent.
DictionarySplit SplitForTest(const std::vector<DictionaryEntry>& entries, std::size_t testEvery);

}  // namespace phonwright::train
