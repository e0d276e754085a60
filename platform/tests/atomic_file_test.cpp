#include "platform/atomic_file.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/regular_file.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A process id that no process has: a child that has exited and been reaped.
pid_t DeadProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  const fs::path root_ = fs::path("atomic-file");
};

TEST_F(AtomicFileTest, ReplacesTheContentAndLeavesNoSibling) {
  ASSERT_FALSE(WriteFileAtomically(root_ / "a.ini", "first"));
  ASSERT_FALSE(WriteFileAtomically(root_ / "a.ini", "second"));
  EXPECT_EQ(Read(root_ / "a.ini"), "second");
  EXPECT_EQ(Names(root_), std::vector<std::string>{"a.ini"});
  EXPECT_EQ(WriteFileAtomically(root_ / "missing" / "a.ini", "x"),
            std::make_error_code(std::errc::no_such_file_or_directory));
}

TEST_F(AtomicFileTest, FollowsSymbolicLinksAndKeepsModeAndHardLinks) {
  fs::create_directories(root_ / "real");
  ASSERT_FALSE(WriteFileAtomically(root_ / "real" / "settings.ini", "old"));
  fs::create_symlink("real/settings.ini", root_ / "link.ini");
  ::chmod((root_ / "real" / "settings.ini").c_str(), 0600);
  fs::create_hard_link(root_ / "real" / "settings.ini", root_ / "hard.ini");

  ASSERT_FALSE(WriteFileAtomically(root_ / "link.ini", "new content"));
  EXPECT_TRUE(fs::is_symlink(root_ / "link.ini"));
  EXPECT_EQ(Read(root_ / "real" / "settings.ini"), "new content");
  EXPECT_EQ(Read(root_ / "hard.ini"), "new content");
  struct stat info {};
  ASSERT_EQ(::stat((root_ / "real" / "settings.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(info.st_nlink, 2u);
  EXPECT_EQ(Names(root_ / "real"), std::vector<std::string>{"settings.ini"});

  // A dangling link creates the file it names.
  fs::create_symlink("real/created.ini", root_ / "dangling.ini");
  ASSERT_FALSE(WriteFileAtomically(root_ / "dangling.ini", "made"));
  EXPECT_EQ(Read(root_ / "real" / "created.ini"), "made");
  fs::create_symlink("loop.ini", root_ / "loop.ini");
  EXPECT_EQ(WriteFileAtomically(root_ / "loop.ini", "x"), std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

TEST_F(AtomicFileTest, SiblingsOfKilledWritersAreRemovedAndLiveOnesKept) {
  const std::string dead = ".cmd.txt.tmp-" + std::to_string(DeadProcessId());
  const std::string deadNumbered = dead + "-3";
  const std::string live = ".cmd.txt.tmp-" + std::to_string(::getppid()) + "-0";
  const std::string otherTarget = ".other.txt.tmp-" + std::to_string(DeadProcessId());
  for (const std::string& name : {dead, deadNumbered, live, otherTarget}) std::ofstream(root_ / name) << "stale";

  ASSERT_FALSE(WriteFileAtomically(root_ / "cmd.txt", "1 x\n"));
  std::vector<std::string> expected{live, otherTarget, "cmd.txt"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(root_), expected);
}

TEST_F(AtomicFileTest, AnythingButARegularFileAtTheTargetIsLeftAlone) {
  ASSERT_EQ(::mkfifo((root_ / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(WriteFileAtomically(root_ / "fifo", "x"), make_error_code(FileRefusal::NotRegularFile));
  EXPECT_TRUE(fs::is_fifo(root_ / "fifo"));
  fs::create_directories(root_ / "folder");
  EXPECT_EQ(WriteFileAtomically(root_ / "folder", "x"), std::make_error_code(std::errc::is_a_directory));
  EXPECT_EQ(Names(root_), (std::vector<std::string>{"fifo", "folder"}));
}

TEST_F(AtomicFileTest, AGroupReplacesNothingUnlessEveryFileWasStaged) {
  ASSERT_FALSE(WriteFileAtomically(root_ / "out.bin", "old image"));
  ASSERT_FALSE(WriteFileAtomically(root_ / "out.bin.user", "old user"));
  {
    AtomicFileGroup group;
    ASSERT_FALSE(group.Stage(root_ / "out.bin", "new image"));
    EXPECT_TRUE(group.Stage(root_ / "missing" / "out.bin.user", "new user"));
  }  // abandoned: its staged sibling goes with it
  EXPECT_EQ(Read(root_ / "out.bin"), "old image");
  EXPECT_EQ(Names(root_), (std::vector<std::string>{"out.bin", "out.bin.user"}));

  AtomicFileGroup group;
  ASSERT_FALSE(group.Stage(root_ / "out.bin", "new image"));
  group.StageRemoval(root_ / "out.bin.user");
  group.StageRemoval(root_ / "never-there");
  EXPECT_EQ(Read(root_ / "out.bin.user"), "old user");  // nothing changes before the commit
  ASSERT_FALSE(group.Commit());
  EXPECT_EQ(Read(root_ / "out.bin"), "new image");
  EXPECT_EQ(Names(root_), std::vector<std::string>{"out.bin"});
}

}  // namespace
}  // namespace platform
