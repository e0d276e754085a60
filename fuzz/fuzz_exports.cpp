// The exported conversions on arbitrary bytes, with the engine initialised
// once from a small data directory: every export that takes text or a display
// string, and the dictionary builders on the input as a word list.
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "phonwright.h"
#include "phonwright/tests/engine_fixture.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::filesystem::current_path(fuzzing::ScratchFolder());
  phonwright::testing_fixture::WriteFixtureDataDir("fastt2p");
  return Text2PhonemeInit("fastt2p/") == 1 ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // up to its first NUL for the engine
  std::vector<char> phones(PHONWRIGHT_MAX_PHONES), codes(PHONWRIGHT_MAX_CODES), units(PHONWRIGHT_MAX_UNITS);
  std::vector<std::uint16_t> display(PHONWRIGHT_MAX_DISPLAY);
  for (const char* language : {"Taiwan", "America"}) {
    Text2Phoneme(text.c_str(), phones.data(), display.data(), codes.data(), units.data(), language);
    PhonemeToLexstr(display.data(), codes.data(), units.data(), language);
  }
  Text2Phoneme_Eng(text.c_str(), phones.data(), codes.data());
  std::vector<char> readings(PHONWRIGHT_MAX_POLYPHONE_READINGS), polyphoneCodes(PHONWRIGHT_MAX_POLYPHONE_CODES);
  SearchPolyPhone(text.c_str(), readings.data(), polyphoneCodes.data());
  std::vector<char> syllables(PHONWRIGHT_MAX_SYLLABLE_CODES);
  Juin2SyllableCode(text.c_str(), syllables.data());
  int initial = 0, final = 0;
  if (size >= 4) SylCodeToIFCode(static_cast<int>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24), &initial, &final);
  std::vector<char> transitions(PHONWRIGHT_MAX_TRANSITION_UNITS);
  Text2Phoneme_interRCD(text.c_str(), transitions.data());
  Text2Phoneme_interRCD_addsil(text.c_str(), transitions.data());
  // A display string made of the input's bytes taken in pairs.
  std::vector<std::uint16_t> wide(size / 2 + 1, 0);
  for (std::size_t i = 0; i + 1 < size; i += 2) wide[i / 2] = static_cast<std::uint16_t>(data[i] | data[i + 1] << 8);
  PhonemeToLexstr(wide.data(), codes.data(), units.data(), "Taiwan");
  const auto list = fuzzing::WriteScratchFile("words.txt", text);
  MakeBeamSearchDic(list.c_str(), (fuzzing::ScratchFolder() / "words.dic").c_str(), "Taiwan");
  MakeBeamSearchDic_for_GrammarGenerator(list.c_str(), (fuzzing::ScratchFolder() / "grammar.dic").c_str(), "Taiwan");
  return 0;
}
