// The letter-to-sound model files: a small valid model set is written once;
// each input replaces one of its files (chosen by the first byte: the
// configuration, a map, a score model or a chunk file), and the set is loaded
// and words are decoded with it, from mapped and from per-query files.
#include "fuzz/fuzz_support.h"
#include "phonwright/l2s/letter_to_sound.h"
#include "phonwright/l2s/letter_to_sound_models.h"
#include "phonwright/tests/l2s_test_models.h"

namespace {

const char* const kModelFiles[] = {"T2P_config.txt",     "G_map.txt",          "P_map.txt",
                                   "GP_map.txt",         "sco/stage1/bkf.sp.1", "sco/stage1/bkf.sp.2",
                                   "sco/stage2/bkf.sp.1", "sco/stage2/bkf.sp.2", "sco/chunk.dic",
                                   "sco/chunk.sco"};

std::filesystem::path ModelDirectory() { return fuzzing::ScratchFolder() / "l2s"; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace phonwright::l2s::testing_models;
  ModelSetBuilder builder;
  builder.Candidate("a", "AA").Candidate("b", "B").Candidate("c", "K").Candidate("c", "S");
  builder.Unigram("a", -10).Unigram("b", -20).Bigram("a", "b", -5).Stage2Order(2);
  builder.Stage2({}, "AA", -3).Stage2({"a"}, "B", -4).Backoff({"a"}, -1);
  builder.Chunk({"a", "b"}, {"AA", "B"}, 7);
  phonwright::data::WriteLetterToSoundModelSet(ModelDirectory(), builder.set());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace phonwright::l2s;
  if (size == 0) return 0;
  const std::filesystem::path file = ModelDirectory() / kModelFiles[data[0] % std::size(kModelFiles)];
  const std::string original = [&] {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  for (const ModelFileMode mode : {ModelFileMode::Mapped, ModelFileMode::OpenPerQuery}) {
    LetterToSoundModels models;
    models.Load(ModelDirectory(), mode);
    for (const char* word : {"abc", "cab", "a", "bbbbbbbbbbbbbbbbbbbbbbbbbbbb"}) LetterToSound(models, word);
    models.Release();
  }
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(original.data(), static_cast<std::streamsize>(original.size()));
  return 0;
}
