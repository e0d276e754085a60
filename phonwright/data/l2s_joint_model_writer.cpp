#include "phonwright/data/l2s_joint_model_writer.h"

#include <bit>
#include <limits>
#include <stdexcept>

#include "phonwright/data/data_file_writer.h"
#include "phonwright/l2s/joint_sequence_model.h"

namespace phonwright::data {
namespace {

constexpr std::size_t kMaxCount = std::numeric_limits<std::uint32_t>::max();

}  // namespace

std::string EncodeJointSequenceModel(const JointSequenceModelContent& content) {
  if (content.order < 1 || content.order > l2s::kMaxJointOrder) throw std::invalid_argument("joint model order");
  if (content.tokens.empty() || content.tokens.size() > 65535 || content.nodes.empty() ||
      content.nodes.size() > kMaxCount || content.entries.size() > kMaxCount)
    throw std::invalid_argument("joint model counts");
  std::string out = "PJSM";
  AppendLittle16(out, l2s::kJointFormatVersion);
  out += static_cast<char>(content.order);
  out += '\0';
  AppendLittle32(out, static_cast<std::uint32_t>(content.tokens.size()));
  AppendLittle32(out, static_cast<std::uint32_t>(content.nodes.size()));
  AppendLittle32(out, static_cast<std::uint32_t>(content.entries.size()));
  AppendLittle32(out, content.startState);
  AppendLittle32(out, 0);
  for (std::size_t t = 0; t < content.tokens.size(); ++t) {
    const auto& token = content.tokens[t];
    if ((t == 0) != token.letters.empty() || token.letters.size() > 2 ||
        token.letters.find('\0') != std::string::npos || (t > 0 && token.phoneme == 0))
      throw std::invalid_argument("joint model token " + std::to_string(t));
    out += token.letters.empty() ? '\0' : token.letters[0];
    out += token.letters.size() == 2 ? token.letters[1] : '\0';
    out += static_cast<char>(token.phoneme);
    out += '\0';
  }
  std::uint64_t firstEntry = 0;
  for (const auto& node : content.nodes) {
    AppendLittle32(out, static_cast<std::uint32_t>(firstEntry));
    AppendLittle32(out, node.entryCount);
    AppendLittle32(out, node.suffix);
    AppendLittle32(out, std::bit_cast<std::uint32_t>(node.backoff));
    firstEntry += node.entryCount;
  }
  if (firstEntry != content.entries.size()) throw std::invalid_argument("joint model entry counts");
  for (const auto& entry : content.entries) {
    AppendLittle16(out, entry.token);
    AppendLittle16(out, 0);
    AppendLittle32(out, std::bit_cast<std::uint32_t>(entry.score));
    AppendLittle32(out, entry.next);
  }
  return out;
}

void WriteJointSequenceModel(const std::filesystem::path& path, const JointSequenceModelContent& content) {
  WriteDataFile(path, EncodeJointSequenceModel(content));
}

}  // namespace phonwright::data
