// How the letter-to-sound queries reach the binary model files (score models,
// chunk dictionary, chunk pronunciations), named relative to the data directory.
//
// Two ways, with the same answers: the mapped access maps each file on first
// use and keeps it for the life of the models (the engine's choice); the
// per-query access opens the file for every query and reads it by seeks, the
// way the models were first read (kept to measure the difference).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace phonwright::l2s {

// Random access to the bytes of one model file.
class ModelFile {
 public:
  virtual ~ModelFile() = default;
  // Copies out.size() bytes found at `offset`; false when the file does not
  // hold all of them (a damaged file then reads as holding nothing there).
  virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

class ModelFileAccess {
 public:
  virtual ~ModelFileAccess() = default;
  // The file for the length of one query; null when it cannot be opened.
  virtual std::shared_ptr<const ModelFile> Open(const std::string& relativeName) = 0;
};

enum class ModelFileMode { Mapped, OpenPerQuery };

std::unique_ptr<ModelFileAccess> MakeModelFileAccess(ModelFileMode mode, std::filesystem::path dataDirectory);

}  // namespace phonwright::l2s
