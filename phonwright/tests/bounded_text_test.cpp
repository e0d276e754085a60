#include "phonwright/core/bounded_text.h"

#include <gtest/gtest.h>

namespace phonwright {
namespace {

TEST(BoundedText, CutsAtCapacityAndStaysTerminated) {
  char buffer[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  BoundedText out(buffer, sizeof buffer);
  EXPECT_TRUE(out.Append("abc"));
  EXPECT_FALSE(out.Append("defg"));
  EXPECT_EQ(out.view(), "abcde");
  EXPECT_STREQ(buffer, "abcde");
  EXPECT_TRUE(out.overflowed());
  EXPECT_FALSE(out.Append('z'));
  out.Clear();
  EXPECT_TRUE(out.AppendFormat("%d ", 4022));
  EXPECT_STREQ(buffer, "4022 ");
}

TEST(BoundedText, LongFormattedTextIsCutNotOverrun) {
  char buffer[300];
  BoundedText out(buffer, sizeof buffer);
  const std::string long_text(400, 'q');
  EXPECT_FALSE(out.AppendFormat("%s", long_text.c_str()));
  EXPECT_EQ(out.size(), 299u);
  char tiny[1];
  EXPECT_FALSE(CopyBounded(tiny, 1, "a"));
  EXPECT_EQ(tiny[0], '\0');
}

}  // namespace
}  // namespace phonwright
