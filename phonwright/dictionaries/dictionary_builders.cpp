#include "phonwright/dictionaries/dictionary_builders.h"

#include <cstdio>
#include <memory>

#include "phonwright/core/console.h"
#include "phonwright/core/text_runs.h"
#include "phonwright/core/text_to_phoneme.h"
#include "phonwright/core/zhuyin_to_codes.h"
#include "platform/regular_file.h"

namespace phonwright {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File Create(const std::string& path) { return File(std::fopen(path.c_str(), "w")); }

// The fields joined by blanks, as one line.
void WriteLine(std::FILE* file, std::initializer_list<std::string_view> fields) {
  std::string line;
  for (std::size_t i = 0; const std::string_view field : fields) {
    if (i++ > 0) line += ' ';
    line += field;
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), file);
}

int CountUnits(std::string_view units) {
  int count = 0;
  for (const std::string_view token : SplitTokens(units, " "))
    if (token != "$") ++count;
  return count;
}

// "SYL<n>" per zhuyin token of the phone string, n the syllable number.
std::string SyllableNames(std::string_view entry, std::string_view phones) {
  std::string names;
  for (const std::string_view token : SplitTokens(phones, " ")) {
    if (token == "$") continue;
    const SyllableCodeLookup lookup = ZhuyinToSyllableCodes(token);
    if (!lookup.complete || lookup.codes.empty()) {
      PrintMessage("error %s %s\n", ForConsole(entry).c_str(), ForConsole(token).c_str());
      WaitForKey();
    }
    const int code = lookup.codes.empty() ? 0 : lookup.codes.front();
    if (!names.empty()) names += '-';
    names += "SYL" + std::to_string(code % 1000);
  }
  return names;
}

}  // namespace

int BuildDictionary(Engine& engine, DictionaryKind kind, const std::string& input_path,
                    const std::string& output_path, const std::string& language) {
  // A word list larger than this is no list of recognition entries.
  constexpr std::uint64_t kMaxWordListBytes = std::uint64_t{64} << 20;
  const platform::RegularFileBytes input = platform::ReadRegularFile(input_path, kMaxWordListBytes);
  if (input.error) return 0;
  const File output = Create(output_path);
  if (!output) return 0;
  const std::string& list = input.bytes;
  const std::vector<std::string_view> entries = SplitTokens(list);

  File grammar;
  if (kind == DictionaryKind::kGrammar) {
    grammar = Create(input_path + ".grm");
    if (!grammar) return 0;
    std::fputs("<LANGUAGE> TAIWAN_MIX_ADD_DIG\n<GRAMMAR> <NAME>\n<CLASS> <NAME>\n", grammar.get());
  } else {
    std::fprintf(output.get(), "%zu\n", entries.size());
  }
  // The recognition dictionary only reports an odd length; the others also wait.
  const bool wait_on_odd_length = kind != DictionaryKind::kRecognition;

  for (const std::string_view entry : entries) {
    const std::string shown = ForConsole(entry);
    if (grammar) WriteLine(grammar.get(), {entry});
    if (entry.size() % 2 != 0) {
      PrintMessage("%s %zu\n", shown.c_str(), entry.size());
      if (wait_on_odd_length) WaitForKey();
    }
    const PhonemeOutputs converted = ConvertSentence(engine, entry, language);
    if (converted.code_count != 1) {
      PrintMessage("Error\n");
      WaitForKey();
    }
    PrintMessage("%s %s\n", ForConsole(converted.phones).c_str(),
                 ForConsole(converted.units).c_str());
    bool gave_nothing = false;
    switch (kind) {
      case DictionaryKind::kRecognition: {
        const int count = CountUnits(converted.units);
        WriteLine(output.get(), {entry, std::to_string(count), converted.units});
        gave_nothing = count == 0;
        break;
      }
      case DictionaryKind::kSyllable: {
        const std::string names = SyllableNames(entry, converted.phones);
        WriteLine(output.get(), {entry, names});
        gave_nothing = names.empty();
        break;
      }
      case DictionaryKind::kGrammar:
        WriteLine(output.get(), {entry, converted.units});
        gave_nothing = CountUnits(converted.units) == 0;
        break;
    }
    if (gave_nothing) {
      PrintMessage("%s\n", shown.c_str());
      WaitForKey();
    }
  }
  return 1;
}

}  // namespace phonwright
