#include "platform/mapped_file.h"

#include <sys/mman.h>

#include <utility>

#include "platform/regular_file.h"

namespace platform {

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      open_(std::exchange(other.open_, false)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    Close();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    open_ = std::exchange(other.open_, false);
  }
  return *this;
}

MappedFile::~MappedFile() { Close(); }

bool MappedFile::Open(const std::filesystem::path& path) {
  Close();
  const RegularFile file = OpenRegularFile(path);
  if (file.error) return false;
  const auto size = static_cast<std::size_t>(file.size);
  if (size > 0) {
    void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.fd.Get(), 0);
    if (mapping == MAP_FAILED) return false;
    data_ = static_cast<const std::uint8_t*>(mapping);
  }
  size_ = size;  // the mapping stays valid without the descriptor
  open_ = true;
  return true;
}

void MappedFile::Close() {
  if (data_ != nullptr) ::munmap(const_cast<std::uint8_t*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
  open_ = false;
}

}  // namespace platform
