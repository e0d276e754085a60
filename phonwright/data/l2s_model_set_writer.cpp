#include "phonwright/data/l2s_model_set_writer.h"

#include <stdexcept>

#include "phonwright/data/data_file_writer.h"
#include "phonwright/data/l2s_map_writer.h"
#include "phonwright/l2s/joint_sequence_model.h"
#include "phonwright/l2s/l2s_format.h"

namespace phonwright::data {

void WriteLetterToSoundModelSet(const std::filesystem::path& dataDirectory, const LetterToSoundModelSet& set) {
  if (set.stage2Models.size() > static_cast<std::size_t>(l2s::kMaxStage2Order))
    throw std::invalid_argument("more stage-2 orders than the decoder uses");
  l2s::LetterToSoundConfig config = set.config;
  config.stage2Order = static_cast<int>(set.stage2Models.size());
  config.jointSequenceModel = set.joint ? l2s::kJointSequenceModelFileName : "";

  WriteDataFile(dataDirectory / l2s::kConfigFileName, EncodeLetterToSoundConfig(config));
  WriteDataFile(dataDirectory / l2s::kGraphemeMapFileName,
                EncodeSymbolMap(set.graphemes, static_cast<std::size_t>(l2s::kMaxGraphemes)));
  WriteDataFile(dataDirectory / l2s::kPhonemeMapFileName,
                EncodeSymbolMap(set.phonemes, static_cast<std::size_t>(l2s::kMaxPhonemes)));
  WriteDataFile(dataDirectory / l2s::kCandidateMapFileName, EncodeCandidateMap(set.candidates));
  WriteScoreModel(dataDirectory / l2s::kStage1BigramFileName, set.stage1Bigram);
  WriteScoreModel(dataDirectory / l2s::kStage1UnigramFileName, set.stage1Unigram);
  for (std::size_t k = 1; k <= set.stage2Models.size(); ++k)
    WriteScoreModel(dataDirectory / (config.stage2Stem + "." + std::to_string(k)), set.stage2Models[k - 1]);
  WriteChunks(dataDirectory / config.chunkDictionary, dataDirectory / config.chunkPronunciations, set.chunks);
  if (set.joint) WriteJointSequenceModel(dataDirectory / config.jointSequenceModel, *set.joint);
}

}  // namespace phonwright::data
