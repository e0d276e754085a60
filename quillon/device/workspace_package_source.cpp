#include "quillon/device/workspace_package_source.h"

#include "quillon/recognition/result_codes.h"

namespace quillon {

WorkspacePackageSource::WorkspacePackageSource(WorkingDirectory workspace, platform::LanguageId systemLanguage,
                                               PackageEntryTable& table, SentenceConverter& engine,
                                               PackageProgress progress)
    : workspace_(std::move(workspace)),
      systemLanguage_(systemLanguage),
      table_(table),
      engine_(engine),
      progress_(std::move(progress)) {}

void WorkspacePackageSource::ReadSettings() { settings_ = ReadDownloadSettings(workspace_); }

std::uint32_t WorkspacePackageSource::PreparePackageEntries(MessageSink& messages) {
  const PackageInputs inputs{workspace_, settings_.firmware, settings_.asr, settings_.voices, systemLanguage_};
  builder_.emplace(inputs, table_, engine_, progress_);
  return builder_->PreparePackageEntries(messages);
}

std::size_t WorkspacePackageSource::PackageLength() { return builder_ ? builder_->PackageLength() : 0; }

std::uint32_t WorkspacePackageSource::FillPackage(std::span<std::uint8_t> image) {
  if (!builder_) return kResultLengthMismatch;
  return builder_->FillPackage(image);
}

std::uint16_t WorkspacePackageSource::BlockCount() { return builder_ ? builder_->BlockCount() : 0; }

std::filesystem::path WorkspacePackageSource::UserImagePath() {
  if (settings_.firmware.userImagePath.empty()) return {};
  return workspace_.Resolve(settings_.firmware.userImagePath.view());
}

}  // namespace quillon
