#include "quillon/device/linux/udev_enumerator.h"

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "quillon/device/linux/udev_handles.h"

namespace quillon::device::linux_backend {
namespace {

std::string_view Text(const char* value) { return value != nullptr ? value : ""; }

bool IsStorageDriver(std::string_view driver) { return driver == "usb-storage" || driver == "uas"; }

// The USB device above `device` when one of its interfaces in between is
// driven by the storage service; not owned (it belongs to `device`).
udev_device* StorageUsbDevice(udev_device* device) {
  udev_device* interface = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface");
  if (interface == nullptr || !IsStorageDriver(Text(udev_device_get_driver(interface)))) return nullptr;
  return udev_device_get_parent_with_subsystem_devtype(interface, "usb", "usb_device");
}

std::string MatchKey(udev_device* usbDevice) {
  const std::string_view serial = Text(udev_device_get_sysattr_value(usbDevice, "serial"));
  return std::string(serial.empty() ? Text(udev_device_get_syspath(usbDevice)) : serial);
}

// Calls `visit` with each device of `subsystem`.
void ForEachDevice(const char* subsystem,
                   const std::function<void(udev_device*)>& visit) {
  const UdevPtr context(udev_new());
  if (!context) return;
  const UdevEnumeratePtr enumeration(udev_enumerate_new(context.get()));
  if (!enumeration) return;
  udev_enumerate_add_match_subsystem(enumeration.get(), subsystem);
  udev_enumerate_scan_devices(enumeration.get());
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration.get())) {
    const UdevDevicePtr device(
        udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
    if (device) visit(device.get());
  }
}

}  // namespace

std::vector<UsbStorageCandidate> UdevEnumerator::ListUsbStorageDevices() {
  std::vector<UsbStorageCandidate> candidates;
  std::set<std::string> seen;
  ForEachDevice("scsi_generic", [&](udev_device* node) {
    udev_device* usb = StorageUsbDevice(node);
    if (usb == nullptr || !seen.insert(std::string(Text(udev_device_get_syspath(usb)))).second) return;
    udev_device* hub = udev_device_get_parent(usb);
    candidates.push_back(
        {"VID_" + std::string(Text(udev_device_get_sysattr_value(usb, "idVendor"))) + "&PID_" +
             std::string(Text(udev_device_get_sysattr_value(usb, "idProduct"))) + "\\" + MatchKey(usb),
         MatchKey(usb), hub != nullptr ? std::string(Text(udev_device_get_syspath(hub))) : ""});
  });
  return candidates;
}

std::vector<StorageInterface> UdevEnumerator::ListStorageInterfaces() {
  std::vector<StorageInterface> interfaces;
  ForEachDevice("scsi_generic", [&](udev_device* node) {
    udev_device* usb = StorageUsbDevice(node);
    const std::string_view path = Text(udev_device_get_devnode(node));
    if (usb != nullptr && !path.empty()) interfaces.push_back({std::string(path), MatchKey(usb)});
  });
  return interfaces;
}

}  // namespace quillon::device::linux_backend
