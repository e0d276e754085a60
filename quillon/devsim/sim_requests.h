// Answering one request of the simulator's protocol (quillon/device/sim/
// sim_protocol.h) on the simulated device, for one client connection. The
// server feeds it whole frames; it never blocks and never trusts a field.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "quillon/device/pass_through_backend.h"
#include "quillon/devsim/simulated_device.h"

namespace quillon::devsim {

// Where a Dump request may write the flash: the file named on the command
// line, or a file directly inside the folder named there. A client cannot
// make the simulator write anywhere else.
struct DumpTargets {
  std::filesystem::path file;
  std::filesystem::path folder;

  bool Allows(const std::filesystem::path& requested) const;
};

// What the server keeps of one client between its requests.
struct ClientSession {
  bool subscribed = false;
  // Device handles the client opened and has not closed: the server closes
  // them when the client goes, so clients that die mid-download do not use up
  // the device's handles.
  std::vector<device::DeviceHandle> openHandles;
};

struct RequestAnswer {
  std::vector<std::uint8_t> reply;  // the whole reply frame; empty when none is sent
  bool shutdown = false;            // a Shutdown request
};

// Answers `payload` (one frame's payload) on `device`.
RequestAnswer AnswerRequest(SimulatedDevice& device, ClientSession& session, std::span<const std::uint8_t> payload,
                            const DumpTargets& dumps);

}  // namespace quillon::devsim
