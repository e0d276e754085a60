// The two UTF-16LE display tables loaded from the input.
#include "fuzz/fuzz_support.h"
#include "phonwright/core/display_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace phonwright;
  const auto path = fuzzing::WriteScratchFile("display.txt", fuzzing::AsText(data, size)).string();
  DisplayTables tables;
  tables.LoadEnglish(path);
  tables.LoadChinese(path);
  return 0;
}
