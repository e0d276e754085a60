#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include <gtest/gtest.h>

#include "platform/mapped_file.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class RegularFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  fs::path Write(const std::string& name, const std::string& bytes) {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
    return root_ / name;
  }
  const fs::path root_ = fs::path("regular-file");
};

// Runs `read` on a FIFO nobody writes to; a reader that blocks is released by
// opening the FIFO's other end, so the test fails instead of hanging.
template <typename Read>
void ExpectRefusedWithoutBlocking(const fs::path& fifo, Read read) {
  auto result = std::async(std::launch::async, read);
  if (result.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    const int writer = ::open(fifo.c_str(), O_WRONLY);
    ::close(writer);
    result.wait();
    FAIL() << "the read blocked on a FIFO";
  }
  EXPECT_EQ(result.get(), make_error_code(FileRefusal::NotRegularFile));
}

TEST_F(RegularFileTest, FifoDeviceAndDirectoryAreRefusedWithoutBlocking) {
  const fs::path fifo = root_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ExpectRefusedWithoutBlocking(fifo, [&] { return OpenRegularFile(fifo).error; });
  ExpectRefusedWithoutBlocking(fifo, [&] { return ReadRegularFile(fifo, 100).error; });
  ExpectRefusedWithoutBlocking(fifo, [&] { return SizeOfRegularFile(fifo).error; });
  MappedFile mapped;
  EXPECT_FALSE(mapped.Open(fifo));

  EXPECT_EQ(ReadRegularFile("/dev/zero", 100).error, make_error_code(FileRefusal::NotRegularFile));
  EXPECT_EQ(ReadRegularFile(root_, 100).error, std::make_error_code(std::errc::is_a_directory));
  EXPECT_EQ(ReadRegularFile(root_ / "missing", 100).error,
            std::make_error_code(std::errc::no_such_file_or_directory));
  EXPECT_NE(make_error_code(FileRefusal::NotRegularFile).message().find("not a regular file"), std::string::npos);
}

TEST_F(RegularFileTest, ReadsWholeFilesThroughLinksUpToTheCap) {
  const fs::path file = Write("data.bin", std::string("ab\0cd", 5));
  fs::create_symlink("data.bin", root_ / "link");
  const RegularFileBytes read = ReadRegularFile(root_ / "link", 5);
  EXPECT_FALSE(read.error);
  EXPECT_EQ(read.bytes, std::string("ab\0cd", 5));
  EXPECT_EQ(SizeOfRegularFile(root_ / "link").size, 5u);

  const RegularFileBytes over = ReadRegularFile(file, 4);
  EXPECT_EQ(over.error, std::make_error_code(std::errc::file_too_large));
  EXPECT_TRUE(over.bytes.empty());

  const RegularFileBytes empty = ReadRegularFile(Write("empty", ""), 0);
  EXPECT_FALSE(empty.error);
  EXPECT_TRUE(empty.bytes.empty());

  const RegularFile opened = OpenRegularFile(file);
  ASSERT_TRUE(opened.fd.Valid());
  EXPECT_EQ(opened.size, 5u);
  EXPECT_EQ(::fcntl(opened.fd.Get(), F_GETFL) & O_NONBLOCK, 0);
}

TEST_F(RegularFileTest, FilesOfTheProcessFileSystemThatGrowPastTheirSizeAreCapped) {
  // /proc files report size 0 and give more: the cap still holds.
  const RegularFileBytes status = ReadRegularFile("/proc/self/status", 16);
  EXPECT_EQ(status.error, std::make_error_code(std::errc::file_too_large));
  EXPECT_FALSE(ReadRegularFile("/proc/self/status", 1 << 20).error);
}

}  // namespace
}  // namespace platform
