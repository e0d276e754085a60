// The last step of English conversion: the sonorants L, R, M, N are marked by
// their place in the syllable (H before a vowel, T otherwise and at the end of
// a word), and every unit is numbered with its English unit code.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace phonwright {

// The context-unit input list holds at most this many bytes, its zero included.
inline constexpr std::size_t kContextUnitInputSize = 1024;

struct MarkedUnits {
  std::string phonemes;      // "HH AH LH OW W ER LT D"
  std::string codes;         // "428 414 433 440 452 424 434 421"
  std::string contextUnits;  // "HH AH LH OW  $ W ER LT D": the input of context-unit naming
};

// Reads whitespace-separated phones where "$" separates words. The unit before
// a "$" is a word end; the phone after a "$" starts the next word but is not
// emitted for the "$" itself. The last unit has no blank after it in the
// phonemes and the list, and a last non-sonorant no blank after its code. The
// context-unit list keeps whole units only, up to kContextUnitInputSize - 1 bytes.
MarkedUnits MarkSonorants(std::string_view phonemes);
// The same into `out`, its strings replaced (their room is reused).
void MarkSonorants(std::string_view phonemes, MarkedUnits& out);

}  // namespace phonwright
