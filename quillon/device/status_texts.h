// The five texts of the information box that tell the device state and the
// outcome of a download.
#pragma once

#include <array>
#include <string_view>

namespace quillon::device {

enum class StatusText { NoDevice, DeviceConnected, Downloading, DownloadComplete, DownloadFail };

inline constexpr std::array<std::u16string_view, 5> kStatusTexts = {
    u"No device", u"Device connected", u"Downloading", u"Download complete", u"Download fail"};

inline constexpr std::u16string_view StatusTextOf(StatusText status) {
  return kStatusTexts[static_cast<std::size_t>(status)];
}

}  // namespace quillon::device
