// Transition units: neighbouring phones or syllables joined as "<left>_<right>",
// the last one closed by the end mark as "<last>_$".
#pragma once

#include <string>
#include <string_view>

namespace phonwright {

// "p q r" gives "p_q q_r r_$" (no blank after the last unit); no token gives "".
std::string PairUnits(std::string_view tokens);

// The same over a context-unit input list, where "$" marks a word boundary at
// which no unit starts: "W EH LT $ N OW N" gives "W_EH EH_LT LT_$ N_OW OW_N N_$".
std::string PairUnitsAfterSilence(std::string_view tokens);

}  // namespace phonwright
