// The conversions behind the inter-unit exports: a sentence to transition
// units (all neighbouring phones and syllables, or English word by word), and a
// display string back to syllable codes, unit codes and unit names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "phonwright/inter_unit/inter_unit_lexicon.h"

namespace phonwright {

class Engine;

// Longest text the transition-unit conversions take, in bytes.
inline constexpr std::size_t kMaxTransitionTextBytes = 256;
// Longest lexicon text a display string may map to, in bytes.
inline constexpr std::size_t kMaxLexiconBytes = 2000;

enum class TransitionMode {
  kAllNeighbours,    // every pair of neighbouring phones or syllables
  kEnglishWordWise,  // English words paired on their own, syllables as they are
};

// The transition units of `text`, or nullopt (with a message) for a text over
// 256 bytes or units beyond the output limit. Leaves no "tmp.txt" behind.
std::optional<std::string> ConvertToTransitionUnits(Engine& engine, std::string_view text,
                                                    TransitionMode mode);

struct LexiconUnits {
  int result = -1;    // a LexiconKind, or -1: no token, or a token no syllable or phone
  std::string codes;  // syllable codes and English unit codes, "%d " each
  std::string units;  // I/F pairs and English unit names, no trailing blank
  bool had_tokens = false;  // false: the caller's outputs stay as they were
};

LexiconUnits ConvertDisplayToUnits(Engine& engine, std::u16string_view display,
                                   std::string_view language);

}  // namespace phonwright
