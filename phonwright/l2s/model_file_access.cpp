#include "phonwright/l2s/model_file_access.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <unordered_map>

#include "platform/mapped_file.h"
#include "platform/regular_file.h"

namespace phonwright::l2s {
namespace {

class MappedModelFile final : public ModelFile {
 public:
  explicit MappedModelFile(platform::MappedFile file) : file_(std::move(file)) {}
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
    const auto bytes = file_.bytes();
    if (offset > bytes.size() || bytes.size() - offset < out.size()) return false;
    if (!out.empty()) std::memcpy(out.data(), bytes.data() + offset, out.size());
    return true;
  }

 private:
  platform::MappedFile file_;
};

class MappedModelFileAccess final : public ModelFileAccess {
 public:
  explicit MappedModelFileAccess(std::filesystem::path dataDirectory) : directory_(std::move(dataDirectory)) {}
  std::shared_ptr<const ModelFile> Open(const std::string& relativeName) override {
    auto [entry, added] = files_.try_emplace(relativeName);
    if (added) {
      platform::MappedFile file;
      if (file.Open(directory_ / relativeName)) entry->second = std::make_shared<MappedModelFile>(std::move(file));
    }
    return entry->second;
  }

 private:
  std::filesystem::path directory_;
  // Missing files are remembered as null: the model set does not change while loaded.
  std::unordered_map<std::string, std::shared_ptr<const ModelFile>> files_;
};

class StreamModelFile final : public ModelFile {
 public:
  explicit StreamModelFile(platform::UniqueFd fd) : fd_(std::move(fd)) {}
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
    if (offset > static_cast<std::uint64_t>(LONG_MAX)) return false;
    std::size_t filled = 0;
    while (filled < out.size()) {
      const ssize_t n = ::pread(fd_.Get(), out.data() + filled, out.size() - filled,
                                static_cast<off_t>(offset + filled));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      filled += static_cast<std::size_t>(n);
    }
    return true;
  }

 private:
  platform::UniqueFd fd_;
};

class PerQueryModelFileAccess final : public ModelFileAccess {
 public:
  explicit PerQueryModelFileAccess(std::filesystem::path dataDirectory) : directory_(std::move(dataDirectory)) {}
  std::shared_ptr<const ModelFile> Open(const std::string& relativeName) override {
    platform::RegularFile file = platform::OpenRegularFile(directory_ / relativeName);
    if (file.error) return nullptr;
    return std::make_shared<StreamModelFile>(std::move(file.fd));
  }

 private:
  std::filesystem::path directory_;
};

}  // namespace

std::unique_ptr<ModelFileAccess> MakeModelFileAccess(ModelFileMode mode, std::filesystem::path dataDirectory) {
  if (mode == ModelFileMode::OpenPerQuery) return std::make_unique<PerQueryModelFileAccess>(std::move(dataDirectory));
  return std::make_unique<MappedModelFileAccess>(std::move(dataDirectory));
}

}  // namespace phonwright::l2s
