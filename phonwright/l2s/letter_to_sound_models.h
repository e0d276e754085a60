// The letter-to-sound model set of one engine: configuration, grapheme and
// phoneme inventories, candidate lists, and access to the binary score and
// chunk files, which stay on disk and are read by the queries.
//
// Usage: Load(dataDirectory) once (the engine ignores its result; the decoder
// then yields nothing for every word while the maps are not loaded), decode
// with LetterToSound (letter_to_sound.h), Release() at the end. Not
// thread-safe: the queries keep the back-off weight of the latest one, and the
// joint-sequence decoder its buffers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "phonwright/l2s/joint_sequence_decoder.h"
#include "phonwright/l2s/joint_sequence_model.h"
#include "phonwright/l2s/l2s_config.h"
#include "phonwright/l2s/model_file_access.h"
#include "phonwright/l2s/symbol_maps.h"
#include "platform/mapped_file.h"

namespace phonwright::l2s {

class LetterToSoundModels {
 public:
  // Weight of the phoneme-choice score against the hypothesis score, in thousandths.
  static constexpr int kCombinationWeight = 95;
  static constexpr std::size_t kMaxDataDirectoryLength = 511;

  // Reads T2P_config.txt, G_map.txt, P_map.txt and GP_map.txt of
  // `dataDirectory`. Returns true when the configuration was read to its end
  // and every map loaded. Every failure prints its message on standard output
  // and leaves the maps unloaded (a missing map file does not end the process).
  // A joint-sequence model named by the configuration that cannot be read or
  // fails its checks is reported and left out; the other models then decode.
  bool Load(const std::filesystem::path& dataDirectory, ModelFileMode mode = ModelFileMode::Mapped);
  void Release();

  bool is_loaded() const { return loaded_; }
  const LetterToSoundConfig& config() const { return config_; }
  const SymbolInventory& graphemes() const { return graphemes_; }
  const SymbolInventory& phonemes() const { return phonemes_; }
  // Candidate phonemes of a grapheme, the last GP_map.txt line first.
  std::span<const std::uint8_t> Candidates(std::uint8_t grapheme) const;
  // Name of the stage-2 model of order k ("<stem>.<k>"), 1 <= k <= stage2Order.
  const std::string& Stage2ModelName(int order) const { return stage2Names_[static_cast<std::size_t>(order - 1)]; }

  // QueryScoreModel (score_model.h) against these models' files and back-off weight.
  std::int32_t QueryScore(std::span<const std::uint8_t> context, std::uint8_t key, const std::string& fileName);
  std::int32_t backoff_weight() const { return backoffWeight_; }
  void set_backoff_weight(std::int32_t weight) { backoffWeight_ = weight; }

  ModelFileAccess& files() { return *files_; }

  // The joint-sequence model and its decoder, or null when the models have none.
  const JointSequenceModel* joint_model() const { return joint_ ? &*joint_ : nullptr; }
  JointSequenceDecoder* joint_decoder() { return jointDecoder_.get(); }

 private:
  void LoadJointSequenceModel(const std::filesystem::path& dataDirectory);

  LetterToSoundConfig config_;
  SymbolInventory graphemes_;
  SymbolInventory phonemes_;
  CandidateTable candidates_;
  std::vector<std::string> stage2Names_;
  std::unique_ptr<ModelFileAccess> files_;
  platform::MappedFile jointFile_;
  std::optional<JointSequenceModel> joint_;
  std::unique_ptr<JointSequenceDecoder> jointDecoder_;
  std::int32_t backoffWeight_ = 0;
  bool loaded_ = false;
};

}  // namespace phonwright::l2s
