// Reading and writing the settings files as the download start and Save List
// do: a voice list of many files, the full command file table.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "quillon/config/asr_settings.h"
#include "quillon/config/number_text.h"
#include "quillon/config/ini_document.h"
#include "quillon/config/text_encoding.h"
#include "quillon/config/voice_file_list.h"

namespace quillon {
namespace {

std::filesystem::path ScratchFile(const char* name) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quillon-config-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder / name;
}

void BM_ReadVoiceSettings(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::filesystem::path file = ScratchFile("voice.ini");
  // Built as one document and stored once, so that setting up stays quick.
  IniDocument document;
  document.Set(u"VoiceFileInfo", u"NumOfVoiceFile", FormatDecimal(static_cast<std::int64_t>(count)));
  for (std::size_t i = 0; i < count; ++i) {
    const auto index = static_cast<std::int64_t>(i);
    document.Set(u"VoiceFileInfo", IndexedKeyName(u"VoiceID_", i, 4), u"0x" + FormatDecimal(index % 100, 2));
    document.Set(u"VoiceFileInfo", IndexedKeyName(u"PathName_", i, 4),
                 u"\\Voice\\prompt_" + FormatDecimal(index, 5) + u".wav");
  }
  std::string bytes(ByteOrderMark(TextEncoding::Utf16LittleEndian));
  bytes += EncodeText(TextEncoding::Utf16LittleEndian, document.Text()).bytes;
  platform::WriteFileAtomically(file, bytes);
  VoiceFileList voices;
  for (auto _ : state) {
    ReadVoiceSettings(file, voices);
    benchmark::DoNotOptimize(voices.entries.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
  std::filesystem::remove_all(file.parent_path());
}
BENCHMARK(BM_ReadVoiceSettings)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

AsrSettings FullTable() {
  AsrSettings settings;
  settings.count = static_cast<std::int32_t>(kMaxAsrFiles);
  for (std::size_t i = 0; i < kMaxAsrFiles; ++i) {
    settings.files[i] = {static_cast<std::int32_t>(i),
                         WidePath(u"\\Command\\group_" + FormatDecimal(static_cast<std::int64_t>(i), 2) + u".txt")};
  }
  return settings;
}

void BM_WriteAsrSettingsFullTable(benchmark::State& state) {
  const std::filesystem::path file = ScratchFile("asr.ini");
  const AsrSettings settings = FullTable();
  for (auto _ : state) benchmark::DoNotOptimize(WriteAsrSettings(file, settings));
  std::filesystem::remove_all(file.parent_path());
}
BENCHMARK(BM_WriteAsrSettingsFullTable)->Unit(benchmark::kMillisecond);

void BM_ReadAsrSettingsFullTable(benchmark::State& state) {
  const std::filesystem::path file = ScratchFile("asr.ini");
  WriteAsrSettings(file, FullTable());
  AsrSettings settings;
  for (auto _ : state) {
    ReadAsrSettings(file, settings);
    benchmark::DoNotOptimize(settings.count);
  }
  std::filesystem::remove_all(file.parent_path());
}
BENCHMARK(BM_ReadAsrSettingsFullTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillon

BENCHMARK_MAIN();
