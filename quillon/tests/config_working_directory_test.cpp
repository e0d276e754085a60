// The working directory and the stored-path rule.
#include <gtest/gtest.h>

#include <string>

#include "quillon/config/working_directory.h"

namespace quillon {
namespace {

TEST(WorkingDirectoryTest, CapturesTheCurrentDirectory) {
  const std::optional<WorkingDirectory> directory = WorkingDirectory::Capture();
  ASSERT_TRUE(directory.has_value());
  EXPECT_EQ(directory->path(), std::filesystem::current_path());
}

TEST(WorkingDirectoryTest, TextAndSeparatorCount) {
  const auto directory = WorkingDirectory::FromPath("/srv/Tool/");
  ASSERT_TRUE(directory.has_value());
  EXPECT_EQ(directory->text(), u"/srv/Tool");
  EXPECT_EQ(directory->separatorCount(), 2u);

  const auto root = WorkingDirectory::FromPath("/");
  ASSERT_TRUE(root.has_value());
  EXPECT_EQ(root->text(), u"/");
  EXPECT_EQ(root->separatorCount(), 1u);

  EXPECT_FALSE(WorkingDirectory::FromPath("relative/dir").has_value());
}

TEST(WorkingDirectoryTest, RefusesDirectoriesLongerThan255Units) {
  const std::string fits = "/" + std::string(254, 'a');
  EXPECT_TRUE(WorkingDirectory::FromPath(fits).has_value());
  EXPECT_FALSE(WorkingDirectory::FromPath(fits + "a").has_value());
  // The limit counts UTF-16 units, not bytes: 254 three-byte characters fit.
  std::string wide = "/";
  for (int i = 0; i < 254; ++i) wide += "\xE9\x96\x8B";
  EXPECT_TRUE(WorkingDirectory::FromPath(wide).has_value());
}

TEST(WorkingDirectoryTest, ResolveAppendsTheStoredPathInNativeForm) {
  const auto directory = *WorkingDirectory::FromPath("/srv/Tool");
  EXPECT_EQ(directory.Resolve(u"\\cmd\\On.txt"), std::filesystem::path("/srv/Tool/cmd/On.txt"));
  EXPECT_EQ(directory.Resolve(u"\\..\\Other\\\u958b.txt"), std::filesystem::path("/srv/Tool/../Other/\xE9\x96\x8B.txt"));
  EXPECT_EQ(directory.Resolve(u""), std::filesystem::path("/srv/Tool"));
  // No separator is added: the root directory takes paths without one.
  EXPECT_EQ(WorkingDirectory::FromPath("/")->Resolve(u"On.txt"), std::filesystem::path("/On.txt"));
}

}  // namespace
}  // namespace quillon
