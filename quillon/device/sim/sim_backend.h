// The device backend that talks to a quillon-devsim simulator over its Unix
// socket: one connection for requests (guarded, since the user-interface
// thread asks for the drive mask while the worker sends commands) and one that
// receives the simulator's arrival and removal events.
//
// Every request waits for its reply at most its time-out: a command the time-out
// of its pass-through record (a command that outlasts it fails with the
// system's time-out error, 121), every other request kRequestTimeout. A
// connection that timed out or broke is dropped, since a late reply would be
// taken for the answer to the next request; the next request connects anew.
#pragma once

#include <chrono>
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
  static constexpr std::chrono::milliseconds kRequestTimeout{8000};

  // Null when the simulator does not answer at `socketPath`.
  static std::unique_ptr<SimBackend> Connect(const std::filesystem::path& socketPath);

  PassThroughBackend& PassThrough() override { return *this; }
  DeviceEnumerator& Enumerator() override { return *this; }
  DeviceChangeSource& Changes() override { return *this; }

 private:
  SimBackend(std::filesystem::path socketPath, UniqueFd requests, UniqueFd events);

  OpenResult Open(std::string_view path) override;
  void Close(DeviceHandle handle) override;
  bool QueryBusIsUsb(DeviceHandle handle) override;
  ResultCode Execute(DeviceHandle handle, PassThroughRecord& record) override;

  std::vector<UsbStorageCandidate> ListUsbStorageDevices() override;
  std::vector<StorageInterface> ListStorageInterfaces() override;

  int NotificationFd() const override { return events_.Get(); }
  std::vector<DeviceChange> TakeEvents() override;
  std::uint32_t CurrentDriveMask() override;

  // One request and its reply, waiting at most `timeout`.
  ReceivedFrame Ask(FrameWriter& request, std::chrono::milliseconds timeout = kRequestTimeout);
  struct Listing {
    std::vector<UsbStorageCandidate> candidates;
    std::vector<StorageInterface> interfaces;
  };
  Listing Enumerate();

  std::filesystem::path socketPath_;
  std::mutex requestMutex_;
  UniqueFd requests_;  // invalid after a time-out or a break, until the next request
  UniqueFd events_;
  std::vector<std::uint8_t> eventBuffer_;
};

}  // namespace quillon::device::sim
