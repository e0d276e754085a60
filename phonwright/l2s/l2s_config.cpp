#include "phonwright/l2s/l2s_config.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "phonwright/l2s/l2s_format.h"
#include "platform/regular_file.h"

namespace phonwright::l2s {
namespace {

struct TagRule {
  const char* tag;
  const char* missingValueMessage;
  std::size_t maxLength;
  std::string LetterToSoundConfig::*text;  // null for the two orders
  int LetterToSoundConfig::*order;
};

constexpr const char* kNoInput = "***** input file not specified *****\n";
constexpr const char* kNoOutput = "***** output file not specified *****\n";
constexpr const char* kNoOrder = "***** STAGE3_SETTING not specified *****\n";
constexpr const char* kNoChunk = "***** STAGE2_SETTING not specified *****\n";
constexpr const char* kNoJointModel = "***** joint sequence model not specified *****\n";

const TagRule kRules[] = {
    {kTagInputFile, kNoInput, kMaxConfigValueLength, &LetterToSoundConfig::inputFile, nullptr},
    {kTagOutputFile, kNoOutput, kMaxConfigValueLength, &LetterToSoundConfig::outputFile, nullptr},
    {kTagStage1Scores, kNoOutput, kMaxConfigValueLength, &LetterToSoundConfig::stage1Scores, nullptr},
    {kTagStage1Order, kNoOrder, kMaxConfigValueLength, nullptr, &LetterToSoundConfig::stage1Order},
    {kTagStage2Scores, kNoOutput, kMaxStage2StemLength, &LetterToSoundConfig::stage2Stem, nullptr},
    {kTagStage2Order, kNoOrder, kMaxConfigValueLength, nullptr, &LetterToSoundConfig::stage2Order},
    {kTagChunkDictionary, kNoChunk, kMaxConfigValueLength, &LetterToSoundConfig::chunkDictionary, nullptr},
    {kTagChunkPronunciations, kNoChunk, kMaxConfigValueLength, &LetterToSoundConfig::chunkPronunciations, nullptr},
    {kTagJointSequenceModel, kNoJointModel, kMaxConfigValueLength, &LetterToSoundConfig::jointSequenceModel, nullptr},
};

const TagRule* FindRule(std::string_view token) {
  for (const TagRule& rule : kRules)
    if (token == rule.tag) return &rule;
  return nullptr;
}

}  // namespace

bool ReadLetterToSoundConfig(const std::filesystem::path& path, LetterToSoundConfig& config) {
  // The configuration holds eight short tagged values.
  constexpr std::uint64_t kMaxConfigFileBytes = std::uint64_t{1} << 20;
  const platform::RegularFileBytes file = platform::ReadRegularFile(path, kMaxConfigFileBytes);
  std::istringstream in(file.bytes);
  if (file.error) {
    std::printf("***** open config file error *****\n");
    return false;
  }
  std::string token;
  while (in >> token) {
    const TagRule* rule = FindRule(token);
    if (rule == nullptr) continue;
    std::string value;
    if (!(in >> value)) {
      std::printf("%s", rule->missingValueMessage);
      return false;
    }
    if (value.size() > rule->maxLength) {
      std::printf("***** value of %s longer than %zu characters *****\n", rule->tag, rule->maxLength);
      return false;
    }
    if (rule->text != nullptr) {
      config.*(rule->text) = value;
      continue;
    }
    const int order = std::atoi(value.c_str());
    if (rule->order == &LetterToSoundConfig::stage2Order && (order < 0 || order > kMaxStage2Order)) {
      std::printf("***** %s must be 0 to %d *****\n", rule->tag, kMaxStage2Order);
      return false;
    }
    config.*(rule->order) = order;
  }
  return true;
}

}  // namespace phonwright::l2s
