#include "quillon/devsim/usb_gadget.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

namespace quillon::devsim {
namespace {

const std::filesystem::path kGadgetRoot = "/sys/kernel/config/usb_gadget";
const std::filesystem::path kMountRoot = "/run/quillon-devsim";
constexpr std::string_view kConfiguration = "configs/c.1";
constexpr std::string_view kEnglish = "strings/0x409";

// configfs attributes take one write each.
bool WriteAttribute(const std::filesystem::path& file, const std::string& value) {
  std::ofstream out(file);
  out << value;
  out.flush();
  return static_cast<bool>(out);
}

std::string Hex16(std::uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04x", value);
  return text;
}

}  // namespace

std::string FirstUsbDeviceController() {
  std::error_code error;
  std::string first;
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/udc", error)) {
    const std::string name = entry.path().filename().string();
    if (first.empty() || name < first) first = name;
  }
  return first;
}

std::unique_ptr<ConfigFsGadget> ConfigFsGadget::Create(const std::string& name,
                                                       const UsbDeviceStrings& strings,
                                                       std::string& error) {
  const std::filesystem::path root = kGadgetRoot / name;
  std::unique_ptr<ConfigFsGadget> gadget(new ConfigFsGadget(root, kMountRoot / name));
  std::error_code fsError;
  const std::filesystem::path function = root / ("functions/ffs." + name);
  for (const std::filesystem::path& folder :
       {root, root / kEnglish, root / kConfiguration, root / kConfiguration / kEnglish, function}) {
    if (!std::filesystem::create_directories(folder, fsError) && fsError) {
      error = "cannot create " + folder.string() + ": " + fsError.message() +
              (std::filesystem::exists(kGadgetRoot) ? "" : " (is configfs mounted and libcomposite loaded?)");
      return nullptr;
    }
  }
  const bool written =
      WriteAttribute(root / "idVendor", Hex16(strings.vendorId)) &&
      WriteAttribute(root / "idProduct", Hex16(strings.productId)) &&
      WriteAttribute(root / "bcdUSB", "0x0200") &&
      WriteAttribute(root / kEnglish / "serialnumber", strings.serial) &&
      WriteAttribute(root / kEnglish / "manufacturer", strings.manufacturer) &&
      WriteAttribute(root / kEnglish / "product", strings.product) &&
      WriteAttribute(root / kConfiguration / kEnglish / "configuration", "Mass storage") &&
      WriteAttribute(root / kConfiguration / "MaxPower", "100");
  if (!written) {
    error = "cannot write the attributes of " + root.string();
    return nullptr;
  }
  const std::filesystem::path link = root / kConfiguration / function.filename();
  if (!std::filesystem::exists(link)) std::filesystem::create_directory_symlink(function, link, fsError);
  if (fsError) {
    error = "cannot add the function to " + root.string() + ": " + fsError.message();
    return nullptr;
  }
  std::filesystem::create_directories(gadget->mount_, fsError);
  if (::mount(name.c_str(), gadget->mount_.c_str(), "functionfs", 0, nullptr) != 0) {
    error = "cannot mount FunctionFS at " + gadget->mount_.string() + ": " + std::strerror(errno) +
            " (is usb_f_fs loaded?)";
    return nullptr;
  }
  gadget->mounted_ = true;
  return gadget;
}

ConfigFsGadget::~ConfigFsGadget() {
  Unbind();
  if (mounted_) ::umount(mount_.c_str());
  std::error_code ignored;
  std::filesystem::remove(mount_, ignored);
  // configfs folders go in the reverse order of their creation.
  const std::string name = root_.filename().string();
  std::filesystem::remove(root_ / kConfiguration / ("ffs." + name), ignored);
  for (const std::filesystem::path& folder :
       {root_ / kConfiguration / kEnglish, root_ / kConfiguration, root_ / ("functions/ffs." + name),
        root_ / kEnglish, root_}) {
    std::filesystem::remove(folder, ignored);
  }
}

bool ConfigFsGadget::Bind(const std::string& controller, std::string& error) {
  if (!WriteAttribute(root_ / "UDC", controller)) {
    error = "cannot bind " + root_.string() + " to the USB device controller \"" + controller + "\"";
    return false;
  }
  bound_ = true;
  return true;
}

void ConfigFsGadget::Unbind() {
  if (bound_) WriteAttribute(root_ / "UDC", "\n");
  bound_ = false;
}

}  // namespace quillon::devsim
