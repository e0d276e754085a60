// phonwright-train: trains the letter-to-sound models from a plain dictionary.
//
// See kUsage (--help).
#include <array>
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
#include "platform/command_line.h"

namespace {

constexpr const char* kTestFileName = "l2s-test.txt";

constexpr std::string_view kUsage =
    "Usage: phonwright-train --dict FILE --out DIR [--order N] [--joint-order N]\n"
    "                        [--joint-min-count C] [--test-every K] [-q]\n"
    "Trains the letter-to-sound models: the window and chunk models and the joint-sequence\n"
    "model, which the decoder uses when present; with --test-every K every K-th word is\n"
    "held out and written to DIR/l2s-test.txt.\n"
    "\n"
    "Options (--name=value works too):\n"
    "  --dict FILE       \"WORD<TAB>PH PH ...\" lines (cmudict-40.txt of phonwright-mkdata)\n"
    "  --out DIR         data directory to write the models into (created when missing)\n"
    "  --order N         stage-2 window order, 1 to 11 (default 7)\n"
    "  --joint-order N   order of the joint-sequence model, 1 to 16 (default 8); 0 writes\n"
    "                    none, so that the window and chunk models decode\n"
    "  --joint-min-count C  n-grams of order 4 and above seen fewer than C times are left\n"
    "                    out of the joint-sequence model (default 1: all kept)\n"
    "  --test-every K    hold every K-th word out of training and write the held-out\n"
    "                    words to DIR/l2s-test.txt for phonwright-eval (default 0: train on all)\n"
    "  -q, --quiet       no report of the training\n"
    "  -v, --verbose     accepted; prints nothing more\n"
    "  -h, --help        this text\n"
    "  --version         the version\n"
    "\n"
    "Exit codes: 0 done, 1 the dictionary could not be read or a model not written, 2 bad usage.\n";

constexpr std::array kOptions = {
    platform::OptionSpec{"--dict", "", true},
    platform::OptionSpec{"--out", "", true},
    platform::OptionSpec{"--order", "", true},
    platform::OptionSpec{"--joint-order", "", true},
    platform::OptionSpec{"--joint-min-count", "", true},
    platform::OptionSpec{"--test-every", "", true},
};

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
  constexpr std::string_view kProgram = "phonwright-train";
  const platform::ProgramCommandLine parsed = platform::ParseProgramCommandLine(kProgram, kUsage, argc, argv, kOptions);
  if (parsed.exitCode) return *parsed.exitCode;
  const platform::ParsedCommandLine& line = parsed.line;
  if (!line.arguments.empty()) return platform::UsageError(kProgram, "unexpected argument " + line.arguments.front(), kUsage);
  const auto dictionary = line.Value("--dict");
  const auto outArgument = line.Value("--out");
  if (!dictionary || !outArgument) return platform::UsageError(kProgram, "--dict and --out are needed", kUsage);
  const std::filesystem::path dictionaryPath = *dictionary;
  const std::filesystem::path out = *outArgument;
  phonwright::train::TrainingOptions options;
  long number = 0;
  if (const auto order = line.Value("--order")) {
    if (!ParseNumber(order->c_str(), 1, 11, number)) return platform::UsageError(kProgram, "--order is 1 to 11", kUsage);
    options.order = static_cast<int>(number);
  }
  long testEvery = 0;
  if (const auto every = line.Value("--test-every")) {
    if (!ParseNumber(every->c_str(), 0, 1000000, number))
      return platform::UsageError(kProgram, "--test-every is 0 to 1000000", kUsage);
    testEvery = number;
  }
  long jointOrder = options.joint.order;
  if (const auto order = line.Value("--joint-order")) {
    if (!ParseNumber(order->c_str(), 0, 16, number))
      return platform::UsageError(kProgram, "--joint-order is 0 to 16", kUsage);
    jointOrder = number;
  }
  if (const auto minCount = line.Value("--joint-min-count")) {
    if (!ParseNumber(minCount->c_str(), 1, 1000000, number))
      return platform::UsageError(kProgram, "--joint-min-count is 1 to 1000000", kUsage);
    options.joint.minCount = static_cast<std::uint32_t>(number);
  }
  // Training takes a while: the output folder is checked first.
  if (const std::string problem = platform::OutputFolderProblem(out); !problem.empty()) {
    std::fprintf(stderr, "phonwright-train: cannot write %s: %s\n", out.c_str(), problem.c_str());
    return platform::kExitFailure;
  }
  const bool quiet = line.Has("--quiet");
  options.jointSequenceModel = jointOrder > 0;
  if (jointOrder > 0) options.joint.order = static_cast<int>(jointOrder);
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
    if (quiet) return platform::kExitOk;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("trained on %zu pronunciations (%zu words unusable, %zu not aligned), %zu held out\n",
                report.examples, report.unusableWords, report.unalignedExamples, split.test.size());
    std::printf("graphemes %zu, phonemes %zu, candidates %zu, chunks %zu\n", report.graphemes, report.phonemes,
                report.candidates, report.chunks);
    std::printf("stage-2 contexts per order:");
    for (const auto contexts : report.contextsPerOrder) std::printf(" %zu", contexts);
    std::printf("\n");
    if (models.joint)
      std::printf("joint-sequence model: order %d, %zu words, %zu tokens, %zu histories, %zu n-grams\n",
                  options.joint.order, report.jointWords, report.jointTokens, report.jointHistories,
                  report.jointNgrams);
    std::printf("%.1f s\n", seconds);
    return platform::kExitOk;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "phonwright-train: %s\n", error.what());
    return platform::kExitFailure;
  }
}
