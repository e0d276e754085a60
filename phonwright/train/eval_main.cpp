// phonwright-eval: scores the library's conversions on held-out data.
//
// Usage: phonwright-eval english [--data DIR] --test FILE [--json]
//          decodes each word of FILE ("WORD<TAB>PH PH ..." lines) with the
//          letter-to-sound models of DIR; prints word and phone error rates, words/s
//          and the words that got no pronunciation
//        phonwright-eval chinese [--data DIR] --test FILE [--json]
//          converts each phrase of FILE ("phrase<TAB>zhuyin" lines, UTF-8) with
//          Text2Phoneme; prints phrase and character accuracy
//        phonwright-eval chinese [--data DIR] (--sentences FILE | --cpp DIR) [--no-punctuation]
//                                [--chewing DIR] [--json]
//          converts each sentence of FILE ("sentence<TAB>readings", UTF-8) or of
//          the CPP polyphone set (dev.sent, dev.lb); prints sentence and character
//          accuracy, the polyphonic characters read right, and every character read wrong; a mainland label of the CPP set
//          that libchewing (--chewing, default /usr/share/libchewing) never gives its
//          character counts as a difference of standard
// --data as in every program: absolute or relative to the current directory,
// by default ./fastt2p/, else the data beside the program's bin/ folder.
// Exit codes: 0 done, 1 the data or the test file could not be read, 2 bad usage.
#include <array>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "phonwright/train/chinese_evaluation.h"
#include "phonwright/train/english_evaluation.h"
#include "phonwright/train/plain_dictionary.h"
#include "platform/command_line.h"

namespace {

constexpr const char* kChewingDirectory = "/usr/share/libchewing";

constexpr std::string_view kUsage =
    "Usage: phonwright-eval english [--data DIR] --test FILE [--json]\n"
    "       phonwright-eval chinese [--data DIR] --test FILE [--json]\n"
    "       phonwright-eval chinese [--data DIR] (--sentences FILE | --cpp DIR) [--no-punctuation]\n"
    "                               [--chewing DIR] [--json]\n"
    "Scores the letter-to-sound decoder (english: \"WORD<TAB>PH PH ...\" lines) or the\n"
    "Chinese conversion (\"phrase<TAB>zhuyin\" lines, sentences with their readings, or\n"
    "the CPP polyphone set's dev.sent and dev.lb) on held-out data.\n"
    "\n"
    "Options (--name=value works too):\n"
    "  --data DIR        data directory, absolute or relative to the current directory\n"
    "                    (default: fastt2p/ when it exists, else fastt2p/ or\n"
    "                    share/phonwright/fastt2p/ beside the program's bin/ folder)\n"
    "  --json            one JSON object instead of text\n"
    "  --chewing DIR     libchewing's data (default /usr/share/libchewing)\n"
    "  -q, --quiet       accepted; prints nothing less\n"
    "  -v, --verbose     also the engine's start-up messages\n"
    "  -h, --help        this text\n"
    "  --version         the version\n"
    "\n"
    "Exit codes: 0 done, 1 the data or the test file could not be read, 2 bad usage.\n";

constexpr std::array kOptions = {
    platform::OptionSpec{"--data", "", true},      platform::OptionSpec{"--test", "", true},
    platform::OptionSpec{"--sentences", "", true}, platform::OptionSpec{"--cpp", "", true},
    platform::OptionSpec{"--chewing", "", true},   platform::OptionSpec{"--json", "", false},
    platform::OptionSpec{"--no-punctuation", "", false},
};

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

void PrintEnglish(const phonwright::train::EnglishScores& scores, bool json) {
  if (json) {
    std::printf("{\"words\": %zu, \"word_error_rate\": %.4f, \"phone_error_rate\": %.4f, "
                "\"unpronounced\": %zu, \"words_per_second\": %.0f, \"words_per_cpu_second\": %.0f, "
                "\"unpronounced_words\": [",
                scores.words, scores.WordErrorRate(), scores.PhoneErrorRate(), scores.unpronounced,
                scores.WordsPerSecond(), scores.WordsPerCpuSecond());
    for (std::size_t i = 0; i < scores.unpronouncedWords.size(); ++i)
      std::printf("%s%s", i ? ", " : "", Quoted(scores.unpronouncedWords[i]).c_str());
    std::printf("]}\n");
    return;
  }
  std::printf("words %zu\nword error rate %.2f %%\nphone error rate %.2f %%\nunpronounced %zu\n"
              "words/s %.0f (wall), %.0f (CPU)\n",
              scores.words, 100.0 * scores.WordErrorRate(), 100.0 * scores.PhoneErrorRate(), scores.unpronounced,
              scores.WordsPerSecond(), scores.WordsPerCpuSecond());
  for (const auto& word : scores.unpronouncedWords) std::printf("no output: %s\n", word.c_str());
}

void PrintChinese(const phonwright::train::ChineseScores& scores, bool json) {
  if (json) {
    std::printf("{\"phrases\": %zu, \"phrase_accuracy\": %.4f, \"characters\": %zu, "
                "\"character_accuracy\": %.4f, \"unconverted\": %zu}\n",
                scores.phrases, scores.PhraseAccuracy(), scores.characters, scores.CharacterAccuracy(),
                scores.unconverted);
    return;
  }
  std::printf("phrases %zu\nphrase accuracy %.2f %%\ncharacters %zu\ncharacter accuracy %.2f %%\nunconverted %zu\n",
              scores.phrases, 100.0 * scores.PhraseAccuracy(), scores.characters, 100.0 * scores.CharacterAccuracy(),
              scores.unconverted);
}

void PrintSentences(const phonwright::train::SentenceScores& scores, std::size_t skipped, bool json) {
  if (json) {
    std::printf("{\"sentences\": %zu, \"sentence_accuracy\": %.4f, \"characters\": %zu, "
                "\"character_accuracy\": %.4f, \"other_standard\": %zu, \"complete\": %zu, "
                "\"unaligned\": %zu, \"skipped\": %zu, \"polyphones\": %zu, \"right_polyphones\": %zu, "
                "\"errors\": [",
                scores.sentences, scores.SentenceAccuracy(), scores.characters, scores.CharacterAccuracy(),
                scores.otherStandard, scores.complete, scores.unaligned, skipped, scores.polyphones,
                scores.rightPolyphones);
    for (std::size_t i = 0; i < scores.errors.size(); ++i) {
      const auto& e = scores.errors[i];
      std::printf("%s{\"line\": %zu, \"sentence\": %s, \"position\": %zu, \"character\": %s, "
                  "\"expected\": %s, \"got\": %s}",
                  i ? ", " : "", e.line, Quoted(e.sentence).c_str(), e.position, Quoted(e.character).c_str(),
                  Quoted(e.expected).c_str(), Quoted(e.got).c_str());
    }
    std::printf("]}\n");
    return;
  }
  std::printf("sentences %zu\nsentence accuracy %.2f %%\ncharacters %zu\ncharacter accuracy %.2f %%\n"
              "right in the other standard %zu\ncharacter accuracy by the labels as given %.2f %%\n"
              "converted completely %zu\nunaligned %zu\nskipped %zu\npolyphones right %zu of %zu\n",
              scores.sentences, 100.0 * scores.SentenceAccuracy(), scores.characters,
              100.0 * scores.CharacterAccuracy(), scores.otherStandard, 100.0 * scores.LabelAccuracy(),
              scores.complete, scores.unaligned, skipped, scores.rightPolyphones, scores.polyphones);
  for (const auto& e : scores.errors)
    std::printf("line %zu: %s  [%zu] %s %s -> %s\n", e.line, e.sentence.c_str(), e.position, e.character.c_str(),
                e.expected.c_str(), e.got.empty() ? "(none)" : e.got.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  constexpr std::string_view kProgram = "phonwright-eval";
  const platform::ProgramCommandLine parsed = platform::ParseProgramCommandLine(kProgram, kUsage, argc, argv, kOptions);
  if (parsed.exitCode) return *parsed.exitCode;
  const platform::ParsedCommandLine& line = parsed.line;
  if (line.arguments.size() != 1) return platform::UsageError(kProgram, "give english or chinese", kUsage);
  const std::string_view mode = line.arguments.front();
  const std::filesystem::path data =
      line.Value("--data").value_or(platform::FindDataDirectory(platform::ProgramDirectory()));
  const std::filesystem::path test = line.Value("--test").value_or("");
  const std::filesystem::path sentences = line.Value("--sentences").value_or("");
  const std::filesystem::path cpp = line.Value("--cpp").value_or("");
  phonwright::train::SentenceOptions sentenceOptions;
  sentenceOptions.withoutPunctuation = line.Has("--no-punctuation");
  if (const auto chewing = line.Value("--chewing")) sentenceOptions.chewingDirectory = *chewing;
  const bool json = line.Has("--json");
  const int sources = !test.empty() + !sentences.empty() + !cpp.empty();
  if (mode != "english" && mode != "chinese") return platform::UsageError(kProgram, "unknown mode " + std::string(mode), kUsage);
  if (sources != 1 || (mode == "english" && test.empty()))
    return platform::UsageError(kProgram, "give one of --test, --sentences and --cpp (english: --test)", kUsage);
  // The engine prints while it works: on standard error with --verbose, else nowhere.
  const auto engineMessagesTarget = line.Has("--verbose") ? platform::RedirectedStandardOutput::Target::StandardError
                                                          : platform::RedirectedStandardOutput::Target::Discarded;
  const auto evaluated = [engineMessagesTarget](const auto& evaluate) {
    const platform::RedirectedStandardOutput engineMessages(engineMessagesTarget);
    return evaluate();
  };
  try {
    if (mode == "english") {
      PrintEnglish(evaluated([&] {
                     return phonwright::train::EvaluateLetterToSound(data, phonwright::train::ReadPlainDictionary(test));
                   }),
                   json);
    } else if (!test.empty()) {
      PrintChinese(evaluated([&] { return phonwright::train::EvaluateChineseConversion(data, test); }), json);
    } else {
      if (sentenceOptions.chewingDirectory.empty() && std::filesystem::exists(kChewingDirectory))
        sentenceOptions.chewingDirectory = kChewingDirectory;
      const auto set = sentences.empty() ? phonwright::train::ReadPolyphoneSet(cpp)
                                         : phonwright::train::ReadSentenceFile(sentences);
      PrintSentences(
          evaluated([&] { return phonwright::train::EvaluateChineseSentences(data, set.sentences, sentenceOptions); }),
          set.skipped, json);
    }
    return platform::kExitOk;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "phonwright-eval: %s\n", error.what());
    return platform::kExitFailure;
  }
}
