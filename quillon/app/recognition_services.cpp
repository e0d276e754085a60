#include "quillon/app/recognition_services.h"

#include "quillon/device/workspace_package_source.h"

namespace quillon {

RecognitionServices::RecognitionServices(const WorkingDirectory& workspace)
    : workspace_(workspace),
      systemLanguage_(platform::CurrentSystemLocale().languageId),
      loader_(converter_, systemLanguage_) {}

std::unique_ptr<device::PackageSource> RecognitionServices::CreatePackageSource() {
  return std::make_unique<WorkspacePackageSource>(workspace_, systemLanguage_, entries_, converter_);
}

}  // namespace quillon
