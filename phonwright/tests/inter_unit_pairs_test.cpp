#include "phonwright/inter_unit/inter_unit_pairs.h"

#include <gtest/gtest.h>

namespace phonwright {
namespace {

TEST(PairUnits, JoinsNeighboursAndClosesWithTheEndMark) {
  EXPECT_EQ(PairUnits("p q r"), "p_q q_r r_$");
  EXPECT_EQ(PairUnits("  x  "), "x_$");
  EXPECT_EQ(PairUnits("   "), "");
}

TEST(PairUnitsAfterSilence, StartsNoUnitAtAWordBoundary) {
  EXPECT_EQ(PairUnitsAfterSilence("HH AH LH OW"), "HH_AH AH_LH LH_OW OW_$");
  EXPECT_EQ(PairUnitsAfterSilence("W EH LT $ N OW N"), "W_EH EH_LT LT_$ N_OW OW_N N_$");
  EXPECT_EQ(PairUnitsAfterSilence("A $"), "A_$ ");
  EXPECT_EQ(PairUnitsAfterSilence(""), "");
}

}  // namespace
}  // namespace phonwright
