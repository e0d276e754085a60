// The scan and the download of the download core against the simulator,
// without a window: outcomes, device errors and the messages they give.
#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "device_test_support.h"
#include "quillon/device/download_core.h"

namespace quillon::device {
namespace {

using devsim::DeviceCommand;
using testing::FixedPackage;
using testing::PatternBytes;
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

// Refuses every open as a node without read and write permission does.
class NoPermissionBackend final : public PassThroughBackend {
 public:
  OpenResult Open(std::string_view) override { return {kNoHandle, kErrorAccessDenied, EACCES}; }
  void Close(DeviceHandle) override {}
  bool QueryBusIsUsb(DeviceHandle) override { return false; }
  ResultCode Execute(DeviceHandle, PassThroughRecord&) override { return kErrorInvalidHandle; }
};

class DownloadCoreTest : public ::testing::Test {
 protected:
  explicit DownloadCoreTest(devsim::SimulatedDeviceOptions options = {}) : rig(options) {
    testing::WriteFile("FSM/FSM.BIN", PatternBytes(3000, 3));
    package.image = PatternBytes(70000);
  }

  DeviceSession Session(DeviceEnumerator* enumerator = nullptr) {
    return DeviceSession(*rig.transport, enumerator != nullptr ? *enumerator : rig.backend->Enumerator(),
                         std::filesystem::current_path(),
                         [this](std::chrono::milliseconds duration) { waited += duration; });
  }
  DownloadOutcome RunDownload() {
    return Download(*rig.transport, package, messages, nullptr);
  }

  std::size_t FsmLoads() { return rig.LogOf(DeviceCommand::FsmEnd).size(); }

  SimulatorRig rig;
  FixedPackage package;
  testing::RecordingMessages messages;
  std::chrono::milliseconds waited{0};
};

TEST_F(DownloadCoreTest, ColdDeviceIsLoadedWithItsRamProgramAndScannedAgain) {
  DeviceSession session = Session();
  const ScanOutcome first = session.Scan();
  EXPECT_EQ(first.result, 1);
  EXPECT_TRUE(first.Usable());
  EXPECT_TRUE(first.ramProgramLoaded);
  EXPECT_EQ(first.status, StatusText::DeviceConnected);
  EXPECT_FALSE(first.noDeviceReported);
  EXPECT_EQ(first.error, DeviceError{});
  EXPECT_EQ(FsmLoads(), 1u);
  ASSERT_EQ(rig.LogOf(DeviceCommand::DeviceInfo).size(), 2u) << "checked by both scans";
  EXPECT_EQ(rig.LogOf(DeviceCommand::DeviceInfo)[0].address, 0x2100u);

  rig.ClearLog();
  const ScanOutcome again = session.Scan();
  EXPECT_TRUE(again.Usable());
  EXPECT_FALSE(again.ramProgramLoaded) << "a ready device is not loaded again";
  EXPECT_EQ(rig.LogOf(DeviceCommand::Inquiry).size(), 1u) << "identification only: the ready flag stays";
}

TEST_F(DownloadCoreTest, RescanAfterTheRamProgramWaitsForTheDeviceToComeBack) {
  SlowReattachEnumerator late(rig, 7);
  DeviceSession session = Session(&late);
  const ScanOutcome outcome = session.Scan();
  EXPECT_TRUE(outcome.Usable());
  EXPECT_EQ(FsmLoads(), 1u) << "not loaded again while it is away";
  EXPECT_EQ(waited, 7 * kReattachPoll);
}

TEST_F(DownloadCoreTest, DeviceThatNeverComesBackIsNotReadyAfterTheReattachTimeout) {
  SlowReattachEnumerator gone(rig, 1000);
  DeviceSession session = Session(&gone);
  const ScanOutcome outcome = session.Scan();
  EXPECT_EQ(outcome.deviceCount, 0);
  EXPECT_EQ(outcome.status, StatusText::NoDevice);
  EXPECT_TRUE(outcome.noDeviceReported);
  EXPECT_EQ(outcome.error.kind, DeviceErrorKind::NotReady);
  EXPECT_EQ(waited, kReattachTimeout);
}

class StubbornDeviceTest : public DownloadCoreTest {
 protected:
  static devsim::SimulatedDeviceOptions Stubborn() {
    devsim::SimulatedDeviceOptions options;
    options.ramProgramStarts = false;
    return options;
  }
  StubbornDeviceTest() : DownloadCoreTest(Stubborn()) {}
};

TEST_F(StubbornDeviceTest, DeviceThatKeepsItsFirstIdentityIsLoadedAtMostThreeTimes) {
  DeviceSession session = Session();
  const ScanOutcome outcome = session.Scan();
  EXPECT_EQ(FsmLoads(), std::size_t{kMaxScansAfterFsmLoad});
  EXPECT_FALSE(session.Ready());
  EXPECT_EQ(session.DeviceCount(), 0);
  EXPECT_EQ(outcome.status, StatusText::NoDevice);
  EXPECT_EQ(outcome.error.kind, DeviceErrorKind::NotReady);
}

TEST_F(DownloadCoreTest, ScansThatFindNoUsableDeviceSayWhy) {
  {
    MultiplyingEnumerator two(rig.backend->Enumerator(), 2);
    const ScanOutcome outcome = Session(&two).Scan();
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.status, StatusText::NoDevice);
    EXPECT_TRUE(outcome.noDeviceReported);
    EXPECT_EQ(outcome.error.kind, DeviceErrorKind::SeveralDevices);
    EXPECT_EQ(FsmLoads(), 0u);
  }
  {
    NoPermissionBackend refusing;
    Transport transport(refusing);
    ASSERT_TRUE(ConfigureDefaultTransport(transport));
    DeviceSession session(transport, rig.backend->Enumerator(), std::filesystem::current_path());
    const ScanOutcome outcome = session.Scan();
    EXPECT_EQ(outcome.status, StatusText::NoDevice);
    EXPECT_EQ(outcome.error.kind, DeviceErrorKind::AccessDenied);
    EXPECT_EQ(outcome.error.osError, EACCES);
    EXPECT_FALSE(outcome.error.path.empty()) << "names the node";
  }
  rig.Device([](devsim::SimulatedDevice& d) {
    d.Detach();
    return 0;
  });
  const ScanOutcome none = Session().Scan();
  EXPECT_EQ(none.error.kind, DeviceErrorKind::NoDevice);
  EXPECT_FALSE(none.Usable());
}

TEST_F(DownloadCoreTest, RamProgramThatCannotBeLoadedLeavesTheStatusAsItWas) {
  std::filesystem::remove("FSM/FSM.BIN");
  DeviceSession session = Session();
  const ScanOutcome missing = session.Scan();
  EXPECT_EQ(missing.result, 1);
  EXPECT_FALSE(missing.ready);
  EXPECT_FALSE(missing.status.has_value());
  EXPECT_FALSE(missing.noDeviceReported);
  EXPECT_EQ(missing.error.kind, DeviceErrorKind::RamProgramMissing);
  EXPECT_EQ(missing.error.code, kFileOpenFailed);
  EXPECT_TRUE(missing.error.path.ends_with("FSM/FSM.BIN")) << missing.error.path;

  testing::WriteFile("FSM/FSM.BIN", {});
  EXPECT_EQ(session.Scan().error.kind, DeviceErrorKind::RamProgramEmpty);

  testing::WriteFile("FSM/FSM.BIN", PatternBytes(3000, 3));
  rig.AddFault("fsm-begin:status");
  const ScanOutcome refused = session.Scan();
  EXPECT_EQ(refused.error.kind, DeviceErrorKind::RamProgramRefused);
  EXPECT_EQ(refused.error.code, kFsmBeginFailed);
}

TEST_F(DownloadCoreTest, DownloadsPackageAndUserImageBehindIt) {
  const auto user = PatternBytes(1000, 42);
  testing::WriteFile("user.bin", user);
  package.userImage = std::filesystem::current_path() / "user.bin";
  ASSERT_TRUE(Session().Scan().Usable());
  rig.ClearLog();

  const DownloadOutcome outcome = RunDownload();
  EXPECT_EQ(outcome.result, DownloadResult::Complete);
  EXPECT_EQ(outcome.Status(), StatusText::DownloadComplete);
  EXPECT_EQ(outcome.error, DeviceError{});
  EXPECT_EQ(rig.Flash(0, package.image.size()), package.image);
  EXPECT_EQ(rig.Flash(0x20000, 1000), user) << "user image behind the two package blocks";
  const auto erases = rig.LogOf(DeviceCommand::EraseFlash);
  ASSERT_EQ(erases.size(), 2u);
  EXPECT_EQ(erases[0].address, 0u);
  EXPECT_EQ(erases[0].length, 0x20000u);
  EXPECT_EQ(erases[1].address, 0x20000u);
  EXPECT_EQ(rig.LogOf(DeviceCommand::WriteFlash).size(), 18u + 1);
  EXPECT_EQ(rig.LogOf(DeviceCommand::ReadFlash).size(), 18u + 1);
}

TEST_F(DownloadCoreTest, FailedDownloadsSayWhichStepFailed) {
  ASSERT_TRUE(Session().Scan().Usable());
  package.prepareCode = kResultFileMissing;
  DownloadOutcome outcome = RunDownload();
  EXPECT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.Status(), StatusText::DownloadFail);
  EXPECT_EQ(outcome.error.kind, DeviceErrorKind::PackageFailed);
  EXPECT_EQ(outcome.error.code, kResultFileMissing);
  EXPECT_EQ(messages.Messages().size(), 1u) << "the builder's message went to the sink";
  EXPECT_TRUE(rig.LogOf(DeviceCommand::EraseFlash).empty());

  package.prepareCode = 0;
  package.userImage = std::filesystem::current_path() / "no-such-user.bin";
  outcome = RunDownload();
  EXPECT_EQ(outcome.error.kind, DeviceErrorKind::PackageFailed);
  EXPECT_EQ(outcome.error.code, kFileOpenFailed);
  EXPECT_EQ(outcome.error.path, package.userImage.string());

  package.userImage.clear();
  rig.AddFault("read:corrupt");
  outcome = RunDownload();
  EXPECT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.error.kind, DeviceErrorKind::TransferFailed);
  EXPECT_EQ(outcome.error.code, kReadBackMismatch);
}

TEST_F(DownloadCoreTest, DownloadWithoutAScannedDeviceIsNoDeviceAndBuildsNothing) {
  bool built = false;
  package.onPrepare = [&] { built = true; };
  const DownloadOutcome outcome = RunDownload();
  EXPECT_EQ(outcome.result, DownloadResult::NoDevice);
  EXPECT_EQ(outcome.Status(), StatusText::NoDevice);
  EXPECT_FALSE(built);
}

TEST(DeviceErrorMessages, EachKindHasItsOwnPlainMessageWithItsRemedy) {
  const std::vector<DeviceErrorKind> kinds = {
      DeviceErrorKind::NoDevice,          DeviceErrorKind::SeveralDevices,
      DeviceErrorKind::AccessDenied,      DeviceErrorKind::RamProgramMissing,
      DeviceErrorKind::RamProgramEmpty,   DeviceErrorKind::RamProgramRefused,
      DeviceErrorKind::NotReady,          DeviceErrorKind::CheckFailed,
      DeviceErrorKind::PackageFailed,     DeviceErrorKind::TransferFailed};
  std::set<std::string> seen;
  for (DeviceErrorKind kind : kinds) {
    const std::string message = DeviceErrorMessage({kind, kSuccess, 0, "node"});
    EXPECT_FALSE(message.empty());
    EXPECT_TRUE(seen.insert(message).second) << message;
  }
  EXPECT_EQ(DeviceErrorMessage({}), "");

  const std::string denied =
      DeviceErrorMessage({DeviceErrorKind::AccessDenied, kErrorAccessDenied, EACCES, "/dev/sg7"});
  EXPECT_NE(denied.find("/dev/sg7"), std::string::npos) << denied;
  EXPECT_NE(denied.find("Permission denied"), std::string::npos) << denied;
  EXPECT_NE(denied.find("70-quillon.rules"), std::string::npos) << denied;
  EXPECT_NE(denied.find("plugdev"), std::string::npos) << denied;
  EXPECT_NE(DeviceErrorMessage({DeviceErrorKind::RamProgramMissing, kFileOpenFailed, 0, "w/FSM/FSM.BIN"})
                .find("FSM/FSM.BIN"),
            std::string::npos);
  const std::string write = DeviceErrorMessage({DeviceErrorKind::TransferFailed, kWriteFailed, EIO, {}});
  EXPECT_NE(write.find("0x5007"), std::string::npos) << write;
  EXPECT_NE(write.find("Input/output error"), std::string::npos) << write;
  EXPECT_NE(DeviceErrorMessage({DeviceErrorKind::TransferFailed, kErrorDevNotExist, 0, {}}).find("system error 55"),
            std::string::npos);
}

}  // namespace
}  // namespace quillon::device
