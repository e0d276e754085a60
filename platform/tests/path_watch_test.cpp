#include "platform/path_watch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;
using Events = PathWatch::FileEvents;

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A file that exists and one whose directory does not.
const std::vector<PathWatch::WatchedPath> kTwoModelPaths = {
    {"area/data/unit.model", Events::kIdentityAndContent},
    {"area/other/unit.model", Events::kIdentityAndContent}};

// "area/data/unit.model" and a sibling, fresh for every case.
class PathWatchTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all("area");
    fs::create_directories("area/data");
    WriteText("area/data/unit.model", "model");
    WriteText("area/data/sibling", "sibling");
    PathWatch probe;
    if (!probe.Arm({{"area/data/unit.model", Events::kIdentity}}))
      GTEST_SKIP() << "the test directory is not on a file system the watch trusts";
  }
  void TearDown() override {
    fs::current_path(start_);
    std::error_code ignored;
    fs::permissions("area/data", fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all("area", ignored);
  }
  const fs::path start_ = fs::current_path();
};

TEST_F(PathWatchTest, ReadingTheFileOrChangingOtherEntriesIsNoChange) {
  PathWatch watch;
  ASSERT_TRUE(watch.Arm(kTwoModelPaths));
  EXPECT_TRUE(watch.Unchanged());
  EXPECT_TRUE(watch.Unchanged());
  std::ifstream("area/data/unit.model").get();
  WriteText("area/data/sibling", "rewritten");
  fs::rename("area/data/sibling", "area/data/sibling2");
  WriteText("area/unrelated", "x");
  fs::create_directories("area/elsewhere");
  EXPECT_TRUE(watch.Unchanged());
}

TEST_F(PathWatchTest, EveryChangeThatCanAlterWhatThePathsNameIsReported) {
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"written in place", [] { WriteText("area/data/unit.model", "edited"); }},
      {"replaced by a rename",
       [] {
         WriteText("area/data/new", "new");
         fs::rename("area/data/new", "area/data/unit.model");
       }},
      {"removed", [] { fs::remove("area/data/unit.model"); }},
      {"moved away", [] { fs::rename("area/data/unit.model", "area/data/old.model"); }},
      {"its directory moved and another put in its place",
       [] {
         fs::rename("area/data", "area/data.old");
         fs::create_directories("area/data");
         fs::copy_file("area/data.old/unit.model", "area/data/unit.model");
       }},
      {"its directory's permissions changed",
       [] { fs::permissions("area/data", fs::perms::owner_write, fs::perm_options::remove); }},
      {"a missing directory on the second path created",
       [] { fs::create_directories("area/other"); }},
      {"the working directory changed", [] { fs::current_path("area"); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    SetUp();
    PathWatch watch;
    ASSERT_TRUE(watch.Arm(kTwoModelPaths));
    change();
    EXPECT_FALSE(watch.Unchanged());
    EXPECT_FALSE(watch.Unchanged());  // until armed again
    fs::current_path(start_);
    fs::permissions("area/data", fs::perms::owner_all, fs::perm_options::add);
  }
}

TEST_F(PathWatchTest, MissingFileCreatedIsReportedAndArmingAgainStartsOver) {
  PathWatch watch;
  ASSERT_TRUE(watch.Arm({{"area/later/unit.model", Events::kIdentity}}));
  fs::create_directories("area/later");
  EXPECT_FALSE(watch.Unchanged());
  ASSERT_TRUE(watch.Arm({{"area/later/unit.model", Events::kIdentity}}));
  EXPECT_TRUE(watch.Unchanged());
  WriteText("area/later/unit.model", "now");
  EXPECT_FALSE(watch.Unchanged());
  ASSERT_TRUE(watch.Arm({{"area/later/unit.model", Events::kIdentity}}));
  EXPECT_TRUE(watch.Unchanged());
}

TEST_F(PathWatchTest, IdentityWatchLetsTheFileBeWrittenButNotReplaced) {
  PathWatch watch;
  ASSERT_TRUE(watch.Arm({{"area/data/unit.model", Events::kIdentity}}));
  WriteText("area/data/unit.model", "the owner's own writes");
  EXPECT_TRUE(watch.Unchanged());
  WriteText("area/data/new", "new");
  fs::rename("area/data/new", "area/data/unit.model");
  EXPECT_FALSE(watch.Unchanged());
}

TEST_F(PathWatchTest, LinksAndParentNamesAreFollowedAndTheirTargetsWatched) {
  fs::create_directory_symlink("data", "area/link");
  fs::create_directories("area/data2");
  WriteText("area/data2/unit.model", "other model");
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"the target file written", [] { WriteText("area/data/unit.model", "edited"); }},
      {"the link pointed elsewhere",
       [] {
         fs::remove("area/link");
         fs::create_directory_symlink("data2", "area/link");
       }},
      {"the target directory moved", [] { fs::rename("area/data", "area/data.old"); }},
  };
  for (const std::string_view path : {"area/link/unit.model", "area/data/../link/unit.model"}) {
    for (const auto& [name, change] : changes) {
      SCOPED_TRACE(std::string(path) + ": " + name);
      PathWatch watch;
      ASSERT_TRUE(watch.Arm({{path, Events::kIdentityAndContent}}));
      EXPECT_TRUE(watch.Unchanged());
      change();
      EXPECT_FALSE(watch.Unchanged());
      fs::remove_all("area/data.old");
      fs::remove("area/link");
      fs::create_directories("area/data");
      WriteText("area/data/unit.model", "model");
      fs::create_directory_symlink("data", "area/link");
    }
  }
}

TEST_F(PathWatchTest, PathsItCannotVouchForLeaveItUnarmed) {
  fs::create_directory_symlink("loop", "area/loop");
  std::string long_path = "area";
  for (std::size_t i = 0; i < PathWatch::kMaxComponents; ++i) long_path += "/data/..";
  PathWatch watch;
  EXPECT_FALSE(watch.Arm({{"area/loop/unit.model", Events::kIdentity}}));
  EXPECT_FALSE(watch.Unchanged());
  EXPECT_FALSE(watch.Arm({{long_path + "/data/unit.model", Events::kIdentity}}));
  EXPECT_FALSE(watch.Arm({}));
  EXPECT_FALSE(watch.Arm({{"", Events::kIdentity}}));
  // One path it cannot vouch for refuses the whole set.
  EXPECT_FALSE(watch.Arm({{"area/data/unit.model", Events::kIdentity}, {"area/loop/x", Events::kIdentity}}));
  EXPECT_FALSE(watch.Unchanged());
  ASSERT_TRUE(watch.Arm({{"area/data/unit.model", Events::kIdentity}}));
  EXPECT_TRUE(watch.Unchanged());
}

TEST_F(PathWatchTest, AbsolutePathsAreWatchedFromTheRoot) {
  PathWatch watch;
  const std::string absolute = (fs::current_path() / "area/data/unit.model").string();
  ASSERT_TRUE(watch.Arm({{absolute, Events::kIdentity}}));
  fs::current_path("area");  // another working directory still counts as a change
  EXPECT_FALSE(watch.Unchanged());
  fs::current_path(start_);
  ASSERT_TRUE(watch.Arm({{absolute, Events::kIdentity}}));
  fs::remove(absolute);
  EXPECT_FALSE(watch.Unchanged());
}

}  // namespace
}  // namespace platform
