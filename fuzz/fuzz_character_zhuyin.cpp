// The character-to-zhuyin table ("c2zy.tbl") from the first part of the
// input, looked up with the second part as Big5 text.
#include "fuzz/fuzz_support.h"
#include "phonwright/core/character_zhuyin.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace phonwright;
  const std::vector<std::string> parts = fuzzing::SplitInput(fuzzing::AsText(data, size), "\n====\n", 2);
  const auto table = fuzzing::WriteScratchFile("c2zy.tbl", parts[0]);
  CharactersToSyllableCodes(table, parts[1]);
  return 0;
}
