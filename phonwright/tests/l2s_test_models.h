// Small hand-made letter-to-sound model sets for the decoder tests. Symbols
// are named; their numbers follow the order in which they are first named
// (1 is the word boundary "#", 2 the reserved back-off key "^").
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "phonwright/data/l2s_model_set_writer.h"
#include "phonwright/l2s/letter_to_sound_models.h"

namespace phonwright::l2s::testing_models {

class ModelSetBuilder {
 public:
  ModelSetBuilder() {
    set_.graphemes = {"#", "^"};
    set_.phonemes = {"#", "^"};
    Candidate("#", "#");
  }

  std::uint8_t G(const std::string& name) { return Number(set_.graphemes, name); }
  std::uint8_t P(const std::string& name) { return Number(set_.phonemes, name); }

  ModelSetBuilder& Candidate(const std::string& grapheme, const std::string& phoneme) {
    G(grapheme);
    P(phoneme);
    set_.candidates.emplace_back(grapheme, phoneme);
    return *this;
  }
  // Score of a grapheme in the stage-1 unigram model (the bigram model is empty
  // unless `Bigram` is used).
  ModelSetBuilder& Unigram(const std::string& grapheme, std::int32_t score) {
    set_.stage1Unigram.Set({}, G(grapheme), score);
    return *this;
  }
  ModelSetBuilder& Bigram(const std::string& previous, const std::string& grapheme, std::int32_t score) {
    set_.stage1Bigram.Set({G(previous)}, G(grapheme), score);
    return *this;
  }
  // Stage-2 models of orders 1 to `order`, empty until scored.
  ModelSetBuilder& Stage2Order(int order) {
    set_.stage2Models.resize(static_cast<std::size_t>(order));
    for (int k = 1; k <= order; ++k) set_.stage2Models[static_cast<std::size_t>(k - 1)].contextLength = static_cast<std::size_t>(k - 1);
    return *this;
  }
  // Score of `phoneme` after the grapheme context (named, level 0 first) in
  // the stage-2 model of order context.size() + 1.
  ModelSetBuilder& Stage2(const std::vector<std::string>& context, const std::string& phoneme, std::int32_t score) {
    std::vector<std::uint8_t> numbers;
    for (const auto& name : context) numbers.push_back(G(name));
    set_.stage2Models.at(context.size()).Set(numbers, P(phoneme), score);
    return *this;
  }
  ModelSetBuilder& Backoff(const std::vector<std::string>& context, std::int32_t weight) {
    std::vector<std::uint8_t> numbers;
    for (const auto& name : context) numbers.push_back(G(name));
    set_.stage2Models.at(context.size()).Set(numbers, 2, weight);
    return *this;
  }
  ModelSetBuilder& Chunk(const std::vector<std::string>& graphemes, const std::vector<std::string>& phonemes,
                         std::uint16_t weight) {
    data::ChunkEntry entry{.graphemes = {}, .phonemes = {}, .weight = weight};
    for (const auto& name : graphemes) entry.graphemes.push_back(G(name));
    for (const auto& name : phonemes) entry.phonemes.push_back(P(name));
    set_.chunks.push_back(entry);
    return *this;
  }

  data::LetterToSoundModelSet& set() { return set_; }

  // Writes the set into `directory` and loads it.
  void WriteAndLoad(const std::filesystem::path& directory, LetterToSoundModels& models,
                    ModelFileMode mode = ModelFileMode::Mapped) {
    std::filesystem::remove_all(directory);
    data::WriteLetterToSoundModelSet(directory, set_);
    models.Load(directory, mode);
  }

 private:
  static std::uint8_t Number(std::vector<std::string>& names, const std::string& name) {
    auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) found = names.insert(names.end(), name);
    return static_cast<std::uint8_t>(found - names.begin() + 1);
  }

  data::LetterToSoundModelSet set_;
};

}  // namespace phonwright::l2s::testing_models
