// Writes a complete set of letter-to-sound models into a data directory: the
// configuration, the three maps, the two stage-1 models, the stage-2 models
// of orders 1 to N and the chunk files, under the names the configuration
// gives, and the joint-sequence model when the set has one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "phonwright/data/l2s_chunk_writer.h"
#include "phonwright/data/l2s_joint_model_writer.h"
#include "phonwright/data/l2s_score_model_writer.h"
#include "phonwright/l2s/l2s_config.h"

namespace phonwright::data {

struct LetterToSoundModelSet {
  // stage2Order is taken from stage2Models; the other fields name the files.
  l2s::LetterToSoundConfig config{.inputFile = "-",
                                  .outputFile = "-",
                                  .stage1Scores = "sco/stage1/bkf.sp",
                                  .stage1Order = 2,
                                  .stage2Stem = "sco/stage2/bkf.sp",
                                  .stage2Order = 0,
                                  .chunkDictionary = "sco/chunk.dic",
                                  .chunkPronunciations = "sco/chunk.sco",
                                  .jointSequenceModel = ""};
  std::vector<std::string> graphemes;  // line 1 is the word boundary
  std::vector<std::string> phonemes;   // line 1 is the word boundary
  std::vector<std::pair<std::string, std::string>> candidates;  // GP_map.txt lines in order
  ScoreModelContent stage1Bigram{.contextLength = 1, .leaves = {}};  // sco/stage1/bkf.sp.2
  ScoreModelContent stage1Unigram;                                   // sco/stage1/bkf.sp.1
  std::vector<ScoreModelContent> stage2Models;  // [k - 1] is the model of order k
  std::vector<ChunkEntry> chunks;
  // Written to sco/joint.jsm and named in the configuration when present.
  std::optional<JointSequenceModelContent> joint;
};

// Throws std::invalid_argument for content the formats cannot hold and
// std::system_error when a file cannot be written.
void WriteLetterToSoundModelSet(const std::filesystem::path& dataDirectory, const LetterToSoundModelSet& set);

}  // namespace phonwright::data
