#include "phonwright/data/l2s_map_writer.h"

#include <stdexcept>

#include "phonwright/l2s/l2s_format.h"

namespace phonwright::data {
namespace {

// A phoneme may stand for several phones ("K S"), so a name may hold single
// inner blanks; it never starts or ends with one and never holds a tab or a
// line break, which the map lines use.
void CheckName(const std::string& name) {
  if (name.empty() || name.size() > l2s::kMaxSymbolNameLength || name.front() == ' ' || name.back() == ' ' ||
      name.find("  ") != std::string::npos || name.find_first_of("\t\r\n") != std::string::npos)
    throw std::invalid_argument("symbol name must have 1 to 8 characters without outer blanks: \"" + name + "\"");
}

void AppendTag(std::string& out, const char* tag, const std::string& value, std::size_t maxLength) {
  const std::string written = value.empty() ? "-" : value;
  if (written.size() > maxLength || written.find_first_of(" \t\r\n") != std::string::npos)
    throw std::invalid_argument(std::string("configuration value of ") + tag + " is too long or has blanks");
  out += tag;
  out += ' ';
  out += written;
  out += '\n';
}

}  // namespace

std::string EncodeSymbolMap(const std::vector<std::string>& symbols, std::size_t maxSymbols) {
  if (symbols.size() > maxSymbols) throw std::invalid_argument("too many symbols for the map");
  std::string out;
  for (const std::string& symbol : symbols) {
    CheckName(symbol);
    out += symbol;
    out += '\n';
  }
  return out;
}

std::string EncodeCandidateMap(const std::vector<std::pair<std::string, std::string>>& candidates) {
  std::string out;
  for (const auto& [grapheme, phoneme] : candidates) {
    CheckName(grapheme);
    CheckName(phoneme);
    out += grapheme;
    out += '\t';
    out += phoneme;
    out += '\n';
  }
  return out;
}

std::string EncodeLetterToSoundConfig(const l2s::LetterToSoundConfig& config) {
  std::string out;
  AppendTag(out, l2s::kTagInputFile, config.inputFile, l2s::kMaxConfigValueLength);
  AppendTag(out, l2s::kTagOutputFile, config.outputFile, l2s::kMaxConfigValueLength);
  AppendTag(out, l2s::kTagStage1Scores, config.stage1Scores, l2s::kMaxConfigValueLength);
  AppendTag(out, l2s::kTagStage1Order, std::to_string(config.stage1Order), l2s::kMaxConfigValueLength);
  AppendTag(out, l2s::kTagStage2Scores, config.stage2Stem, l2s::kMaxStage2StemLength);
  AppendTag(out, l2s::kTagStage2Order, std::to_string(config.stage2Order), l2s::kMaxConfigValueLength);
  AppendTag(out, l2s::kTagChunkDictionary, config.chunkDictionary, l2s::kMaxConfigValueLength);
  AppendTag(out, l2s::kTagChunkPronunciations, config.chunkPronunciations, l2s::kMaxConfigValueLength);
  if (!config.jointSequenceModel.empty())
    AppendTag(out, l2s::kTagJointSequenceModel, config.jointSequenceModel, l2s::kMaxConfigValueLength);
  return out;
}

}  // namespace phonwright::data
