// The simulator's socket: the device backend and the control requests.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "quillon/device/sim/sim_backend.h"
#include "quillon/devsim/sim_control.h"
#include "quillon/devsim/sim_server.h"

namespace quillon::devsim {
namespace {

class SimServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    SimulatedDeviceOptions options;
    options.flashSize = 0x20000;
    server = SimServer::Create(kSocket, options, error);
    ASSERT_TRUE(server) << error;
    server->Start();
    backend = device::sim::SimBackend::Connect(kSocket);
    ASSERT_TRUE(backend);
  }

  std::vector<device::DeviceChange> WaitForEvents(std::size_t count) {
    std::vector<device::DeviceChange> events;
    for (int i = 0; i < 400 && events.size() < count; ++i) {
      for (auto event : backend->Changes().TakeEvents()) events.push_back(event);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return events;
  }

  static constexpr const char* kSocket = "server-test.sock";
  std::unique_ptr<SimServer> server;
  std::unique_ptr<device::sim::SimBackend> backend;
};

TEST_F(SimServerTest, ControlRequestsDetachAndAttachWithEventsAndDriveMask) {
  EXPECT_NE(backend->Changes().NotificationFd(), -1);
  EXPECT_EQ(backend->Enumerator().ListStorageInterfaces().size(), 1u);
  EXPECT_EQ(backend->Changes().CurrentDriveMask(), 1u << 3);

  EXPECT_EQ(SendControl(kSocket, "detach"), "");
  EXPECT_EQ(WaitForEvents(1), std::vector{device::DeviceChange::RemoveComplete});
  EXPECT_TRUE(backend->Enumerator().ListStorageInterfaces().empty());
  EXPECT_EQ(backend->Changes().CurrentDriveMask(), 0u);
  EXPECT_EQ(backend->PassThrough().Open(SimulatedDevice::kInterfacePath).error,
            kErrorFileNotFound);

  EXPECT_EQ(SendControl(kSocket, "attach"), "");
  EXPECT_EQ(WaitForEvents(1), std::vector{device::DeviceChange::Arrival});
  EXPECT_EQ(backend->Enumerator().ListUsbStorageDevices().at(0).matchKey, SimulatedDevice::kSerial);
}

TEST_F(SimServerTest, FaultAndDumpThroughTheControlChannel) {
  EXPECT_EQ(SendControl(kSocket, "fault:tur:timeout"), "");
  EXPECT_NE(SendControl(kSocket, "fault:tur:melt"), "");
  EXPECT_NE(SendControl(kSocket, "explode"), "");

  const device::OpenResult opened = backend->PassThrough().Open(SimulatedDevice::kInterfacePath);
  ASSERT_EQ(opened.error, 0u);
  EXPECT_TRUE(backend->PassThrough().QueryBusIsUsb(opened.handle));
  device::PassThroughRecord record = device::StandardRecordTemplate();
  EXPECT_EQ(backend->PassThrough().Execute(opened.handle, record), kErrorSemTimeout);

  EXPECT_EQ(SendControl(kSocket, "dump:flash.bin"), "");
  std::ifstream dump("flash.bin", std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(dump), {}};
  ASSERT_EQ(bytes.size(), 0x20000u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF) << "fresh flash is erased";
  EXPECT_NE(SendControl(kSocket, "dump:no-such-dir/flash.bin"), "");
}

TEST_F(SimServerTest, MalformedFramesDropOnlyTheirConnection) {
  const device::UniqueFd rogue = device::sim::ConnectToSimulator(kSocket);
  ASSERT_TRUE(rogue.Valid());
  const std::vector<std::uint8_t> huge{0xFF, 0xFF, 0xFF, 0x7F, 1};
  ASSERT_TRUE(device::sim::SendFrame(rogue.Get(), huge));
  EXPECT_FALSE(device::sim::ReceiveFrame(rogue.Get())) << "closed by the simulator";
  EXPECT_EQ(backend->Changes().CurrentDriveMask(), 1u << 3) << "others are served on";
}

TEST(SimServerShutdown, ShutdownRequestEndsServing) {
  std::string error;
  auto server = SimServer::Create("shutdown-test.sock", {}, error);
  ASSERT_TRUE(server) << error;
  std::thread serving([&] { server->Serve(); });
  EXPECT_EQ(SendControl("shutdown-test.sock", "shutdown"), "");
  serving.join();
  EXPECT_NE(SendControl("no-simulator.sock", "attach"), "");
}

}  // namespace
}  // namespace quillon::devsim
