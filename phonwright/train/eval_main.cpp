// phonwright-eval: scores the library's conversions on held-out data.
//
// Usage: phonwright-eval english --data DIR --test FILE [--json]
//          decodes each word of FILE ("WORD<TAB>PH PH ..." lines) with the
//          letter-to-sound models of DIR; prints word and phone error rates and words/s
//        phonwright-eval chinese --data DIR --test FILE [--json]
//          converts each phrase of FILE ("phrase<TAB>zhuyin" lines, UTF-8) with
//          Text2Phoneme; prints phrase and character accuracy
// Exit codes: 0 done, 1 the data or the test file could not be read, 2 bad usage.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "phonwright/train/chinese_evaluation.h"
#include "phonwright/train/english_evaluation.h"
#include "phonwright/train/plain_dictionary.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void PrintUsage(std::FILE* to) {
  std::fputs(
      "Usage: phonwright-eval english --data DIR --test FILE [--json]\n"
      "       phonwright-eval chinese --data DIR --test FILE [--json]\n"
      "Exit codes: 0 done, 1 the data or the test file could not be read, 2 bad usage.\n",
      to);
}

void PrintEnglish(const phonwright::train::EnglishScores& scores, bool json) {
  if (json) {
    std::printf("{\"words\": %zu, \"word_error_rate\": %.4f, \"phone_error_rate\": %.4f, "
                "\"unpronounced\": %zu, \"words_per_second\": %.0f}\n",
                scores.words, scores.WordErrorRate(), scores.PhoneErrorRate(), scores.unpronounced,
                scores.WordsPerSecond());
    return;
  }
  std::printf("words %zu\nword error rate %.2f %%\nphone error rate %.2f %%\nunpronounced %zu\nwords/s %.0f\n",
              scores.words, 100.0 * scores.WordErrorRate(), 100.0 * scores.PhoneErrorRate(), scores.unpronounced,
              scores.WordsPerSecond());
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  const std::string_view mode = argv[1];
  if (mode == "-h" || mode == "--help") {
    PrintUsage(stdout);
    return kExitDone;
  }
  std::filesystem::path data;
  std::filesystem::path test;
  bool json = false;
  for (int i = 2; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--json") json = true;
    else if (option == "--data" && i + 1 < argc) data = argv[++i];
    else if (option == "--test" && i + 1 < argc) test = argv[++i];
    else {
      PrintUsage(stderr);
      return kExitUsage;
    }
  }
  if (data.empty() || test.empty() || (mode != "english" && mode != "chinese")) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  try {
    if (mode == "english") {
      PrintEnglish(phonwright::train::EvaluateLetterToSound(data, phonwright::train::ReadPlainDictionary(test)), json);
    } else {
      PrintChinese(phonwright::train::EvaluateChineseConversion(data, test), json);
    }
    return kExitDone;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "phonwright-eval: %s\n", error.what());
    return kExitFailed;
  }
}
