// The three INQUIRY identities the device answers with (the first 36 bytes of
// the reply). The optical and direct-access identities mean the RAM program
// is not running; the ready identity means it is.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace quillon::device {

enum class DeviceIdentity { DirectAccess, Optical, Ready };

using InquiryData = std::array<std::uint8_t, 36>;

// The exact reply of each identity.
InquiryData InquiryDataOf(DeviceIdentity identity);

// The identity whose 36 bytes `reply` starts with; none for any other reply
// or a reply shorter than 36 bytes.
std::optional<DeviceIdentity> IdentifyInquiry(std::span<const std::uint8_t> reply);

}  // namespace quillon::device
