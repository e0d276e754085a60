// The initial/final (I/F) code table: for each syllable number of the syllable
// table (0 to 409) the acoustic initial code (0 to 100, which depends on the
// initial and on the class of the final that follows it) and the final code
// (0 to 38). Syllable 0 has (0, 0).
#pragma once

namespace phonwright {

struct InitialFinalCodes {
  int initial = 0;
  int final = 0;
  friend bool operator==(const InitialFinalCodes&, const InitialFinalCodes&) = default;
};

// Codes of syllable `number`. Numbers outside 0 to 409 (among them 410 and 411
// of the zhuyin code table, which have no row) give (0, 0).
InitialFinalCodes InitialFinalCodesOf(int number);

}  // namespace phonwright
