#include "phonwright/l2s/letter_to_sound_models.h"

#include <cstdio>

#include "phonwright/l2s/l2s_format.h"
#include "phonwright/l2s/score_model.h"

namespace phonwright::l2s {

bool LetterToSoundModels::Load(const std::filesystem::path& dataDirectory, ModelFileMode mode) {
  Release();
  if (dataDirectory.native().size() > kMaxDataDirectoryLength) {
    std::printf("***** data directory longer than %zu characters *****\n", kMaxDataDirectoryLength);
    return false;
  }
  files_ = MakeModelFileAccess(mode, dataDirectory);
  if (!ReadLetterToSoundConfig(dataDirectory / kConfigFileName, config_)) return false;
  for (int k = 1; k <= config_.stage2Order; ++k) stage2Names_.push_back(config_.stage2Stem + "." + std::to_string(k));

  loaded_ = LoadSymbolInventory(dataDirectory, kGraphemeMapFileName, kMaxGraphemes, graphemes_) &&
            LoadSymbolInventory(dataDirectory, kPhonemeMapFileName, kMaxPhonemes, phonemes_) &&
            LoadCandidateTable(dataDirectory, graphemes_, phonemes_, candidates_);
  if (!loaded_) {
    Release();
    return false;
  }
  if (!config_.jointSequenceModel.empty()) LoadJointSequenceModel(dataDirectory);
  return true;
}

void LetterToSoundModels::LoadJointSequenceModel(const std::filesystem::path& dataDirectory) {
  const char* name = config_.jointSequenceModel.c_str();
  if (!jointFile_.Open(dataDirectory / config_.jointSequenceModel)) {
    std::printf("***** open %s error; decoding without it *****\n", name);
    return;
  }
  std::string error;
  auto model = ParseJointSequenceModel(jointFile_.bytes(), error);
  for (std::uint32_t t = 1; model && error.empty() && t < model->token_count(); ++t) {
    const std::uint8_t phoneme = model->Token(t).phoneme;
    if (phoneme >= phonemes_.names.size() || phonemes_.names[phoneme].empty())
      error = "a token's phoneme is not in P_map.txt";
  }
  if (!model || !error.empty()) {
    std::printf("***** %s: %s; decoding without it *****\n", name, error.c_str());
    jointFile_.Close();
    return;
  }
  joint_ = std::move(model);
  jointDecoder_ = std::make_unique<JointSequenceDecoder>(*joint_);
}

void LetterToSoundModels::Release() {
  graphemes_ = {};
  phonemes_ = {};
  candidates_.clear();
  stage2Names_.clear();
  files_.reset();
  jointDecoder_.reset();
  joint_.reset();
  jointFile_.Close();
  backoffWeight_ = 0;
  loaded_ = false;
}

std::span<const std::uint8_t> LetterToSoundModels::Candidates(std::uint8_t grapheme) const {
  if (grapheme >= candidates_.size()) return {};
  return candidates_[grapheme];
}

std::int32_t LetterToSoundModels::QueryScore(std::span<const std::uint8_t> context, std::uint8_t key,
                                            const std::string& fileName) {
  if (!files_) return kAbsentScore;
  return QueryScoreModel(*files_, context, key, fileName, backoffWeight_);
}

}  // namespace phonwright::l2s
