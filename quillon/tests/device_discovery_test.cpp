#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <set>
#include <string>

#include "quillon/device/device_identity.h"
#include "quillon/device/discovery.h"
#include "quillon/device/download_core.h"

namespace quillon::device {
namespace {

// Storage interfaces by path, each with its bus and its INQUIRY reply.
class FakeInterfaces final : public PassThroughBackend {
 public:
  struct Node {
    bool onUsb = true;
    InquiryData inquiry{};
  };
  OpenResult Open(std::string_view path) override {
    if (denied.count(std::string(path)) != 0) return {kNoHandle, kErrorAccessDenied, EACCES};
    const auto found = nodes.find(std::string(path));
    if (found == nodes.end()) return {kNoHandle, kErrorFileNotFound};
    open_.push_back(found->first);
    return {static_cast<DeviceHandle>(open_.size() - 1), kSuccess};
  }
  void Close(DeviceHandle handle) override {
    if (handle != kNoHandle) ++closes;
  }
  bool QueryBusIsUsb(DeviceHandle handle) override { return nodes[open_[handle]].onUsb; }
  ResultCode Execute(DeviceHandle handle, PassThroughRecord& record) override {
    if (record.commandBlock[0] == 0x12) {
      const InquiryData& reply = nodes[open_[handle]].inquiry;
      std::copy_n(reply.begin(), std::min(reply.size(), record.data.size()), record.data.begin());
    }
    return kSuccess;
  }

  std::map<std::string, Node> nodes;
  std::set<std::string> denied;
  int closes = 0;

 private:
  std::vector<std::string> open_;
};

class FakeEnumerator final : public DeviceEnumerator {
 public:
  std::vector<UsbStorageCandidate> ListUsbStorageDevices() override { return candidates; }
  std::vector<StorageInterface> ListStorageInterfaces() override { return interfaces; }
  std::vector<UsbStorageCandidate> candidates;
  std::vector<StorageInterface> interfaces;
};

class DiscoveryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ConfigureDefaultTransport(transport)); }

  void AddDevice(const std::string& path, const std::string& key, DeviceIdentity identity,
                 bool onUsb = true) {
    backend.nodes[path] = {onUsb, InquiryDataOf(identity)};
    enumerator.candidates.push_back({"usb\\vid_5154&pid_2700\\" + key, key, "hub0"});
    enumerator.interfaces.push_back({path, key});
  }
  int Enumerate() { return EnumerateDevices(transport, enumerator, kEnumerateStorageDevices); }

  FakeInterfaces backend;
  FakeEnumerator enumerator;
  Transport transport{backend};
};

TEST(DeviceIdentity, OnlyTheThreeExactRepliesAreAccepted) {
  EXPECT_EQ(IdentifyInquiry(InquiryDataOf(DeviceIdentity::Ready)), DeviceIdentity::Ready);
  EXPECT_EQ(IdentifyInquiry(InquiryDataOf(DeviceIdentity::Optical)), DeviceIdentity::Optical);
  EXPECT_EQ(IdentifyInquiry(InquiryDataOf(DeviceIdentity::DirectAccess)),
            DeviceIdentity::DirectAccess);
  InquiryData otherVendor = InquiryDataOf(DeviceIdentity::Optical);
  otherVendor[8] = 'Z';
  EXPECT_FALSE(IdentifyInquiry(otherVendor));
  InquiryData revision = InquiryDataOf(DeviceIdentity::Ready);
  revision[35] = '1';
  EXPECT_FALSE(IdentifyInquiry(revision));
  const InquiryData ready = InquiryDataOf(DeviceIdentity::Ready);
  EXPECT_FALSE(IdentifyInquiry(std::span(ready).first(35))) << "36 bytes exactly";
  const std::string product(ready.begin() + 16, ready.begin() + 32);
  EXPECT_EQ(product, "ZPR4400 DEVICE  ");
}

TEST_F(DiscoveryTest, IdentifiedDeviceFillsTheDeviceList) {
  AddDevice("/dev/sg3", "A1B2C3", DeviceIdentity::Optical);
  ASSERT_EQ(Enumerate(), 1);
  ASSERT_EQ(transport.DeviceList().size(), 1u);
  const DeviceListEntry& entry = transport.DeviceList()[0];
  EXPECT_EQ(entry.storagePath, "/dev/sg3");
  EXPECT_EQ(entry.instanceName, "USB\\VID_5154&PID_2700\\A1B2C3");
  EXPECT_EQ(entry.hubPath, "hub0");
  EXPECT_EQ(std::string(entry.description.begin(), entry.description.begin() + 8), "QX27B900");
  EXPECT_EQ(backend.closes, 1) << "identification closes what it opened";
}

TEST_F(DiscoveryTest, EveryAcceptedIdentityCountsAndTwoDevicesCountTwo) {
  AddDevice("/dev/sg1", "SERIAL1", DeviceIdentity::Optical);
  AddDevice("/dev/sg2", "SERIAL2", DeviceIdentity::Ready);
  AddDevice("/dev/sg4", "SERIAL4", DeviceIdentity::DirectAccess);
  EXPECT_EQ(Enumerate(), 3);
}

TEST_F(DiscoveryTest, OtherVendorsAndInterfacesOffTheUsbBusAreSkipped) {
  AddDevice("/dev/sg1", "SERIAL1", DeviceIdentity::Optical);
  backend.nodes["/dev/sg1"].inquiry[8] = 'X';
  AddDevice("/dev/sg2", "SERIAL2", DeviceIdentity::Optical, /*onUsb=*/false);
  EXPECT_EQ(Enumerate(), 0);
  EXPECT_TRUE(transport.DeviceList().empty());

  DeviceDescription description{};
  EXPECT_EQ(IdentifyStorageInterface(transport, "/dev/sg1", 0, description), kIdentityNotAccepted);
  EXPECT_EQ(IdentifyStorageInterface(transport, "/dev/sg2", 0, description), kNotOnUsbBus);
  EXPECT_EQ(IdentifyStorageInterface(transport, "/dev/none", 0, description), kInterfaceOpenFailed);
}

TEST_F(DiscoveryTest, InterfacesPairWithTheirOwnDeviceByKeyIgnoringCase) {
  AddDevice("/dev/sg1", "ab12cd", DeviceIdentity::Optical);
  enumerator.interfaces[0].ownerKey = "AB12CD";
  enumerator.interfaces.push_back({"/dev/sg1", "other"});  // same node, foreign owner key
  EXPECT_EQ(Enumerate(), 1);

  enumerator.candidates[0].matchKey = "a";  // a one-character key pairs nothing
  enumerator.interfaces = {{"/dev/sg1", "a"}};
  EXPECT_EQ(Enumerate(), 0);
}

TEST_F(DiscoveryTest, ScanReplacesTheLastDeviceList) {
  AddDevice("/dev/sg1", "SERIAL1", DeviceIdentity::Optical);
  ASSERT_EQ(Enumerate(), 1);
  backend.nodes.clear();
  EXPECT_EQ(Enumerate(), 0);
  EXPECT_TRUE(transport.DeviceList().empty());
}

TEST_F(DiscoveryTest, NodesThatCannotBeOpenedAreNamedWithTheirError) {
  AddDevice("/dev/sg1", "SERIAL1", DeviceIdentity::Ready);
  backend.denied.insert("/dev/sg1");
  enumerator.interfaces.push_back({"/dev/sg7", "GONE"});  // vanished between listing and opening
  EXPECT_EQ(Enumerate(), 0);
  EXPECT_EQ(transport.InaccessibleInterfaces(),
            (std::vector<InaccessibleInterface>{{"/dev/sg1", kErrorAccessDenied, EACCES},
                                                {"/dev/sg7", kErrorFileNotFound, 0}}));
  backend.denied.clear();
  EXPECT_EQ(Enumerate(), 1);
  EXPECT_EQ(transport.InaccessibleInterfaces().size(), 1u) << "only the vanished node is left";
}

TEST(DiscoveryWithoutConfiguration, FindsNothing) {
  FakeInterfaces backend;
  FakeEnumerator enumerator;
  Transport transport(backend);
  EXPECT_EQ(EnumerateDevices(transport, enumerator, kEnumerateStorageDevices), 0);
}

}  // namespace
}  // namespace quillon::device
