#include "phonwright/l2s/model_file_access.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "platform/mapped_file.h"

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
  explicit StreamModelFile(std::FILE* stream) : stream_(stream) {}
  StreamModelFile(const StreamModelFile&) = delete;
  StreamModelFile& operator=(const StreamModelFile&) = delete;
  ~StreamModelFile() override { std::fclose(stream_); }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
    if (offset > static_cast<std::uint64_t>(LONG_MAX)) return false;
    if (std::fseek(stream_, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return std::fread(out.data(), 1, out.size(), stream_) == out.size();
  }

 private:
  std::FILE* stream_;
};

class PerQueryModelFileAccess final : public ModelFileAccess {
 public:
  explicit PerQueryModelFileAccess(std::filesystem::path dataDirectory) : directory_(std::move(dataDirectory)) {}
  std::shared_ptr<const ModelFile> Open(const std::string& relativeName) override {
    std::FILE* stream = std::fopen((directory_ / relativeName).c_str(), "rb");
    if (stream == nullptr) return nullptr;
    return std::make_shared<StreamModelFile>(stream);
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
