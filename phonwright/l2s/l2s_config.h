// The letter-to-sound configuration "T2P_config.txt": eight tagged values,
// read as tokens separated by white space (tags in l2s_format.h).
#pragma once

#include <filesystem>
#include <string>

namespace phonwright::l2s {

struct LetterToSoundConfig {
  std::string inputFile;            // <INPUT_FILE>: kept, not used by the engine
  std::string outputFile;           // <OUTPUT_FILE>: kept, not used
  std::string stage1Scores;         // <STAGE1_SCOFN>: kept; stage 1 uses the fixed names
  int stage1Order = 0;              // <STAGE1_NGRAM>: kept, not used
  std::string stage2Stem;           // <STAGE2_SCOFN>: model of order k is "<stem>.<k>"
  int stage2Order = 0;              // <STAGE2_NGRAM>: highest stage-2 order N
  std::string chunkDictionary;      // <CHUNK_DIC>
  std::string chunkPronunciations;  // <CHUNK_SCO>
  std::string jointSequenceModel;   // <JOINT_SEQUENCE_MODEL>: empty when the models have none

  bool operator==(const LetterToSoundConfig&) const = default;
};

// Reads the configuration at `path` into `config`. A tag may repeat (the last
// value wins) and none is compulsory; other tokens are skipped. Returns false
// after printing the engine's message on standard output when the file cannot
// be opened ("***** open config file error *****"), when a tag has no value
// (one message per tag family), or when a value is longer than the model set
// holds (49 characters, the stage-2 stem 47) or an order is not 0 to 11.
bool ReadLetterToSoundConfig(const std::filesystem::path& path, LetterToSoundConfig& config);

}  // namespace phonwright::l2s
