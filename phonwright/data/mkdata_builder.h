// Builds the whole data directory from the open sources; the summary it
// returns is also written as "summary.txt" into the directory, last, so that
// its presence means the directory is complete.
#pragma once

#include <filesystem>
#include <string>

namespace phonwright::mkdata {

struct DataSources {
  std::filesystem::path chewingDirectory = "/usr/share/libchewing";
  std::filesystem::path unihanReadings = "/usr/share/unicode/Unihan_Readings.txt.bz2";
  std::filesystem::path cmuIndex;  // index.js of cmu-pronouncing-dictionary
};

// Names of the files inside the data directory.
inline constexpr const char* kEnglishDictionaryFile = "CMU40_DIC/ENG_dic_40phone_130466_20081205.bin";
inline constexpr const char* kPlainDictionaryFile = "cmudict-40.txt";
inline constexpr const char* kHeldOutPhrasesFile = "held-out-phrases.tsv";
inline constexpr const char* kSummaryFile = "summary.txt";

// Throws std::runtime_error (or std::system_error) when a source cannot be read
// or a file cannot be written.
std::string BuildDataDirectory(const DataSources& sources, const std::filesystem::path& out);

}  // namespace phonwright::mkdata
