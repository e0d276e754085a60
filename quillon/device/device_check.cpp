#include "quillon/device/device_check.h"

#include <array>

#include "quillon/device/command_set.h"
#include "quillon/device/device_identity.h"

namespace quillon::device {

bool IsDeviceReady(Transport& transport) {
  if (!transport.OpenDeviceSlot(0, 0)) return false;
  InquiryData reply{};
  const ResultCode code = Inquiry(transport, 0, reply);
  transport.CloseDeviceSlot(0);
  return code == kSuccess && IdentifyInquiry(reply) == DeviceIdentity::Ready;
}

ResultCode CheckDevice(Transport& transport) {
  if (!transport.OpenDeviceSlot(0, 0)) return transport.LastOpenError();
  std::array<std::uint8_t, kDeviceInfoLength> info{};
  const ResultCode code = ReadDeviceInfo(transport, 0, kDeviceInfoAddress, info);
  transport.CloseDeviceSlot(0);
  return code;
}

}  // namespace quillon::device
