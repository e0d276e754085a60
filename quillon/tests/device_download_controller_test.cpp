// The download sequence driven by hand-ticked timers against the simulator.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "device_test_support.h"
#include "quillon/device/download_controller.h"

namespace quillon::device {
namespace {

using devsim::DeviceCommand;
using testing::FakeTimers;
using testing::FixedPackage;
using testing::PatternBytes;
using testing::RecordingView;
using testing::SimulatorRig;

// Lists every storage interface of the simulator `copies` times, as if as
// many identical devices were attached.
class MultiplyingEnumerator final : public DeviceEnumerator {
 public:
  MultiplyingEnumerator(DeviceEnumerator& inner, int copies) : inner_(inner), copies_(copies) {}
  std::vector<UsbStorageCandidate> ListUsbStorageDevices() override {
    return inner_.ListUsbStorageDevices();
  }
  std::vector<StorageInterface> ListStorageInterfaces() override {
    std::vector<StorageInterface> all;
    for (int i = 0; i < copies_; ++i) {
      for (const auto& interface : inner_.ListStorageInterfaces()) all.push_back(interface);
    }
    return all;
  }

 private:
  DeviceEnumerator& inner_;
  int copies_;
};

// Hides the simulator's device from the first `scans` listings after its RAM
// program was loaded, as Linux does while usb-storage waits before it scans
// the re-attached device and udev makes its node.
class SlowReattachEnumerator final : public DeviceEnumerator {
 public:
  SlowReattachEnumerator(SimulatorRig& rig, int scans) : rig_(rig), scans_(scans) {}
  std::vector<UsbStorageCandidate> ListUsbStorageDevices() override {
    if (Hidden()) return {};
    return rig_.backend->Enumerator().ListUsbStorageDevices();
  }
  std::vector<StorageInterface> ListStorageInterfaces() override {
    if (Hidden()) return {};
    return rig_.backend->Enumerator().ListStorageInterfaces();
  }

 private:
  // Each scan lists the devices, then the interfaces: a scan hides both.
  bool Hidden() {
    if (rig_.LogOf(DeviceCommand::FsmEnd).empty() || hiddenListings_ >= 2 * scans_) return false;
    ++hiddenListings_;
    return true;
  }
  SimulatorRig& rig_;
  int scans_;
  int hiddenListings_ = 0;
};

class DownloadControllerTest : public ::testing::Test {
 protected:
  explicit DownloadControllerTest(devsim::SimulatedDeviceOptions options = {}) : rig(options) {
    testing::WriteFile("FSM/FSM.BIN", PatternBytes(3000, 3));
    package.image = PatternBytes(70000);
  }

  DownloadController& Controller(DeviceEnumerator* enumerator = nullptr) {
    controller = std::make_unique<DownloadController>(DownloadParts{
        *rig.transport, enumerator != nullptr ? *enumerator : rig.backend->Enumerator(),
        rig.backend->Changes(), view, timers, package, std::filesystem::current_path()});
    return *controller;
  }

  // Lets the worker finish, then ticks the progress timer once.
  void FinishDownload() {
    controller->WaitForWorker();
    controller->OnTimer(timer_id::kProgress);
  }

  std::size_t InquiryCount() { return rig.LogOf(DeviceCommand::Inquiry).size(); }
  std::size_t FsmLoads() { return rig.LogOf(DeviceCommand::FsmEnd).size(); }

  // Waits until the event connection has the simulator's events.
  std::vector<DeviceChange> Events(std::size_t expected) {
    std::vector<DeviceChange> all;
    for (int i = 0; i < 200 && all.size() < expected; ++i) {
      for (DeviceChange event : rig.backend->Changes().TakeEvents()) all.push_back(event);
      if (all.size() < expected) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return all;
  }

  SimulatorRig rig;
  RecordingView view;
  FakeTimers timers;
  FixedPackage package;
  std::unique_ptr<DownloadController> controller;
};

TEST_F(DownloadControllerTest, ColdDeviceIsLoadedWithItsRamProgramAndScannedAgain) {
  DownloadController& c = Controller();
  EXPECT_EQ(c.ScanDevices(), 1);
  EXPECT_EQ(FsmLoads(), 1u);
  EXPECT_TRUE(c.DeviceReady());
  EXPECT_EQ(c.State(), DeviceState::Connected);
  EXPECT_EQ(c.CurrentStatusText(), u"Device connected");
  EXPECT_EQ(view.LastText(), kFsmLoadedText);
  EXPECT_EQ(rig.LogOf(DeviceCommand::DeviceInfo).size(), 2u) << "checked by both scans";
  EXPECT_EQ(rig.LogOf(DeviceCommand::DeviceInfo)[0].address, 0x2100u);

  rig.ClearLog();
  EXPECT_EQ(c.ScanDevices(), 1);
  EXPECT_EQ(FsmLoads(), 0u) << "a ready device is not loaded again";
  EXPECT_EQ(InquiryCount(), 1u) << "identification only: the ready flag stays";
}

TEST_F(DownloadControllerTest, RescanAfterTheRamProgramWaitsForTheDeviceToComeBack) {
  SlowReattachEnumerator late(rig, 7);
  DownloadController& c = Controller(&late);
  EXPECT_EQ(c.ScanDevices(), 1);
  EXPECT_EQ(FsmLoads(), 1u) << "not loaded again while it is away";
  EXPECT_TRUE(c.DeviceReady());
  EXPECT_EQ(c.CurrentStatusText(), u"Device connected");
  EXPECT_EQ(timers.waited, 7 * kReattachPoll);
}

TEST_F(DownloadControllerTest, DeviceThatNeverComesBackIsNoDeviceAfterTheReattachTimeout) {
  SlowReattachEnumerator gone(rig, 1000);
  DownloadController& c = Controller(&gone);
  c.ScanDevices();
  EXPECT_EQ(c.DeviceCount(), 0);
  EXPECT_EQ(FsmLoads(), 1u);
  EXPECT_EQ(c.CurrentStatusText(), u"No device");
  EXPECT_EQ(timers.waited, kReattachTimeout);
}

TEST_F(DownloadControllerTest, TwoDevicesAreNoDevice) {
  MultiplyingEnumerator two(rig.backend->Enumerator(), 2);
  DownloadController& c = Controller(&two);
  EXPECT_EQ(c.ScanDevices(), 0);
  EXPECT_EQ(c.DeviceCount(), 0);
  EXPECT_EQ(c.CurrentStatusText(), u"No device");
  EXPECT_FALSE(view.Enabled(control_id::kDownload));
  EXPECT_EQ(FsmLoads(), 0u);
}

TEST_F(DownloadControllerTest, MissingRamProgramLeavesTheStatusAsItWas) {
  std::filesystem::remove("FSM/FSM.BIN");
  DownloadController& c = Controller();
  EXPECT_EQ(c.ScanDevices(), 1);
  EXPECT_FALSE(c.DeviceReady());
  EXPECT_EQ(c.CurrentStatusText(), u"");
}

TEST_F(DownloadControllerTest, DownloadsPackageAndUserImageAndReportsCompletion) {
  const auto user = PatternBytes(1000, 42);
  testing::WriteFile("user.bin", user);
  package.userImage = std::filesystem::current_path() / "user.bin";
  DownloadController& c = Controller();
  ASSERT_EQ(c.ScanDevices(), 1);
  rig.ClearLog();

  c.OnDownload();
  EXPECT_EQ(package.settingsReads, 1);
  EXPECT_TRUE(timers.Running(timer_id::kProgress));
  EXPECT_EQ(timers.running[timer_id::kProgress], std::chrono::milliseconds(100));
  for (int id : {control_id::kDownload, control_id::kFileList, control_id::kAddFile,
                 control_id::kDeleteFile, control_id::kSaveFile, control_id::kSaveList,
                 control_id::kInPlaceEditor, control_id::kSentenceList}) {
    EXPECT_FALSE(view.Enabled(id)) << id;
  }
  c.WaitForWorker();
  EXPECT_EQ(c.State(), DeviceState::Completed);
  c.OnTimer(timer_id::kProgress);

  EXPECT_FALSE(timers.Running(timer_id::kProgress));
  EXPECT_EQ(view.LastText(), u"Download complete");
  EXPECT_EQ(view.positions.back(), 100);
  EXPECT_EQ(c.State(), DeviceState::Connected);
  EXPECT_TRUE(view.Enabled(control_id::kDownload));
  EXPECT_TRUE(view.Enabled(control_id::kSentenceList));
  EXPECT_FALSE(view.Enabled(control_id::kSaveFile)) << "stays disabled after a download";
  EXPECT_FALSE(view.Enabled(control_id::kInPlaceEditor));

  EXPECT_EQ(rig.Flash(0, package.image.size()), package.image);
  auto paddedUser = user;
  paddedUser.resize(1000, 0);
  EXPECT_EQ(rig.Flash(0x20000, 1000), paddedUser) << "user image behind the two package blocks";
  const auto erases = rig.LogOf(DeviceCommand::EraseFlash);
  ASSERT_EQ(erases.size(), 2u);
  EXPECT_EQ(erases[0].length, 0x20000u);
  EXPECT_EQ(erases[1].address, 0x20000u);
  EXPECT_EQ(rig.LogOf(DeviceCommand::WriteFlash).size(), 18u + 1);
}

TEST_F(DownloadControllerTest, FailedBuildShowsDownloadFailAndLeavesTheBar) {
  package.prepareCode = 0x500D;
  DownloadController& c = Controller();
  ASSERT_EQ(c.ScanDevices(), 1);
  view.positions.clear();
  c.OnDownload();
  c.WaitForWorker();
  EXPECT_EQ(view.messages.size(), 1u) << "the builder's message went to the view";
  EXPECT_EQ(c.State(), DeviceState::Failed);
  c.OnTimer(timer_id::kProgress);
  EXPECT_EQ(view.LastText(), u"Download fail");
  EXPECT_TRUE(view.positions.empty()) << "the bar stays where the animation was";
  EXPECT_EQ(c.State(), DeviceState::Connected);
  EXPECT_TRUE(view.Enabled(control_id::kDownload));
  EXPECT_TRUE(rig.LogOf(DeviceCommand::EraseFlash).empty());
}

TEST_F(DownloadControllerTest, ProgressCounterRunsUpTo100ThenStartsOverWhileTheWorkerRuns) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  package.onPrepare = [released] { released.wait(); };
  DownloadController& c = Controller();
  ASSERT_EQ(c.ScanDevices(), 1);
  view.texts.clear();
  c.OnDownload();
  // The worker sets its status before it builds the package; wait for it.
  while (c.CurrentStatusText() != u"Downloading") std::this_thread::yield();
  for (int tick = 0; tick < 103; ++tick) c.OnTimer(timer_id::kProgress);
  release.set_value();

  ASSERT_EQ(view.positions.size(), 103u);
  EXPECT_EQ(view.positions[0], 0);
  EXPECT_EQ(view.positions[100], 100);
  EXPECT_EQ(view.positions[101], 0);
  EXPECT_EQ(view.positions[102], 1);
  EXPECT_EQ(view.texts, std::vector<std::u16string>{u"Downloading"}) << "shown once, on a tick";
  FinishDownload();
  EXPECT_EQ(view.LastText(), u"Download complete");
}

TEST_F(DownloadControllerTest, DownloadWithoutAConnectedDeviceDoesNothing) {
  rig.Device([](devsim::SimulatedDevice& d) {
    d.Detach();
    return 0;
  });
  DownloadController& c = Controller();
  ASSERT_EQ(c.ScanDevices(), 0);
  c.OnDownload();
  EXPECT_FALSE(timers.Running(timer_id::kProgress));
  EXPECT_TRUE(c.DownloadFinished());
  EXPECT_TRUE(view.Enabled(control_id::kFileList));
  EXPECT_EQ(package.settingsReads, 0);
}

TEST_F(DownloadControllerTest, RemovalBeforeTheOutcomeIsAcknowledgedOnlySavesTheDriveMask) {
  DownloadController& c = Controller();
  ASSERT_EQ(c.ScanDevices(), 1);
  Events(2);  // the re-attach after the RAM program load
  c.SaveDriveMask();
  ASSERT_NE(c.SavedDriveMask(), 0u);
  c.OnDownload();
  c.WaitForWorker();
  ASSERT_EQ(c.State(), DeviceState::Completed);

  rig.Device([](devsim::SimulatedDevice& d) {
    d.Detach();
    return 0;
  });
  for (DeviceChange event : Events(1)) c.OnDeviceChange(event);
  EXPECT_FALSE(timers.Running(timer_id::kSettle));
  EXPECT_EQ(c.SavedDriveMask(), 0u);
  EXPECT_EQ(c.PendingRemovals(), 0);

  c.OnTimer(timer_id::kProgress);
  EXPECT_EQ(view.LastText(), u"Download complete");
  EXPECT_EQ(c.State(), DeviceState::Connected);
}

TEST_F(DownloadControllerTest, SettleTimerWaitsForTheDriveBitThenScans) {
  rig.Device([](devsim::SimulatedDevice& d) {
    d.Detach();
    return 0;
  });
  DownloadController& c = Controller();
  c.SaveDriveMask();
  ASSERT_EQ(c.ScanDevices(), 0);
  Events(1);

  rig.Device([](devsim::SimulatedDevice& d) {
    d.Attach();
    return 0;
  });
  // Two notifications for one drive, as udev sends for the disk and its node.
  for (DeviceChange event : Events(1)) c.OnDeviceChange(event);
  c.OnDeviceChange(DeviceChange::Arrival);
  c.OnDeviceChange(DeviceChange::NodesChanged);
  EXPECT_TRUE(timers.Running(timer_id::kSettle));
  EXPECT_EQ(timers.running[timer_id::kSettle], std::chrono::milliseconds(800));
  EXPECT_EQ(c.PendingArrivals(), 2);
  EXPECT_FALSE(view.Enabled(control_id::kDownload));

  c.OnTimer(timer_id::kSettle);
  EXPECT_EQ(c.PendingArrivals(), 1) << "the new drive bit consumed one arrival";
  EXPECT_EQ(c.SavedDriveMask(), 1u << 3);
  c.OnTimer(timer_id::kSettle);
  EXPECT_EQ(c.PendingArrivals(), 0) << "the mask no longer changes";
  EXPECT_EQ(c.DeviceCount(), 0) << "no scan while changes settle";
  EXPECT_TRUE(timers.Running(timer_id::kSettle));

  c.OnTimer(timer_id::kSettle);
  EXPECT_EQ(c.DeviceCount(), 1);
  EXPECT_FALSE(timers.Running(timer_id::kSettle));
  EXPECT_EQ(timers.waited, std::chrono::milliseconds(50));
  EXPECT_TRUE(view.Enabled(control_id::kDownload));
  EXPECT_EQ(view.LastText(), u"Device connected");
  EXPECT_EQ(view.positions.back(), 0);
}

TEST_F(DownloadControllerTest, RamProgramLoadEventsSettleWithoutAChangedDriveMask) {
  DownloadController& c = Controller();
  c.SaveDriveMask();
  ASSERT_EQ(c.ScanDevices(), 1);
  for (DeviceChange event : Events(2)) c.OnDeviceChange(event);
  EXPECT_EQ(c.PendingRemovals(), 1);
  EXPECT_EQ(c.PendingArrivals(), 1);
  c.OnTimer(timer_id::kSettle);
  EXPECT_EQ(c.PendingArrivals() + c.PendingRemovals(), 0);
  rig.ClearLog();
  c.OnTimer(timer_id::kSettle);
  EXPECT_EQ(FsmLoads(), 0u);
  EXPECT_EQ(view.LastText(), u"Device connected");
}

class StubbornDeviceTest : public DownloadControllerTest {
 protected:
  static devsim::SimulatedDeviceOptions Stubborn() {
    devsim::SimulatedDeviceOptions options;
    options.ramProgramStarts = false;
    return options;
  }
  StubbornDeviceTest() : DownloadControllerTest(Stubborn()) {}
};

TEST_F(StubbornDeviceTest, DeviceThatKeepsItsFirstIdentityIsLoadedAtMostThreeTimes) {
  DownloadController& c = Controller();
  c.ScanDevices();
  EXPECT_EQ(FsmLoads(), std::size_t{kMaxScansAfterFsmLoad});
  EXPECT_FALSE(c.DeviceReady());
  EXPECT_EQ(c.DeviceCount(), 0);
  EXPECT_EQ(c.CurrentStatusText(), u"No device");
  EXPECT_FALSE(view.Enabled(control_id::kDownload));
}

}  // namespace
}  // namespace quillon::device
