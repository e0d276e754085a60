// Writes the joint-sequence model file (layout in
// phonwright/l2s/joint_sequence_model.h), read by ParseJointSequenceModel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace phonwright::data {

struct JointSequenceModelContent {
  struct Token {
    std::string letters;  // one or two letters; empty for token 0, the word boundary
    std::uint8_t phoneme = 0;
  };
  struct Node {
    std::uint32_t suffix = 0;
    float backoff = 0.0f;  // log10
    std::uint32_t entryCount = 0;  // its entries follow those of the nodes before it
  };
  struct Entry {
    std::uint16_t token = 0;
    float score = 0.0f;  // log10 P(token | node's history)
    std::uint32_t next = 0;
  };
  int order = 1;
  std::uint32_t startState = 0;
  std::vector<Token> tokens;
  std::vector<Node> nodes;
  std::vector<Entry> entries;
};

// Returns the file's bytes. Throws std::invalid_argument for content the
// format cannot hold (counts, letters, entry counts that do not add up).
std::string EncodeJointSequenceModel(const JointSequenceModelContent& content);

void WriteJointSequenceModel(const std::filesystem::path& path, const JointSequenceModelContent& content);

}  // namespace phonwright::data
