// Finding the device: pairs the USB storage devices with the storage
// interfaces that belong to them, keeps the interfaces that sit on the USB bus
// and answer with an accepted identity, and fills the transport's device list.
#pragma once

#include <string_view>

#include "quillon/device/device_enumerator.h"
#include "quillon/device/transport.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

// The kind the download scan passes.
inline constexpr int kEnumerateStorageDevices = 2;

// Runs InitTransport (failure gives 0), replaces the device list with the
// identified pairs and returns their number. The interfaces that could not be
// opened are kept beside the list (Transport::InaccessibleInterfaces).
int EnumerateDevices(Transport& transport, DeviceEnumerator& enumerator, int kind);

// Opens `path` into `slot`, checks the bus and the identity and closes it
// again. 0, kInterfaceOpenFailed, kNotOnUsbBus or kIdentityNotAccepted. On
// success `description` holds the device's vendor and product fields.
ResultCode IdentifyStorageInterface(Transport& transport, std::string_view path, int slot,
                                    DeviceDescription& description);

}  // namespace quillon::device
