// Command files: read, decoded, counted, parsed and converted as the window's
// loader does, then measured and built into group data as the download does,
// with a stand-in engine. The measured size must hold the built group.
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/system_locale.h"
#include "quillon/recognition/command_file_loader.h"
#include "quillon/recognition/file_language.h"
#include "quillon/recognition/group_data.h"
#include "quillon/recognition/result_codes.h"
#include "quillon/tests/recognition_fake_converter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon;
  constexpr platform::LanguageId kSystemLanguages[] = {platform::kLangChineseTaiwan, platform::kLangChinesePrc,
                                                       platform::kLangEnglishUs};
  const platform::LanguageId system = kSystemLanguages[size % 3];
  const auto file = fuzzing::WriteScratchFile("commands.txt", fuzzing::AsText(data, size));
  testing::FakeSentenceConverter converter;
  const CommandFileLoad load = LoadCommandFile(file, converter, system);
  ReadFileLanguage(file);
  const GroupMeasure measure = MeasureGroupData(file, converter, system);
  if (measure.code != kSuccess) return 0;
  std::vector<std::uint8_t> group(measure.size, 0);
  const int built = BuildGroupData(file, LanguageSettings{}, converter, system, group);
  // What the loader accepts, the download builds into the measured room.
  if (load.ok() && built != kSuccess && built != kResultLanguageConflict && built != kResultSentenceRefused &&
      built != kResultSentenceBlockTooLarge) {
    std::abort();
  }
  return 0;
}
