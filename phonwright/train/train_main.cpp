// phonwright-train: trains the letter-to-sound models from a plain dictionary.
//
// Usage: phonwright-train --dict FILE --out DIR [--order N] [--test-every K]
//   --dict        "WORD<TAB>PH PH ..." lines (cmudict-40.txt of phonwright-mkdata)
//   --out         data directory to write the models into
//   --order       stage-2 window order, 1 to 11 (default 7)
//   --test-every  hold every K-th word out of training and write the held-out
//                 words to DIR/l2s-test.txt for phonwright-eval (default 0: train on all)
// Exit codes: 0 done, 1 the dictionary could not be read or a model not written, 2 bad usage.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "phonwright/data/l2s_model_set_writer.h"
#include "phonwright/train/letter_to_sound_training.h"
#include "phonwright/train/plain_dictionary.h"
#include "platform/atomic_file.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr const char* kTestFileName = "l2s-test.txt";

void PrintUsage(std::FILE* to) {
  std::fputs(
      "Usage: phonwright-train --dict FILE --out DIR [--order N] [--test-every K]\n"
      "Trains the letter-to-sound models; with --test-every K every K-th word is held out\n"
      "and written to DIR/l2s-test.txt.\n"
      "Exit codes: 0 done, 1 the dictionary could not be read or a model not written, 2 bad usage.\n",
      to);
}

std::string FormatEntries(const std::vector<phonwright::train::DictionaryEntry>& entries) {
  std::string text;
  for (const auto& entry : entries) {
    text += entry.word + '\t';
    for (std::size_t i = 0; i < entry.phones.size(); ++i) text += (i ? " " : "") + entry.phones[i];
    text += '\n';
  }
  return text;
}

bool ParseNumber(const char* text, long low, long high, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && value >= low && value <= high;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path dictionaryPath;
  std::filesystem::path out;
  phonwright::train::TrainingOptions options;
  long testEvery = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "-h" || option == "--help") {
      PrintUsage(stdout);
      return kExitDone;
    }
    long number = 0;
    if (i + 1 >= argc) {
      PrintUsage(stderr);
      return kExitUsage;
    }
    const char* value = argv[++i];
    if (option == "--dict") dictionaryPath = value;
    else if (option == "--out") out = value;
    else if (option == "--order" && ParseNumber(value, 1, 11, number)) options.order = static_cast<int>(number);
    else if (option == "--test-every" && ParseNumber(value, 0, 1000000, number)) testEvery = number;
    else {
      PrintUsage(stderr);
      return kExitUsage;
    }
  }
  if (dictionaryPath.empty() || out.empty()) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    const auto split = phonwright::train::SplitForTest(phonwright::train::ReadPlainDictionary(dictionaryPath),
                                                       static_cast<std::size_t>(testEvery));
    phonwright::train::TrainingReport report;
    const auto models = phonwright::train::TrainLetterToSound(split.training, options, report);
    phonwright::data::WriteLetterToSoundModelSet(out, models);
    if (testEvery > 0) {
      if (const auto error = platform::WriteFileAtomically(out / kTestFileName, FormatEntries(split.test)))
        throw std::system_error(error, "cannot write " + (out / kTestFileName).string());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("trained on %zu pronunciations (%zu words unusable, %zu not aligned), %zu held out\n",
                report.examples, report.unusableWords, report.unalignedExamples, split.test.size());
    std::printf("graphemes %zu, phonemes %zu, candidates %zu, chunks %zu\n", report.graphemes, report.phonemes,
                report.candidates, report.chunks);
    std::printf("stage-2 contexts per order:");
    for (const auto contexts : report.contextsPerOrder) std::printf(" %zu", contexts);
    std::printf("\n%.1f s\n", seconds);
    return kExitDone;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "phonwright-train: %s\n", error.what());
    return kExitFailed;
  }
}
