#include "quillon/config/firmware_image_set.h"

#include <algorithm>
#include <string_view>

#include "quillon/config/number_text.h"
#include "quillon/config/numbered_entries.h"
#include "quillon/config/private_profile.h"

namespace quillon {
namespace {

constexpr std::u16string_view kImageSection = u"FirmwareImage";
constexpr std::u16string_view kDynamicSection = u"DynamicLoadImage";

}  // namespace

std::span<const DynamicImageEntry> FirmwareImageSet::activeDynamicImages() const {
  return std::span(dynamicImages)
      .first(static_cast<std::size_t>(std::clamp<std::int32_t>(dynamicImageCount, 0, kMaxDynamicImages)));
}

std::error_code ReadFirmwareSettings(const std::filesystem::path& file, FirmwareImageSet& images) {
  const ProfileFile profile(file);
  images.mcuImagePath = profile.Read(kImageSection, u"MCUImagePath");
  images.dspImagePath = profile.Read(kImageSection, u"DSPImagePath");
  images.autobootImagePath = profile.Read(kImageSection, u"AutobootImagePath");
  images.userImagePath = profile.Read(kImageSection, u"UserImagePath");
  images.dynamicImageCount = std::clamp<std::int32_t>(
      ParseDecimal(profile.Read(kDynamicSection, u"NumOfDynamicImage", u"0")), 0, kMaxDynamicImages);
  images.dynamicImages.fill(DynamicImageEntry{});
  ReadNumberedEntries(profile, kDynamicSection, u"TaskID_", &DynamicImageEntry::TaskID,
                      std::span(images.dynamicImages).first(static_cast<std::size_t>(images.dynamicImageCount)));
  return profile.error();
}

}  // namespace quillon
