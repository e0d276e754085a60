// Where a text file writer's bytes go: a file (replaced whole when the writer
// closes) or, in tests, a recorder of the blocks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace quillon {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Takes the next block of bytes. Returns false when they could not be kept.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Ends the output. Returns false when it could not be stored.
  virtual bool Finish() = 0;
};

// Keeps the blocks and, when finished, replaces the file at `path` with them
// in one atomic step, so an interrupted save leaves the previous file intact.
// Finishing fails when the folder is missing or not writable.
class FileReplacingSink final : public ByteSink {
 public:
  explicit FileReplacingSink(std::filesystem::path path) : path_(std::move(path)) {}
  bool Write(std::span<const std::uint8_t> bytes) override;
  bool Finish() override;

 private:
  std::filesystem::path path_;
  std::string content_;
};

}  // namespace quillon
