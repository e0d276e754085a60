// The device backend that talks to a quillon-devsim simulator over its Unix
// socket: one connection for requests (guarded, since the user-interface
// thread asks for the drive mask while the worker sends commands) and one that
// receives the simulator's arrival and removal events.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "quillon/device/device_backend.h"
#include "quillon/device/sim/sim_protocol.h"

namespace quillon::device::sim {

class SimBackend final : public DeviceBackend,
                         private PassThroughBackend,
                         private DeviceEnumerator,
                         private DeviceChangeSource {
 public:
  // Null when the simulator does not answer at `socketPath`.
  static std::unique_ptr<SimBackend> Connect(const std::filesystem::path& socketPath);

  PassThroughBackend& PassThrough() override { return *this; }
  DeviceEnumerator& Enumerator() override { return *this; }
  DeviceChangeSource& Changes() override { return *this; }

 private:
  SimBackend(UniqueFd requests, UniqueFd events);

  OpenResult Open(std::string_view path) override;
  void Close(DeviceHandle handle) override;
  bool QueryBusIsUsb(DeviceHandle handle) override;
  ResultCode Execute(DeviceHandle handle, PassThroughRecord& record) override;

  std::vector<UsbStorageCandidate> ListUsbStorageDevices() override;
  std::vector<StorageInterface> ListStorageInterfaces() override;

  int NotificationFd() const override { return events_.Get(); }
  std::vector<DeviceChange> TakeEvents() override;
  std::uint32_t CurrentDriveMask() override;

  // One request and its reply; none when the simulator is gone.
  std::optional<std::vector<std::uint8_t>> Ask(FrameWriter& request);
  struct Listing {
    std::vector<UsbStorageCandidate> candidates;
    std::vector<StorageInterface> interfaces;
  };
  Listing Enumerate();

  std::mutex requestMutex_;
  UniqueFd requests_;
  UniqueFd events_;
  std::vector<std::uint8_t> eventBuffer_;
};

}  // namespace quillon::device::sim
