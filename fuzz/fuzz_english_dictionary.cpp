// The binary English dictionary: opened from the input, then every word of
// its index and a few others looked up.
#include "fuzz/fuzz_support.h"
#include "phonwright/english_dictionary/english_dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace phonwright;
  EnglishDictionary dictionary;
  if (!dictionary.Open(fuzzing::WriteScratchFile("english.bin", fuzzing::AsText(data, size)))) return 0;
  for (std::string word : {"HELLO", "A", "", "ZZZZ", "WORLD"}) {
    EnglishPronunciations found;
    LookupEnglishDictionary(dictionary, word, found);
  }
  return 0;
}
