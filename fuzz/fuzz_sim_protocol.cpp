// The simulator's protocol: the input as a stream of frames from one client,
// each answered on a simulated device as the server answers it; then the
// client goes and its handles are closed.
#include "fuzz/fuzz_support.h"
#include "quillon/device/sim/sim_protocol.h"
#include "quillon/devsim/sim_requests.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon::devsim;
  SimulatedDeviceOptions options;
  options.flashSize = 0x20000;
  SimulatedDevice device(options);
  ClientSession session;
  const DumpTargets dumps{fuzzing::ScratchFolder() / "flash.bin", {}};
  std::span<const std::uint8_t> stream(data, size);
  bool oversized = false;
  while (const auto length = quillon::device::sim::WholeFramePayload(stream, oversized)) {
    AnswerRequest(device, session, stream.subspan(4, *length), dumps);
    stream = stream.subspan(4 + *length);
  }
  for (const quillon::device::DeviceHandle handle : session.openHandles) device.Close(handle);
  return 0;
}
