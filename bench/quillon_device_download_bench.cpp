// Erasing, writing and verifying an image in the simulated device through the
// simulator's socket: the cost of the transport and the command set per byte.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "quillon/device/discovery.h"
#include "quillon/device/download_core.h"
#include "quillon/device/flash_download.h"
#include "quillon/device/sim/sim_backend.h"
#include "quillon/devsim/sim_server.h"

namespace {

void DownloadIntoSimulator(benchmark::State& state) {
  const auto length = static_cast<std::size_t>(state.range(0));
  std::string error;
  auto server = quillon::devsim::SimServer::Create("bench-device.sock", {}, error);
  if (!server) throw std::runtime_error(error);
  server->Start();
  auto backend = quillon::device::sim::SimBackend::Connect("bench-device.sock");
  quillon::device::Transport transport(backend->PassThrough());
  quillon::device::ConfigureDefaultTransport(transport);
  quillon::device::EnumerateDevices(transport, backend->Enumerator(),
                                    quillon::device::kEnumerateStorageDevices);
  std::vector<std::uint8_t> image(length);
  for (std::size_t i = 0; i < length; ++i) image[i] = static_cast<std::uint8_t>(i * 7);
  for (auto _ : state) {
    if (quillon::device::DownloadImage(transport, 0, image, nullptr) != 0) {
      state.SkipWithError("download failed");
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * length));
}
BENCHMARK(DownloadIntoSimulator)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
