#include "phonwright/core/engine.h"

#include <memory>

#include "phonwright/core/console.h"
#include "phonwright/core/dictionary_list_file.h"
#include "phonwright/core/english_conversion.h"
#include "phonwright/core/english_sonorants.h"
#include "phonwright/core/segment_run.h"

namespace phonwright {

namespace {

constexpr const char* kEnglishDictionaryFile = "CMU40_DIC/ENG_dic_40phone_130466_20081205.bin";
constexpr const char* kEnglishDisplayFile = "UnicodeEnglishPhone.txt";
constexpr const char* kChineseDisplayFile = "UnicodeChinesePhone.txt";
constexpr int kConversionsBeforeWatchRetry = 256;

std::unique_ptr<Engine>& EngineSlot() {
  static std::unique_ptr<Engine> engine = std::make_unique<Engine>();
  return engine;
}

// Loads the class names and the dictionaries listed in "T2P.TXT", which names
// "<data dir>/CDIC.dic"; a directory where the list cannot be written gets the
// dictionary loaded directly.
void InitializeSegmentation(Engine& engine) {
  engine.segmentation_classes.LoadClassNames(engine.DataFile("classID"));
  const std::string dictionary = engine.DataFile("CDIC.dic");
  const std::string list = engine.DataFile("T2P.TXT");
  if (!WriteDictionaryList(list, {dictionary})) {
    engine.segmentation.LoadSegmentationDictionaries(list, engine.segmentation_classes);
  } else {
    engine.segmentation.LoadDictionary(dictionary, engine.segmentation_classes);
  }
  PrintMessage("IniWseg ok\n");
}

}  // namespace

Engine::Engine() : english_sources_{english_dictionary, letter_to_sound, DataFile("c2zy.tbl")} {}

std::string Engine::DataFile(std::string_view name) const {
  std::string path = data_dir;
  path += '/';
  path += name;
  return path;
}

int InitializeEngine(Engine& engine, std::string_view data_dir) {
  if (data_dir.size() > kMaxDataDirBytes) {
    PrintMessage("Data directory name longer than %zu bytes\n", kMaxDataDirBytes);
    return 0;
  }
  engine.data_dir = std::string(data_dir);
  engine.english_sources_.characterTable = engine.DataFile("c2zy.tbl");
  engine.letter_to_sound.Load(engine.data_dir);
  if (!engine.english_dictionary.Open(engine.DataFile(kEnglishDictionaryFile))) return 0;
  InitializeSegmentation(engine);
  if (!engine.display.LoadEnglish(engine.DataFile(kEnglishDisplayFile))) return 0;
  if (!engine.display.LoadChinese(engine.DataFile(kChineseDisplayFile))) return 0;
  return 1;
}

std::vector<int> Engine::SegmentRun(std::string_view run) const {
  return phonwright::SegmentRun(segmentation, run).codes;
}

EnglishWordUnits Engine::ConvertEnglishWord(std::string_view text) {
  EnglishConversion converted = ConvertEnglishText(english_sources_, text);
  return {std::move(converted.units.phonemes), std::move(converted.units.codes),
          std::move(converted.units.contextUnits), converted.complete};
}

bool Engine::ConvertEnglishWord(std::string_view text, MarkedUnits& units) {
  return ConvertEnglishText(english_sources_, text, units);
}

EnglishWordUnits Engine::MarkPhones(std::string_view phones) const {
  MarkedUnits marked = MarkSonorants(phones);
  return {std::move(marked.phonemes), std::move(marked.codes), std::move(marked.contextUnits),
          true};
}

void Engine::NoticeFileChanges() {
  if (file_watch_.Unchanged()) return;
  // Paths that cannot be watched (a remote file system, a loop of links)
  // are looked up on every use; arming is tried again now and then, not on
  // every conversion.
  if (conversions_until_watch_retried_ > 0) {
    --conversions_until_watch_retried_;
    return;
  }
  const std::vector<std::string> models = AllContextUnitModelCandidates(data_dir);
  std::vector<platform::PathWatch::WatchedPath> paths{{kScratchRunFile, platform::PathWatch::FileEvents::kIdentity}};
  for (const std::string& path : models) paths.push_back({path, platform::PathWatch::FileEvents::kIdentityAndContent});
  // Armed before the files are looked at again: a change made from now on is
  // reported to the next conversion.
  const bool watched = file_watch_.Arm(paths);
  if (!watched) conversions_until_watch_retried_ = kConversionsBeforeWatchRetry;
  scratch_run_file.RecheckFile(watched);
  unit_models.RecheckFiles(watched);
}

Engine& TheEngine() { return *EngineSlot(); }

void ResetTheEngine() { EngineSlot() = std::make_unique<Engine>(); }

}  // namespace phonwright

