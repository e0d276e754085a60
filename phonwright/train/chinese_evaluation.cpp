#include "phonwright/train/chinese_evaluation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "phonwright.h"
#include "phonwright/train/english_evaluation.h"
#include "platform/code_page.h"

namespace phonwright::train {
namespace {

constexpr std::size_t kOutputRoom = 4096;

std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::istringstream in(text);
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

std::string Big5Of(const std::string& utf8) {
  return platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16(utf8)).bytes;
}

// Loads the engine and releases it however the evaluation ends.
struct EngineSession {
  explicit EngineSession(const std::filesystem::path& directory) {
    if (Text2PhonemeInit(directory.c_str()) != 1) {
      Text2PhonemeRelease();
      throw std::runtime_error("the data directory " + directory.string() + " does not load completely");
    }
  }
  ~EngineSession() { Text2PhonemeRelease(); }
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;
};

}  // namespace

ChineseScores EvaluateChineseConversion(const std::filesystem::path& dataDirectory,
                                        const std::filesystem::path& testFile) {
  std::ifstream in(testFile, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + testFile.string());
  const EngineSession engine(dataDirectory);
  ChineseScores scores;
  std::array<char, kOutputRoom> phones{};
  std::array<std::uint16_t, kOutputRoom> display{};
  std::array<char, kOutputRoom> codes{};
  std::array<char, kOutputRoom> units{};
  for (std::string line; std::getline(in, line);) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string phrase = Big5Of(line.substr(0, tab));
    const auto reference = Tokens(Big5Of(line.substr(tab + 1)));
    Text2Phoneme(phrase.c_str(), phones.data(), display.data(), codes.data(), units.data(), "Taiwan");
    const auto converted = Tokens(phones.data());
    const std::size_t distance = PhoneEditDistance(converted, reference);
    ++scores.phrases;
    scores.rightPhrases += distance == 0;
    scores.characters += reference.size();
    scores.rightCharacters += reference.size() - std::min(distance, reference.size());
    scores.unconverted += converted.empty();
  }
  return scores;
}

}  // namespace phonwright::train
