// Test doubles for the device layer: a simulator served in-process, a
// message sink that records, and a package source with a fixed image. Free of
// any test framework, so that GoogleTest and Qt Test programs both use it.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "quillon/device/download_core.h"
#include "quillon/device/package_source.h"
#include "quillon/device/sim/sim_backend.h"
#include "quillon/device/transport.h"
#include "quillon/devsim/fault_plan.h"
#include "quillon/devsim/sim_server.h"

namespace quillon::device::testing {

// A simulator on a socket in the test's working directory, a backend
// connected to it and a transport configured as the window configures it.
class SimulatorRig {
 public:
  explicit SimulatorRig(devsim::SimulatedDeviceOptions options = {},
                        std::string socket = "device-test.sock") {
    std::string error;
    server = devsim::SimServer::Create(socket, {options, {}}, error);
    if (!server) throw std::runtime_error(error);
    server->Start();
    backend = sim::SimBackend::Connect(socket);
    if (!backend) throw std::runtime_error("simulator does not answer");
    transport = std::make_unique<Transport>(backend->PassThrough());
    ConfigureDefaultTransport(*transport);
    transport->InitTransport();
  }

  template <typename Action>
  auto Device(Action&& action) {
    return server->WithDevice(std::forward<Action>(action));
  }
  std::vector<devsim::CommandLogEntry> Log() {
    return Device([](devsim::SimulatedDevice& d) { return d.Log(); });
  }
  std::vector<devsim::CommandLogEntry> LogOf(devsim::DeviceCommand command) {
    std::vector<devsim::CommandLogEntry> matching;
    for (const auto& entry : Log()) {
      if (entry.command == command) matching.push_back(entry);
    }
    return matching;
  }
  void ClearLog() {
    Device([](devsim::SimulatedDevice& d) {
      d.ClearLog();
      return 0;
    });
  }
  void AddFault(std::string_view faultText) {
    const auto fault = devsim::ParseFault(faultText);
    if (!fault) throw std::invalid_argument("not a fault: " + std::string(faultText));
    Device([&](devsim::SimulatedDevice& d) { return d.Faults().Add(*fault); });
  }
  std::vector<std::uint8_t> Flash(std::uint32_t address, std::size_t length) {
    return Device([&](devsim::SimulatedDevice& d) {
      const auto bytes = d.Flash().Bytes().subspan(address, length);
      return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    });
  }

  std::unique_ptr<devsim::SimServer> server;
  std::unique_ptr<sim::SimBackend> backend;
  std::unique_ptr<Transport> transport;
};

// Keeps the messages a download shows; any thread.
class RecordingMessages final : public MessageSink {
 public:
  void Show(const UserMessage& message) override {
    const std::lock_guard lock(mutex_);
    messages_.push_back(message);
  }
  std::vector<UserMessage> Messages() const {
    const std::lock_guard lock(mutex_);
    return messages_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<UserMessage> messages_;
};

// A package of a fixed image, with an optional user image behind it.
class FixedPackage final : public PackageSource {
 public:
  void ReadSettings() override { ++settingsReads; }
  std::uint32_t PreparePackageEntries(MessageSink& messages) override {
    if (onPrepare) onPrepare();
    if (prepareCode != 0) messages.Show({u"Can't find the specified file!"});
    return prepareCode;
  }
  std::size_t PackageLength() override { return image.size(); }
  std::uint32_t FillPackage(std::span<std::uint8_t> out) override {
    std::copy(image.begin(), image.end(), out.begin());
    return 0;
  }
  std::uint16_t BlockCount() override {
    return static_cast<std::uint16_t>((image.size() + 0xFFFF) / 0x10000);
  }
  std::filesystem::path UserImagePath() override { return userImage; }

  std::vector<std::uint8_t> image;
  std::filesystem::path userImage;
  std::uint32_t prepareCode = 0;
  int settingsReads = 0;
  std::function<void()> onPrepare;  // runs on the worker thread
};

// Bytes that are neither zero nor erased flash, so lost writes show.
inline std::vector<std::uint8_t> PatternBytes(std::size_t length, std::uint8_t seed = 7) {
  std::vector<std::uint8_t> bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>((i * 31 + seed) % 251);
  return bytes;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path().empty() ? "." : path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot write " + path.string());
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace quillon::device::testing
