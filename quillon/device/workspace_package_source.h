// The package a download writes, built from a workspace's settings files: the
// device layer's PackageSource over PackageBuilder. ReadSettings runs when
// Download is pressed; the rest on the download worker, in order. Each
// download converts every sentence once, for measuring and filling alike.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/system_locale.h"
#include "quillon/config/working_directory.h"
#include "quillon/device/package_source.h"
#include "quillon/recognition/download_settings.h"
#include "quillon/recognition/package_builder.h"

namespace quillon {

class WorkspacePackageSource final : public device::PackageSource {
 public:
  // `table` and `engine` belong to the caller and outlive this source.
  WorkspacePackageSource(WorkingDirectory workspace, platform::LanguageId systemLanguage, PackageEntryTable& table,
                         SentenceConverter& engine, PackageProgress progress = {});

  void ReadSettings() override;
  std::uint32_t PreparePackageEntries(MessageSink& messages) override;
  std::size_t PackageLength() override;
  std::uint32_t FillPackage(std::span<std::uint8_t> image) override;
  std::uint16_t BlockCount() override;
  std::filesystem::path UserImagePath() override;

  const DownloadSettings& settings() const { return settings_; }

 private:
  WorkingDirectory workspace_;
  platform::LanguageId systemLanguage_;
  PackageEntryTable& table_;
  SentenceConverter& engine_;
  PackageProgress progress_;
  DownloadSettings settings_;
  std::optional<PackageBuilder> builder_;  // one per download
};

}  // namespace quillon
