// Time to build the download image of the largest workspace: 64 command files
// of 2000 sentences each, Chinese and English files alternating, converted by
// the real engine from the data directory <build>/fastt2p.
//
// The sentences are as long as a full group allows (16384 bytes for 2000
// sentences: two syllables or up to four English units each), and no sentence
// appears twice in the workspace, so every conversion is new:
//   Chinese: the two-character words of the segmentation dictionary
//            "CDIC.dic", then pairs of its single characters;
//   English: the dictionary words of up to four phones ("cmudict-40.txt"),
//            then hyphenated pairs of two-phone words ("go-up").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "phonwright.h"
#include "platform/code_page.h"
#include "quillon/recognition/download_package.h"
#include "quillon/recognition/phonwright_sentence_converter.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 64;
constexpr int kSentences = 2000;
constexpr std::size_t kSentencesPerLanguage = kFiles / 2 * kSentences;

// Two-character Chinese sentences (Big5) from the lines "word class count codes...".
std::vector<std::string> ChineseSentences(const fs::path& segmentationDictionary) {
  std::ifstream in(segmentationDictionary, std::ios::binary);
  std::vector<std::string> words;
  std::vector<std::string> characters;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string word, kind;
    int syllables = 0;
    if (!(fields >> word >> kind >> syllables) || kind == "DIGIT") continue;
    if (syllables == 2 && word.size() == 4) words.push_back(word);
    if (syllables == 1 && word.size() == 2) characters.push_back(word);
  }
  std::unordered_set<std::string> seen(words.begin(), words.end());
  for (std::size_t i = 0; words.size() < kSentencesPerLanguage && i < characters.size(); ++i) {
    for (std::size_t j = 0; words.size() < kSentencesPerLanguage && j < characters.size(); j += 97) {
      std::string pair = characters[i] + characters[(i + j + 1) % characters.size()];
      if (seen.insert(pair).second) words.push_back(std::move(pair));
    }
  }
  words.resize(std::min(words.size(), kSentencesPerLanguage));
  return words;
}

// English sentences of at most four phones from the lines "WORD<TAB>phones".
std::vector<std::string> EnglishSentences(const fs::path& pronunciations) {
  std::ifstream in(pronunciations);
  std::vector<std::string> sentences;
  std::vector<std::string> twoPhoneWords;
  std::unordered_set<std::string> seen;
  for (std::string line; std::getline(in, line);) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string word = line.substr(0, tab);
    if (word.size() < 2 || word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos) continue;
    if (!seen.insert(word).second) continue;  // a later pronunciation of the same word
    std::istringstream phones(line.substr(tab + 1));
    std::size_t count = 0;
    for (std::string phone; phones >> phone;) ++count;
    if (count <= 4) sentences.push_back(word);
    if (count == 2) twoPhoneWords.push_back(word);
  }
  for (std::size_t i = 0; sentences.size() < kSentencesPerLanguage && i < twoPhoneWords.size(); ++i) {
    for (std::size_t j = i + 1; sentences.size() < kSentencesPerLanguage && j < twoPhoneWords.size(); ++j) {
      sentences.push_back(twoPhoneWords[i] + "-" + twoPhoneWords[j]);
    }
  }
  return sentences;
}

struct LargestWorkspace {
  fs::path root;
  std::optional<WorkingDirectory> directory;
  FirmwareImageSet firmware;
  AsrSettings asr;
  VoiceFileList voices;
  std::string problem;

  ~LargestWorkspace() {
    if (root.empty()) return;
    Text2PhonemeRelease();
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(root, ignored);
  }
};

void WriteCommandFiles(LargestWorkspace& ws, const std::vector<std::string>& chinese,
                       const std::vector<std::string>& english) {
  for (int file = 0; file < kFiles; ++file) {
    const std::vector<std::string>& sentences = file % 2 == 0 ? chinese : english;
    std::string text;
    for (int i = 0; i < kSentences; ++i) {
      text += std::to_string(i + 1) + " " + sentences[static_cast<std::size_t>(file / 2 * kSentences + i)] + "\r\n";
    }
    const std::string name = "g" + std::to_string(file) + ".txt";
    std::ofstream(ws.root / "cmd" / name, std::ios::binary) << text;
    ws.asr.files[static_cast<std::size_t>(file)] = AsrFileEntry{file, WidePath(platform::Utf8ToUtf16("\\cmd\\" + name))};
  }
  ws.asr.count = kFiles;
}

LargestWorkspace& Workspace() {
  static LargestWorkspace workspace = [] {
    LargestWorkspace ws;
    const fs::path data = fs::path(PROJECT_BINARY_DIR) / "fastt2p";
    const std::vector<std::string> chinese = ChineseSentences(data / "CDIC.dic");
    const std::vector<std::string> english = EnglishSentences(data / "cmudict-40.txt");
    if (chinese.size() < kSentencesPerLanguage || english.size() < kSentencesPerLanguage) {
      ws.problem = "too few sentences in the data directory " + data.string() + " (build it first)";
      return ws;
    }
    ws.root = fs::temp_directory_path() / ("quillon_image_bench_" + std::to_string(::getpid()));
    fs::create_directories(ws.root / "cmd");
    fs::create_directories(ws.root / "fw");
    std::ofstream(ws.root / "fw/mcu.bin", std::ios::binary) << std::string(0x4000, 'M');
    std::ofstream(ws.root / "fw/dsp.bin", std::ios::binary) << std::string(0x20000, 'D');
    ws.firmware.mcuImagePath = u"\\fw\\mcu.bin";
    ws.firmware.dspImagePath = u"\\fw\\dsp.bin";
    ws.asr.lingualType = 1;
    ws.asr.primaryLanguage = 0;
    ws.asr.secondaryLanguage = 1;
    WriteCommandFiles(ws, chinese, english);

    // Laid out as the program runs: the data directory "fastt2p/" in the
    // working directory, which also receives the engine's scratch files.
    fs::create_directory_symlink(data, ws.root / "fastt2p");
    fs::current_path(ws.root);
    ws.directory = WorkingDirectory::FromPath(ws.root);
    if (Text2PhonemeInit("fastt2p/") != 1) ws.problem = "the engine cannot load " + data.string();
    return ws;
  }();
  return workspace;
}

void BM_BuildLargestImage(benchmark::State& state) {
  LargestWorkspace& ws = Workspace();
  if (!ws.problem.empty()) {
    state.SkipWithError(ws.problem.c_str());
    return;
  }
  PhonwrightSentenceConverter engine;
  std::size_t bytes = 0;
  for (auto _ : state) {
    PackageEntryTable table;
    RecordingMessageSink messages;
    const DownloadPackage package = BuildDownloadPackage(
        PackageInputs{*ws.directory, ws.firmware, ws.asr, ws.voices, platform::kLangEnglishUs}, table, engine,
        messages);
    if (package.code != 0) {
      state.SkipWithError(("package code " + std::to_string(package.code)).c_str());
      return;
    }
    bytes = package.bytes.size();
    benchmark::DoNotOptimize(package.bytes.data());
  }
  state.counters["image_bytes"] = static_cast<double>(bytes);
  state.counters["sentences"] = kFiles * kSentences;
}
BENCHMARK(BM_BuildLargestImage)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace quillon

BENCHMARK_MAIN();
