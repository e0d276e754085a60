// Writes the binary English pronunciation dictionary read by
// phonwright/english_dictionary/english_dictionary.h (layout in english_dictionary_format.h)
// from a plain list of words and their pronunciations.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace phonwright::data {

struct EnglishDictionaryWord {
  std::string word;  // stored upper case (ASCII letters are raised)
  std::vector<std::vector<std::string>> pronunciations;  // phone names, each in the phone table
};

struct EnglishDictionaryContent {
  std::vector<std::string> phones;  // the phone table in file order; names of 1 or 2 characters
  std::vector<EnglishDictionaryWord> words;  // any order; sorted by the writer
};

// Returns the file's bytes. Throws std::invalid_argument for content the format
// cannot hold: a phone name not of 1 or 2 characters, an unknown phone, an
// empty word or one over 127 bytes, a word listed twice, a word without
// pronunciations, more than 255 pronunciations or phones, a file over 4 GiB.
std::string EncodeEnglishDictionary(const EnglishDictionaryContent& content);

// Encodes and writes to `path` (folders created); throws as EncodeEnglishDictionary
// and std::system_error when the file cannot be written.
void WriteEnglishDictionary(const std::filesystem::path& path, const EnglishDictionaryContent& content);

}  // namespace phonwright::data
