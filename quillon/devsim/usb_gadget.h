// A USB gadget made in configfs (/sys/kernel/config/usb_gadget/NAME) with one
// configuration holding one FunctionFS function, mounted at
// /run/quillon-devsim/NAME; bound to a USB device controller (UDC) it
// appears on that controller's bus. Needs root, configfs mounted and the
// libcomposite and usb_f_fs modules.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace quillon::devsim {

struct UsbDeviceStrings {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::string serial;
  std::string manufacturer;
  std::string product;
};

// The first USB device controller of /sys/class/udc; empty when none exists.
std::string FirstUsbDeviceController();

class ConfigFsGadget {
 public:
  // Null with `error` set when configfs or FunctionFS refuse.
  static std::unique_ptr<ConfigFsGadget> Create(const std::string& name, const UsbDeviceStrings& strings,
                                                std::string& error);
  ~ConfigFsGadget();  // unbinds and removes the gadget
  ConfigFsGadget(const ConfigFsGadget&) = delete;
  ConfigFsGadget& operator=(const ConfigFsGadget&) = delete;

  const std::filesystem::path& FunctionFsMount() const { return mount_; }

  // Plugs the gadget into `controller` (the FunctionFS descriptors must have
  // been written) or unplugs it. False with `error` set on failure.
  bool Bind(const std::string& controller, std::string& error);
  void Unbind();

 private:
  ConfigFsGadget(std::filesystem::path root, std::filesystem::path mount)
      : root_(std::move(root)), mount_(std::move(mount)) {}

  std::filesystem::path root_;
  std::filesystem::path mount_;
  bool mounted_ = false;
  bool bound_ = false;
};

}  // namespace quillon::devsim
