// phonwright: runs the engine's exports from a shell. Arguments and output are
// UTF-8; the engine's Big5 and UTF-16 strings are converted at this edge.
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "phonwright.h"
#include "phonwright/cli/cli_output.h"
#include "platform/code_page.h"
#include "platform/command_line.h"

namespace phonwright::cli {
namespace {

using platform::kExitFailure;
using platform::kExitOk;
using platform::kExitUsage;

constexpr const char* kUsage =
    "usage: phonwright [--data DIR] [-q|-v] COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  convert [--lang L] [--json] TEXT...   convert sentences (\"-\": one per line from stdin)\n"
    "  english TEXT                          English text to phonemes and unit codes\n"
    "  polyphone CHAR                        readings of a polyphonic character\n"
    "  syllables ZHUYIN                      zhuyin syllables to syllable codes\n"
    "  dic IN OUT [--lang L]                 recognition dictionary of a word list\n"
    "  syl IN OUT [--lang L]                 syllable dictionary of a word list\n"
    "  grammar IN OUT [--lang L]             dictionary and IN.grm grammar file\n"
    "  interrcd TEXT                         transition units of a sentence\n"
    "  addsil TEXT                           transition units, English word by word\n"
    "  lexstr DISPLAY [--lang L]             display string back to codes and units\n"
    "\n"
    "options (before or after the command; --name=value works too):\n"
    "  --data DIR      data directory, absolute or relative to the current directory\n"
    "                  (default: fastt2p/ when it exists, else fastt2p/ or\n"
    "                  share/phonwright/fastt2p/ beside the program's bin/ folder)\n"
    "  --lang L        Taiwan (default) or America\n"
    "  -q, --quiet     no messages but errors\n"
    "  -v, --verbose   also the engine's start-up messages\n"
    "  -h, --help      this text; COMMAND --help shows the command's usage\n"
    "  --version       the version\n"
    "\n"
    "exit status: 0 success, 1 failure (the data directory does not load completely,\n"
    "             an output file cannot be written, or a text is not converted\n"
    "             completely: a character without reading or a word without\n"
    "             pronunciation), 2 bad usage\n";

struct Invocation {
  std::string language = "Taiwan";
  bool json = false;
  // Where the engine's console messages go while it converts (-q: nowhere).
  platform::RedirectedStandardOutput::Target messages = platform::RedirectedStandardOutput::Target::StandardError;
  std::vector<std::string> args;
};

using Command = std::function<int(const Invocation&)>;

struct CommandInfo {
  const char* usage;
  std::size_t min_args;
  std::size_t max_args;  // 0: any number
  Command run;
  std::size_t output_argument = 0;  // 1-based position of the file it writes, 0: none
};

int Usage(const char* text, bool error) {
  std::fputs(text, error ? stderr : stdout);
  return error ? kExitUsage : kExitOk;
}

// UTF-8 to Big5; nullopt (with a message) when a character has no Big5 form.
std::optional<std::string> ToBig5(const std::string& utf8) {
  platform::NarrowText big5 =
      platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16(utf8));
  if (big5.usedDefaultChar) {
    std::fprintf(stderr, "phonwright: \"%s\" holds characters without a Big5 form\n",
                 utf8.c_str());
    return std::nullopt;
  }
  return std::move(big5.bytes);
}

// A line of standard input longer than this cannot be a sentence (the engine
// takes 344 Big5 bytes, at most 1032 bytes of UTF-8) and is skipped unread.
constexpr std::size_t kMaxInputLineBytes = 4096;

// Calls `each` with every line of standard input as it arrives, without its
// line end; an over-long line is reported with its number and skipped.
// Returns false when some line was skipped.
bool ForEachStdinLine(const std::function<void(const std::string&)>& each) {
  bool complete = true;
  std::string line;
  std::size_t number = 0;
  char chunk[1024];
  bool tooLong = false;
  while (std::fgets(chunk, sizeof chunk, stdin) != nullptr) {
    const std::size_t length = std::strlen(chunk);
    const bool ended = length > 0 && chunk[length - 1] == '\n';
    if (!tooLong) line.append(chunk, length - (ended ? 1 : 0));
    if (line.size() > kMaxInputLineBytes) {
      tooLong = true;
      line.clear();
    }
    if (!ended && !std::feof(stdin)) continue;
    ++number;
    if (tooLong) {
      std::fprintf(stderr, "phonwright: standard input, line %zu: longer than %zu bytes, skipped\n", number,
                   kMaxInputLineBytes);
      complete = false;
    } else {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      each(line);
    }
    line.clear();
    tooLong = false;
  }
  return complete;
}

// Output buffers of one conversion, kept for every sentence of a run.
struct ConversionBuffers {
  std::vector<char> phones = std::vector<char>(PHONWRIGHT_MAX_PHONES);
  std::vector<char> codes = std::vector<char>(PHONWRIGHT_MAX_CODES);
  std::vector<char> units = std::vector<char>(PHONWRIGHT_MAX_UNITS);
  std::vector<std::uint16_t> display = std::vector<std::uint16_t>(PHONWRIGHT_MAX_DISPLAY);
};

// Converts and prints one sentence; false when it could not be converted.
bool ConvertOne(const Invocation& call, const std::string& text, bool first, ConversionBuffers& buffers) {
  const auto big5 = ToBig5(text);
  if (!big5) return false;
  int result = 0;
  int complete = 0;
  {
    const platform::RedirectedStandardOutput messages(call.messages);
    result = Text2Phoneme(big5->c_str(), buffers.phones.data(), buffers.display.data(), buffers.codes.data(),
                          buffers.units.data(), call.language.c_str());
    complete = Text2PhonemeComplete();
  }
  const std::string fields[][2] = {{"text", text},
                                   {"phones", Big5ToUtf8(buffers.phones.data())},
                                   {"display", DisplayToUtf8(buffers.display.data())},
                                   {"codes", buffers.codes.data()},
                                   {"units", buffers.units.data()}};
  if (call.json) {
    std::string line = "{";
    for (const auto& [key, value] : fields) line += JsonQuoted(key) + ":" + JsonQuoted(value) + ",";
    line += "\"result\":" + std::to_string(result) + ",\"complete\":" + (complete ? "true" : "false") + "}\n";
    std::fputs(line.c_str(), stdout);
  } else {
    if (!first) std::fputs("\n", stdout);
    for (const auto& [key, value] : fields) std::printf("%s: %s\n", key.c_str(), value.c_str());
    std::printf("result: %d\ncomplete: %s\n", result, complete ? "yes" : "no");
  }
  std::fflush(stdout);  // a reader of a pipe gets each answer as its line is done
  return result != 0 && complete != 0;
}

// Sentences from the arguments, or with "-" from standard input, converted
// one by one as they come: a long input never waits or piles up in memory.
int Convert(const Invocation& call) {
  ConversionBuffers buffers;
  bool ok = true;
  bool first = true;
  const auto convert = [&](const std::string& text) {
    ok = ConvertOne(call, text, first, buffers) && ok;
    first = false;
  };
  if (call.args.size() == 1 && call.args[0] == "-") {
    ok = ForEachStdinLine(convert) && ok;
  } else {
    for (const std::string& text : call.args) convert(text);
  }
  return ok ? kExitOk : kExitFailure;
}

int English(const Invocation& call) {
  const auto text = ToBig5(call.args[0]);
  if (!text) return kExitFailure;
  std::vector<char> phonemes(PHONWRIGHT_MAX_PHONES), codes(PHONWRIGHT_MAX_CODES);
  int result = 0;
  {
    const platform::RedirectedStandardOutput messages(call.messages);
    result = Text2Phoneme_Eng(text->c_str(), phonemes.data(), codes.data());
  }
  std::printf("phonemes: %s\ncodes: %s\nresult: %d\n", Big5ToUtf8(phonemes.data()).c_str(),
              codes.data(), result);
  return result == 1 ? kExitOk : kExitFailure;
}

int Polyphone(const Invocation& call) {
  const auto character = ToBig5(call.args[0]);
  if (!character) return kExitFailure;
  std::vector<char> readings(PHONWRIGHT_MAX_POLYPHONE_READINGS),
      codes(PHONWRIGHT_MAX_POLYPHONE_CODES);
  int row = -1;
  {
    const platform::RedirectedStandardOutput messages(call.messages);
    row = SearchPolyPhone(character->c_str(), readings.data(), codes.data());
  }
  std::printf("row: %d\nreadings: %s\ncodes: %s\n", row, Big5ToUtf8(readings.data()).c_str(),
              codes.data());
  return row >= 0 ? kExitOk : kExitFailure;
}

int Syllables(const Invocation& call) {
  const auto zhuyin = ToBig5(call.args[0]);
  if (!zhuyin) return kExitFailure;
  std::vector<char> codes(PHONWRIGHT_MAX_SYLLABLE_CODES);
  int result = 0;
  {
    const platform::RedirectedStandardOutput messages(call.messages);
    result = Juin2SyllableCode(zhuyin->c_str(), codes.data());
  }
  std::printf("codes: %s\nresult: %d\n", codes.data(), result);
  return result == 0 ? kExitOk : kExitFailure;
}

Command Builder(int (*build)(const char*, const char*, const char*)) {
  return [build](const Invocation& call) {
    int result = 0;
    {
      const platform::RedirectedStandardOutput messages(call.messages);
      result = build(call.args[0].c_str(), call.args[1].c_str(), call.language.c_str());
    }
    if (result != 1)
      std::fprintf(stderr, "phonwright: cannot read %s or create %s\n", call.args[0].c_str(),
                   call.args[1].c_str());
    return result == 1 ? kExitOk : kExitFailure;
  };
}

Command TransitionUnits(int (*convert)(const char*, char*)) {
  return [convert](const Invocation& call) {
    const auto text = ToBig5(call.args[0]);
    if (!text) return static_cast<int>(kExitFailure);
    std::vector<char> output(PHONWRIGHT_MAX_TRANSITION_UNITS);
    int result = 0;
    {
      const platform::RedirectedStandardOutput messages(call.messages);
      result = convert(text->c_str(), output.data());
    }
    std::printf("units: %s\nresult: %d\n", Big5ToUtf8(output.data()).c_str(), result);
    return static_cast<int>(result == 1 ? kExitOk : kExitFailure);
  };
}

int Lexstr(const Invocation& call) {
  const std::u16string wide = platform::Utf8ToUtf16(call.args[0]);
  std::vector<std::uint16_t> display(wide.begin(), wide.end());
  display.push_back(0);
  std::vector<char> codes(PHONWRIGHT_MAX_LEXSTR_CODES), units(PHONWRIGHT_MAX_LEXSTR_UNITS);
  int result = 0;
  {
    const platform::RedirectedStandardOutput messages(call.messages);
    result = PhonemeToLexstr(display.data(), codes.data(), units.data(), call.language.c_str());
  }
  std::printf("codes: %s\nunits: %s\nresult: %d\n", codes.data(), units.data(), result);
  return result >= 0 ? kExitOk : kExitFailure;
}

const std::map<std::string, CommandInfo>& Commands() {
  static const std::map<std::string, CommandInfo> commands = {
      {"convert",
       {"usage: phonwright [--data DIR] convert [--lang Taiwan|America] [--json] TEXT...\n"
        "  Converts each TEXT (\"-\": each line of standard input) and prints its phones,\n"
        "  display form, codes, units and result; --json prints one object a line.\n",
        1, 0, Convert}},
      {"english",
       {"usage: phonwright [--data DIR] english TEXT\n"
        "  Prints the marked phonemes and English unit codes of TEXT.\n",
        1, 1, English}},
      {"polyphone",
       {"usage: phonwright [--data DIR] polyphone CHAR\n"
        "  Prints the readings and syllable codes of a polyphonic character.\n",
        1, 1, Polyphone}},
      {"syllables",
       {"usage: phonwright [--data DIR] syllables ZHUYIN\n"
        "  Prints the syllable codes of zhuyin syllables separated by blanks.\n",
        1, 1, Syllables}},
      {"dic",
       {"usage: phonwright [--data DIR] dic IN OUT [--lang Taiwan|America]\n"
        "  Writes the recognition dictionary (count, entry, unit count, units) of IN.\n",
        2, 2, Builder(MakeBeamSearchDic), 2}},
      {"syl",
       {"usage: phonwright [--data DIR] syl IN OUT [--lang Taiwan|America]\n"
        "  Writes the syllable dictionary (count, entry, SYL names) of IN.\n",
        2, 2, Builder(MakeBeamSearchDic_SYL), 2}},
      {"grammar",
       {"usage: phonwright [--data DIR] grammar IN OUT [--lang Taiwan|America]\n"
        "  Writes the dictionary (entry, units) of IN to OUT and the grammar IN.grm.\n",
        2, 2, Builder(MakeBeamSearchDic_for_GrammarGenerator), 2}},
      {"interrcd",
       {"usage: phonwright [--data DIR] interrcd TEXT\n"
        "  Prints the transition units between neighbouring phones and syllables.\n",
        1, 1, TransitionUnits(Text2Phoneme_interRCD)}},
      {"addsil",
       {"usage: phonwright [--data DIR] addsil TEXT\n"
        "  Prints the transition units of each English word and the syllables.\n",
        1, 1, TransitionUnits(Text2Phoneme_interRCD_addsil)}},
      {"lexstr",
       {"usage: phonwright [--data DIR] lexstr DISPLAY [--lang Taiwan|America]\n"
        "  Maps a display string back and prints its codes, units and kind\n"
        "  (0 Chinese, 1 English, 2 both, 3 unknown; -1 not a phone string).\n",
        1, 1, Lexstr}},
  };
  return commands;
}

constexpr std::array kGlobalOptions = {
    platform::OptionSpec{"--data", "", true}, platform::kHelpOption,    platform::kVersionOption,
    platform::kQuietOption,                   platform::kVerboseOption,
};
constexpr std::array kCommandOptions = {
    platform::OptionSpec{"--lang", "", true},
    platform::OptionSpec{"--json", "", false},
    platform::kHelpOption,
};

int Run(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  // Global options may stand before or after the command.
  const platform::ParsedCommandLine global =
      platform::ParseCommandLine(words, kGlobalOptions, platform::UnknownOptions::PassThrough);
  if (!global.error.empty()) return platform::UsageError("phonwright", global.error, kUsage);
  if (global.Has("--version")) {
    std::fputs(platform::VersionText("phonwright").c_str(), stdout);
    return kExitOk;
  }
  if (global.arguments.empty() || global.arguments.front() == "--") {
    if (global.Has("--help")) return Usage(kUsage, false);
    return platform::UsageError("phonwright", "no command given", kUsage);
  }
  const std::string& name = global.arguments.front();
  const auto command = Commands().find(name);
  if (command == Commands().end()) {
    if (global.Has("--help")) return Usage(kUsage, false);
    return platform::UsageError("phonwright", (name.starts_with("-") ? "unknown option " : "unknown command ") + name, kUsage);
  }
  const CommandInfo& info = command->second;
  if (global.Has("--help")) return Usage(info.usage, false);
  const std::vector<std::string> rest(global.arguments.begin() + 1, global.arguments.end());
  const platform::ParsedCommandLine own = platform::ParseCommandLine(rest, kCommandOptions);
  if (!own.error.empty()) return platform::UsageError("phonwright", own.error, info.usage);
  if (own.Has("--help")) return Usage(info.usage, false);
  Invocation call;
  call.language = own.Value("--lang").value_or("Taiwan");
  call.json = own.Has("--json");
  call.args = own.arguments;
  if (global.Has("--quiet")) call.messages = platform::RedirectedStandardOutput::Target::Discarded;
  if (call.language != "Taiwan" && call.language != "America")
    return platform::UsageError("phonwright", "unknown language " + call.language + " (Taiwan or America)", info.usage);
  if (call.args.size() < info.min_args || (info.max_args > 0 && call.args.size() > info.max_args))
    return Usage(info.usage, true);
  if (info.output_argument > 0) {
    const std::string& output = call.args[info.output_argument - 1];
    if (const std::string problem = platform::OutputFileProblem(output); !problem.empty()) {
      std::fprintf(stderr, "phonwright: cannot write %s: %s\n", output.c_str(), problem.c_str());
      return kExitFailure;
    }
  }

  const std::string data_dir = global.Value("--data").value_or(platform::FindDataDirectory(platform::ProgramDirectory()));
  int initialised = 0;
  {
    const platform::RedirectedStandardOutput engine_messages(global.Has("--verbose")
                                                                 ? platform::RedirectedStandardOutput::Target::StandardError
                                                                 : platform::RedirectedStandardOutput::Target::Discarded);
    initialised = Text2PhonemeInit(data_dir.c_str());
  }
  if (initialised != 1) {
    std::fprintf(stderr, "phonwright: the data directory %s cannot be loaded completely\n", data_dir.c_str());
    Text2PhonemeRelease();
    return kExitFailure;
  }
  const int status = info.run(call);
  Text2PhonemeRelease();
  return status;
}

}  // namespace
}  // namespace phonwright::cli

int main(int argc, char** argv) { return phonwright::cli::Run(argc, argv); }
