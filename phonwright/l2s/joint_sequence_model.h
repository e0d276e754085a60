// The joint-sequence model: an n-gram back-off model over grapheme-phoneme
// pairs ("tokens": one or two letters read as one phoneme of P_map.txt, which
// may be the silent boundary phoneme), trained on the letter-phone alignment.
// It is the second model kind beside the window and chunk models; the
// configuration names it with <JOINT_SEQUENCE_MODEL>, and when it loads the
// decoder uses it (joint_sequence_decoder.h).
//
// File "sco/joint.jsm" (all integers little-endian, scores IEEE float log10),
// read in place from its memory map:
//   header, 28 bytes:
//     "PJSM"  magic
//     u16     version (1)
//     u8      order N, 1 to 16
//     u8      0
//     u32     token count T, 1 to 65535
//     u32     node count, at least 1
//     u32     entry count
//     u32     start state: the node after the word's opening boundary
//     u32     0
//   T tokens, 4 bytes each: {letter 1, letter 2 (0: one letter), phoneme, 0};
//     token 0 is the word boundary {0, 0, 0, 0}, the only token with letter 0.
//   nodes (histories), 16 bytes each: {u32 first entry, u32 entry count,
//     u32 suffix node (the history less its oldest token), f32 back-off weight}.
//     Node 0 is the empty history; every other node's suffix comes before it.
//   entries, 12 bytes each: {u16 token, u16 0, f32 log10 P(token | history),
//     u32 next state}: a node's entries are contiguous, tokens ascending.
//
// Loading checks the header, the size and the tokens, and touches nothing
// else of the (large) file; nodes and entries are bounded where they are
// read: a node's entries are cut at the end of the file, a suffix that does
// not come before its node and a next state beyond the nodes read as node 0,
// so a damaged file gives wrong scores, never a read outside it or an
// endless back-off walk.
//
// Scoring a token after a state: its entry in the state's node, or the node's
// back-off weight plus the score after its suffix node, down to node 0; a
// token node 0 lacks scores kUnseenTokenScore there.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/byte_order.h"

namespace phonwright::l2s {

inline constexpr const char* kJointSequenceModelFileName = "sco/joint.jsm";
inline constexpr std::size_t kJointHeaderSize = 28;
inline constexpr std::size_t kJointTokenSize = 4;
inline constexpr std::size_t kJointNodeSize = 16;
inline constexpr std::size_t kJointEntrySize = 12;
inline constexpr int kMaxJointOrder = 16;
inline constexpr std::uint16_t kJointFormatVersion = 1;
inline constexpr float kUnseenTokenScore = -20.0f;

struct JointToken {
  char letters[2];  // letters[1] is 0 for a one-letter token
  std::uint8_t phoneme;

  std::size_t letter_count() const { return letters[1] == 0 ? 1 : 2; }
};

struct JointScore {
  float score;  // log10
  std::uint32_t next;
};

struct JointNode {
  std::uint32_t firstEntry;
  std::uint32_t entryCount;
  std::uint32_t suffix;
  float backoff;
};

struct JointEntry {
  std::uint16_t token;
  float score;
  std::uint32_t next;
};

// A validated model file, read in place; the bytes must outlive the view.
class JointSequenceModel {
 public:
  int order() const { return order_; }
  std::uint32_t token_count() const { return tokenCount_; }
  std::uint32_t node_count() const { return nodeCount_; }
  std::uint32_t start_state() const { return startState_; }
  JointToken Token(std::uint32_t token) const;
  // The score of `token` after `state` and the state that follows it.
  JointScore Score(std::uint32_t state, std::uint16_t token) const;
  // The fields of a node (state) and of an entry, for walks over many tokens at once.
  JointNode Node(std::uint32_t node) const;
  JointEntry Entry(std::uint64_t entry) const;
  std::uint16_t EntryToken(std::uint64_t entry) const;
  // The first entry of `node` whose token is `token` or above.
  std::uint64_t LowerBound(const JointNode& node, std::uint16_t token) const;
  // Ask the processor to start reading a node's fields, or the middle of its
  // entries (where a search over them starts), ahead of their use: the walks
  // over the (large) file wait mostly for memory.
  void PrefetchNode(std::uint32_t node) const {
    if (node < nodeCount_) __builtin_prefetch(nodes_ + kJointNodeSize * node);
  }
  void PrefetchEntries(const JointNode& node) const {
    __builtin_prefetch(entries_ + kJointEntrySize * (node.firstEntry + node.entryCount / 2));
  }

 private:
  friend std::optional<JointSequenceModel> ParseJointSequenceModel(std::span<const std::uint8_t>, std::string&);
  const std::uint8_t* tokens_ = nullptr;
  const std::uint8_t* nodes_ = nullptr;
  const std::uint8_t* entries_ = nullptr;
  std::uint32_t tokenCount_ = 0;
  std::uint32_t nodeCount_ = 0;
  std::uint32_t entryCount_ = 0;
  std::uint32_t startState_ = 0;
  int order_ = 0;
};

inline JointToken JointSequenceModel::Token(std::uint32_t token) const {
  const std::uint8_t* p = tokens_ + kJointTokenSize * token;
  return {{static_cast<char>(p[0]), static_cast<char>(p[1])}, p[2]};
}

inline JointNode JointSequenceModel::Node(std::uint32_t node) const {
  if (node >= nodeCount_) node = 0;
  const std::uint8_t* p = nodes_ + kJointNodeSize * node;
  JointNode fields{platform::LoadLittle32(p), platform::LoadLittle32(p + 4), platform::LoadLittle32(p + 8),
                   std::bit_cast<float>(platform::LoadLittle32(p + 12))};
  if (fields.firstEntry > entryCount_) fields.firstEntry = entryCount_;
  if (fields.entryCount > entryCount_ - fields.firstEntry) fields.entryCount = entryCount_ - fields.firstEntry;
  if (fields.suffix >= node) fields.suffix = 0;
  return fields;
}

inline JointEntry JointSequenceModel::Entry(std::uint64_t entry) const {
  const std::uint8_t* p = entries_ + kJointEntrySize * entry;
  JointEntry fields{platform::LoadLittle16(p), std::bit_cast<float>(platform::LoadLittle32(p + 4)),
                    platform::LoadLittle32(p + 8)};
  if (fields.next >= nodeCount_) fields.next = 0;
  return fields;
}

inline std::uint16_t JointSequenceModel::EntryToken(std::uint64_t entry) const {
  return platform::LoadLittle16(entries_ + kJointEntrySize * entry);
}

inline std::uint64_t JointSequenceModel::LowerBound(const JointNode& node, std::uint16_t token) const {
  std::uint64_t low = node.firstEntry;
  std::uint64_t high = low + node.entryCount;  // search [low, high)
  while (low < high) {
    const std::uint64_t middle = low + (high - low) / 2;
    if (EntryToken(middle) < token)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

// Checks the header, the size and the tokens of the file. Returns nothing,
// with the reason in `error`, for a file that fails a check.
std::optional<JointSequenceModel> ParseJointSequenceModel(std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace phonwright::l2s
