#include "quillon/device/device_backend.h"

#include <cstdlib>

#include "quillon/device/linux/linux_backend.h"
#include "quillon/device/sim/sim_backend.h"

namespace quillon::device {

namespace {
constexpr std::string_view kSimulatorPrefix = "sim:";
}

std::string DeviceSelection(std::string_view commandLineValue) {
  if (!commandLineValue.empty()) return std::string(commandLineValue);
  const char* environment = std::getenv("QUILLON_DEVICE");
  return environment != nullptr ? environment : "";
}

OpenedBackend OpenDeviceBackend(std::string_view selection) {
  if (selection.empty()) return {std::make_unique<linux_backend::LinuxBackend>(), {}};
  if (!selection.starts_with(kSimulatorPrefix) || selection.size() == kSimulatorPrefix.size()) {
    return {nullptr, "unknown device \"" + std::string(selection) + "\" (expected sim:SOCKET)"};
  }
  const std::filesystem::path socket(selection.substr(kSimulatorPrefix.size()));
  auto backend = sim::SimBackend::Connect(socket);
  if (!backend) return {nullptr, "no simulator answers at " + socket.string()};
  return {std::move(backend), {}};
}

}  // namespace quillon::device
