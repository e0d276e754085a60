// Serves one simulated device on a Unix stream socket with the protocol of
// quillon/device/sim/sim_protocol.h: the transport's requests, the arrival and
// removal events, and the control requests (attach, detach, dump, fault,
// shutdown). Runs on a thread of its own (in-process tests) or on the calling
// thread (quillon-devsim).
//
// No client can stall the others: sockets are non-blocking, replies and events
// wait in a buffer per client, a client whose buffer fills up stops being read
// until it reads, and one that lets it pass kMaxPendingBytes is dropped. A
// client that goes (or is dropped) has its open device handles closed.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "quillon/device/unique_fd.h"
#include "quillon/devsim/sim_requests.h"
#include "quillon/devsim/simulated_device.h"

namespace quillon::devsim {

inline constexpr std::size_t kMaxClients = 32;
// Bytes of replies and events waiting for a client: past kReadPauseBytes its
// requests wait, past kMaxPendingBytes it is dropped.
inline constexpr std::size_t kReadPauseBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxPendingBytes = std::size_t{8} << 20;

struct SimServerOptions {
  SimulatedDeviceOptions device;
  DumpTargets dumps;  // where Dump requests may write
};

class SimServer {
 public:
  // Binds and listens at `socketPath` (replacing a stale socket file). Null
  // with `error` set when that fails.
  static std::unique_ptr<SimServer> Create(const std::filesystem::path& socketPath, SimServerOptions options,
                                           std::string& error);
  ~SimServer();  // stops serving and removes the socket file
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // Serves on a background thread until Stop().
  void Start();
  // Serves on this thread until Stop(), a Shutdown request, or `stopFd`
  // becoming readable.
  void Serve(int stopFd = -1);
  void Stop();

  // Runs `action` on the device while the server is not using it.
  // Events the action causes reach the subscribers right after it.
  template <typename Action>
  auto WithDevice(Action&& action) {
    struct WakeAfter {
      SimServer& server;
      ~WakeAfter() { server.Wake(); }
    } wake{*this};
    const std::lock_guard lock(deviceMutex_);
    return action(device_);
  }

  // Writes the whole flash to `file`; false when it cannot be written.
  bool DumpFlash(const std::filesystem::path& file);

 private:
  struct Client {
    device::UniqueFd fd;
    std::vector<std::uint8_t> in;
    std::vector<std::uint8_t> out;
    ClientSession session;
  };

  SimServer(std::filesystem::path socketPath, device::UniqueFd listener, device::UniqueFd wake,
            SimServerOptions options);
  void Wake();
  void Accept();
  // Each false when the client is to be dropped.
  bool ReadFrom(Client& client);
  bool AnswerBuffered(Client& client);
  bool WriteTo(Client& client);
  void Drop(std::size_t index);
  void BroadcastEvents();

  std::filesystem::path socketPath_;
  device::UniqueFd listener_;
  device::UniqueFd wake_;
  DumpTargets dumps_;
  std::mutex deviceMutex_;
  SimulatedDevice device_;
  std::vector<Client> clients_;  // touched by the serving thread only
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace quillon::devsim
