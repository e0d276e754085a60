#include "phonwright/core/scratch_run_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace phonwright {
namespace {

namespace fs = std::filesystem;

std::string Content() {
  std::ifstream file(kScratchRunFile, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

class ScratchRunFileTest : public testing::Test {
 protected:
  void SetUp() override { fs::remove(kScratchRunFile); }
  void TearDown() override { fs::remove(kScratchRunFile); }
  ScratchRunFile scratch_;
};

TEST_F(ScratchRunFileTest, EveryWriteLeavesExactlyItsLine) {
  for (const char* runs : {"ab ", "ab ", "abcdefgh ", "a ", "abcdefghijkl ", "abcdefghijkl ", "xyz "}) {
    SCOPED_TRACE(runs);
    ASSERT_TRUE(scratch_.Write(runs));
    EXPECT_EQ(Content(), std::string(runs) + "\n");
  }
}

// Another program may write to the file between two conversions; the next
// conversion still leaves its own line and nothing else.
TEST_F(ScratchRunFileTest, LineIsExactWhateverAnotherProgramDidToTheFile) {
  ASSERT_TRUE(scratch_.Write("ab "));
  ASSERT_TRUE(scratch_.Write("ab "));
  std::ofstream(kScratchRunFile, std::ios::binary | std::ios::trunc) << "a much longer line\n";
  ASSERT_TRUE(scratch_.Write("cd "));
  EXPECT_EQ(Content(), "cd \n");  // not "cd \nch longer line\n"

  // The same length, changed in place: the same line again is written again.
  std::fstream(kScratchRunFile, std::ios::binary | std::ios::in | std::ios::out) << "xy";
  ASSERT_TRUE(scratch_.Write("cd "));
  EXPECT_EQ(Content(), "cd \n");

  std::ofstream("other.txt", std::ios::binary) << "another file\n";
  fs::rename("other.txt", kScratchRunFile);
  ASSERT_TRUE(scratch_.Write("cd "));
  EXPECT_EQ(Content(), "cd \n");
  ASSERT_TRUE(scratch_.Write("efg "));
  EXPECT_EQ(Content(), "efg \n");
}

}  // namespace
}  // namespace phonwright
