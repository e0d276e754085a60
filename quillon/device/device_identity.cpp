#include "quillon/device/device_identity.h"

#include <algorithm>
#include <string_view>

namespace quillon::device {
namespace {

InquiryData Compose(std::array<std::uint8_t, 8> header, std::string_view vendor,
                    std::string_view product, std::string_view revision) {
  InquiryData data{};
  std::copy(header.begin(), header.end(), data.begin());
  std::copy(vendor.begin(), vendor.end(), data.begin() + 8);
  std::copy(product.begin(), product.end(), data.begin() + 16);
  std::copy(revision.begin(), revision.end(), data.begin() + 32);
  return data;
}

}  // namespace

InquiryData InquiryDataOf(DeviceIdentity identity) {
  switch (identity) {
    case DeviceIdentity::DirectAccess:
      return Compose({0x00, 0x80, 0x02, 0x02, 0x04, 0, 0, 0}, "G", "", "");
    case DeviceIdentity::Optical:
      return Compose({0x05, 0x00, 0x02, 0x02, 0x1F, 0, 0, 0}, "QX27B900", "OPTICAL DEVICE  ", "v1.0");
    case DeviceIdentity::Ready:
      return Compose({0x05, 0x00, 0x02, 0x02, 0x1F, 0, 0, 0}, "QX27B900", "ZPR4400 DEVICE  ", "v1.0");
  }
  return {};
}

std::optional<DeviceIdentity> IdentifyInquiry(std::span<const std::uint8_t> reply) {
  if (reply.size() < InquiryData{}.size()) return std::nullopt;
  for (DeviceIdentity identity :
       {DeviceIdentity::DirectAccess, DeviceIdentity::Optical, DeviceIdentity::Ready}) {
    const InquiryData expected = InquiryDataOf(identity);
    if (std::equal(expected.begin(), expected.end(), reply.begin())) return identity;
  }
  return std::nullopt;
}

}  // namespace quillon::device
