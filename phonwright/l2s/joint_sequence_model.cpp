#include "phonwright/l2s/joint_sequence_model.h"

#include <bit>
#include <cstring>

#include "platform/byte_order.h"

namespace phonwright::l2s {

JointScore JointSequenceModel::Score(std::uint32_t state, std::uint16_t token) const {
  float backoff = 0.0f;
  for (;;) {
    const JointNode node = Node(state);
    const std::uint64_t at = LowerBound(node, token);
    if (at < std::uint64_t{node.firstEntry} + node.entryCount && EntryToken(at) == token) {
      const JointEntry entry = Entry(at);
      return {backoff + entry.score, entry.next};
    }
    if (state == 0) return {backoff + kUnseenTokenScore, 0};
    backoff += node.backoff;
    state = node.suffix;
  }
}

std::optional<JointSequenceModel> ParseJointSequenceModel(std::span<const std::uint8_t> bytes, std::string& error) {
  const auto fail = [&](const char* reason) {
    error = reason;
    return std::nullopt;
  };
  if (bytes.size() < kJointHeaderSize) return fail("shorter than its header");
  const std::uint8_t* h = bytes.data();
  if (std::memcmp(h, "PJSM", 4) != 0) return fail("not a joint-sequence model");
  if (platform::LoadLittle16(h + 4) != kJointFormatVersion) return fail("unknown version");
  JointSequenceModel model;
  model.order_ = h[6];
  model.tokenCount_ = platform::LoadLittle32(h + 8);
  model.nodeCount_ = platform::LoadLittle32(h + 12);
  const std::uint32_t entryCount = platform::LoadLittle32(h + 16);
  model.startState_ = platform::LoadLittle32(h + 20);
  if (model.order_ < 1 || model.order_ > kMaxJointOrder) return fail("order not 1 to 16");
  if (model.tokenCount_ < 1 || model.tokenCount_ > 65535) return fail("token count");
  if (model.nodeCount_ < 1 || model.startState_ >= model.nodeCount_)
    return fail("node count or start state");
  const std::uint64_t size = kJointHeaderSize + std::uint64_t{kJointTokenSize} * model.tokenCount_ +
                             std::uint64_t{kJointNodeSize} * model.nodeCount_ +
                             std::uint64_t{kJointEntrySize} * entryCount;
  if (size != bytes.size()) return fail("size does not match its counts");
  model.tokens_ = h + kJointHeaderSize;
  model.nodes_ = model.tokens_ + kJointTokenSize * model.tokenCount_;
  model.entries_ = model.nodes_ + kJointNodeSize * model.nodeCount_;

  for (std::uint32_t t = 0; t < model.tokenCount_; ++t) {
    const JointToken token = model.Token(t);
    const bool boundary = t == 0;
    if (boundary != (token.letters[0] == 0) || (boundary && (token.letters[1] != 0 || token.phoneme != 0)) ||
        (!boundary && token.phoneme == 0))
      return fail("a token's letters or phoneme");
  }
  model.entryCount_ = entryCount;
  return model;
}

}  // namespace phonwright::l2s
