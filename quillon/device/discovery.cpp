#include "quillon/device/discovery.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "quillon/device/command_set.h"
#include "quillon/device/device_identity.h"

namespace quillon::device {
namespace {

std::string UpperCased(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

// A one-character key would pair a device with unrelated interfaces.
bool Belongs(const StorageInterface& interface, const UsbStorageCandidate& candidate) {
  const std::string key = UpperCased(candidate.matchKey);
  return key.size() > 1 && key == UpperCased(interface.ownerKey);
}

struct IdentifiedInterface {
  StorageInterface interface;
  DeviceDescription description{};
};

}  // namespace

ResultCode IdentifyStorageInterface(Transport& transport, std::string_view path, int slot,
                                    DeviceDescription& description) {
  if (!transport.OpenPathSlot(slot, path)) return kInterfaceOpenFailed;
  ResultCode result = kSuccess;
  if (!transport.QueryBusIsUsb(slot)) {
    result = kNotOnUsbBus;
  } else {
    TestUnitReady(transport, slot);  // wakes the unit; its answer does not matter
    InquiryData reply{};
    if (Inquiry(transport, slot, reply) != kSuccess || !IdentifyInquiry(reply)) {
      result = kIdentityNotAccepted;
    } else {
      // The description is the vendor and the start of the product field.
      std::copy_n(reply.begin() + 8, description.size(), description.begin());
    }
  }
  transport.CloseDeviceSlot(slot);
  return result;
}

int EnumerateDevices(Transport& transport, DeviceEnumerator& enumerator, int /*kind*/) {
  if (!transport.InitTransport()) return 0;
  const std::vector<UsbStorageCandidate> candidates = enumerator.ListUsbStorageDevices();

  std::vector<IdentifiedInterface> kept;
  std::vector<InaccessibleInterface> inaccessible;
  for (StorageInterface& interface : enumerator.ListStorageInterfaces()) {
    IdentifiedInterface identified{std::move(interface), {}};
    const ResultCode result =
        IdentifyStorageInterface(transport, identified.interface.path, 0, identified.description);
    if (result == kSuccess) {
      kept.push_back(std::move(identified));
    } else if (result == kInterfaceOpenFailed) {
      inaccessible.push_back(
          {identified.interface.path, transport.LastOpenError(), transport.LastOpenOsError()});
    }
  }

  std::vector<DeviceListEntry> devices;
  int pairs = 0;
  for (const UsbStorageCandidate& candidate : candidates) {
    for (const IdentifiedInterface& identified : kept) {
      if (!Belongs(identified.interface, candidate)) continue;
      ++pairs;
      if (devices.size() < static_cast<std::size_t>(kMaxDevices)) {
        devices.push_back({UpperCased(candidate.instanceName), identified.interface.path,
                           identified.description, candidate.hubPath});
      }
    }
  }
  transport.ReplaceDeviceList(std::move(devices), std::move(inaccessible));
  return std::min(pairs, kMaxDevices);
}

}  // namespace quillon::device
