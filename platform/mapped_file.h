// A read-only view of a whole file through a memory map. Readers of the large
// binary data files use it so that a lookup is a memory access instead of a
// seek and a read on an open stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace platform {

class MappedFile {
 public:
  MappedFile() = default;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  ~MappedFile();

  // Maps `path` for reading. Returns false (and stays closed) when it is not
  // a regular file or cannot be opened or mapped. An empty file opens with no
  // bytes.
  bool Open(const std::filesystem::path& path);
  void Close();

  bool is_open() const { return open_; }
  std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  bool open_ = false;
};

}  // namespace platform
