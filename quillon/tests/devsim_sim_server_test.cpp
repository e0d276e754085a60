// The simulator's socket: the device backend and the control requests.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
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
    SimServerOptions options;
    options.device.flashSize = 0x20000;
    options.dumps.folder = std::filesystem::current_path();
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
  EXPECT_EQ(WaitForEvents(1), std::vector{device::DeviceChange::NodeRemoved});
  EXPECT_TRUE(backend->Enumerator().ListStorageInterfaces().empty());
  EXPECT_EQ(backend->Changes().CurrentDriveMask(), 0u);
  EXPECT_EQ(backend->PassThrough().Open(SimulatedDevice::kInterfacePath).error,
            kErrorFileNotFound);

  EXPECT_EQ(SendControl(kSocket, "attach"), "");
  EXPECT_EQ(WaitForEvents(1), std::vector{device::DeviceChange::NodeAppeared});
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
  // Nowhere but the folder (or file) named on the simulator's command line.
  EXPECT_NE(SendControl(kSocket, "dump:../escaped.bin"), "");
  EXPECT_FALSE(std::filesystem::exists("../escaped.bin"));
}

TEST_F(SimServerTest, MalformedFramesDropOnlyTheirConnection) {
  const device::UniqueFd rogue = device::sim::ConnectToSimulator(kSocket);
  ASSERT_TRUE(rogue.Valid());
  const std::vector<std::uint8_t> huge{0xFF, 0xFF, 0xFF, 0x7F, 1};
  const auto deadline = device::sim::DeadlineAfter(std::chrono::seconds(10));
  ASSERT_EQ(device::sim::SendFrame(rogue.Get(), huge, deadline), device::sim::TransferStatus::Done);
  EXPECT_EQ(device::sim::ReceiveFrame(rogue.Get(), deadline).status, device::sim::TransferStatus::PeerGone)
      << "closed by the simulator";
  EXPECT_EQ(backend->Changes().CurrentDriveMask(), 1u << 3) << "others are served on";
}

TEST_F(SimServerTest, ADumpRequestNamingNoFileIsRefusedAndTheSimulatorServesOn) {
  const device::UniqueFd client = device::sim::ConnectToSimulator(kSocket);
  ASSERT_TRUE(client.Valid());
  device::sim::FrameWriter request(device::sim::Request::Dump);
  request.Text("");
  const auto deadline = device::sim::DeadlineAfter(std::chrono::seconds(10));
  ASSERT_EQ(device::sim::SendFrame(client.Get(), request.Frame(), deadline), device::sim::TransferStatus::Done);
  const auto reply = device::sim::ReceiveFrame(client.Get(), deadline);
  ASSERT_EQ(reply.status, device::sim::TransferStatus::Done);
  device::sim::FrameReader fields(reply.payload);
  std::uint32_t error = 0;
  ASSERT_TRUE(fields.U32(error));
  EXPECT_EQ(error, kErrorInvalidParameter);
  EXPECT_EQ(backend->Changes().CurrentDriveMask(), 1u << 3) << "still serving";
}

TEST_F(SimServerTest, AClientThatSendsWithoutReadingStallsNobody) {
  const device::UniqueFd greedy = device::sim::ConnectToSimulator(kSocket);
  ASSERT_TRUE(greedy.Valid());
  device::sim::FrameWriter request(device::sim::Request::DriveMask);
  std::vector<std::uint8_t> requests;
  for (int i = 0; i < 100000; ++i) requests.insert(requests.end(), request.Frame().begin(), request.Frame().end());
  // Far more replies than any socket buffer holds; the greedy client reads none.
  std::thread flood([&] {
    device::sim::SendFrame(greedy.Get(), requests, device::sim::DeadlineAfter(std::chrono::seconds(20)));
  });
  const auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < 50; ++i) ASSERT_EQ(backend->Changes().CurrentDriveMask(), 1u << 3);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  EXPECT_EQ(SendControl(kSocket, "detach"), "");  // events queue for the greedy one too
  EXPECT_EQ(WaitForEvents(1), std::vector{device::DeviceChange::NodeRemoved});
  flood.join();
}

TEST_F(SimServerTest, HandlesOfClientsThatGoAreClosed) {
  // More clients than the device has handles, each gone with its handle open.
  for (std::size_t i = 0; i < kMaxOpenHandles + 8; ++i) {
    auto client = device::sim::SimBackend::Connect(kSocket);
    ASSERT_TRUE(client);
    ASSERT_EQ(client->PassThrough().Open(SimulatedDevice::kInterfacePath).error, kSuccess) << i;
  }
  EXPECT_EQ(backend->PassThrough().Open(SimulatedDevice::kInterfacePath).error, kSuccess);
}

TEST(SimServerStopped, ACommandToASimulatorThatNeverAnswersTimesOut) {
  std::string error;
  // Listening but never served: like a simulator stopped with SIGSTOP.
  const auto server = SimServer::Create("stopped-test.sock", {}, error);
  ASSERT_TRUE(server) << error;
  const auto backend = device::sim::SimBackend::Connect("stopped-test.sock");
  ASSERT_TRUE(backend);
  device::PassThroughRecord record = device::StandardRecordTemplate();
  record.timeoutSeconds = 1;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(backend->PassThrough().Execute(1, record), kErrorSemTimeout);
  const auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_GE(waited, std::chrono::milliseconds(900));
  EXPECT_LT(waited, std::chrono::seconds(5));
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
