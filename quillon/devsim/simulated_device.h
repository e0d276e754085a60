// A device that keeps the contract the download relies on: it attaches with
// its cold identity (optical by default) until a RAM program with the right
// 16-bit sum is loaded, then detaches and re-attaches with the ready identity;
// its flash is NOR flash; it answers the device information read at 0x2100;
// faults can be injected per command. Not thread-safe: the server serialises.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "quillon/device/device_identity.h"
#include "quillon/device/pass_through_backend.h"
#include "quillon/device/pass_through_record.h"
#include "quillon/devsim/device_command.h"
#include "quillon/devsim/fault_plan.h"
#include "quillon/devsim/nor_flash.h"

namespace quillon::devsim {

inline constexpr std::size_t kDefaultFlashSize = 0x800000;  // 8 MB
inline constexpr std::uint32_t kMaxFsmSize = 0x100000;
inline constexpr std::size_t kMaxOpenHandles = 64;
// The command log keeps the latest commands only: a long-running simulator
// must not grow without bound.
inline constexpr std::size_t kMaxLogEntries = std::size_t{1} << 16;

struct SimulatedDeviceOptions {
  std::size_t flashSize = kDefaultFlashSize;
  int driveBit = 3;
  device::DeviceIdentity coldIdentity = device::DeviceIdentity::Optical;
  // The end of a RAM program load reports a time-out after answering status 1.
  bool fsmEndReportsTimeout = false;
  // The end of a RAM program load reports the device gone, its reply lost in
  // the re-attach (what a host may see when the disconnect overtakes it).
  bool fsmEndReplyLost = false;
  // False: a loaded RAM program never starts and the device keeps its cold
  // identity (a faulty device).
  bool ramProgramStarts = true;
};

struct CommandRequest {
  std::span<const std::uint8_t> commandBlock;  // its length is the block length
  device::TransferDirection direction = device::TransferDirection::None;
  std::uint32_t transferLength = 0;
  std::uint32_t timeoutSeconds = 0;
  std::span<const std::uint8_t> dataOut;  // to-device transfers
};

// Sense key and additional sense code of a CHECK CONDITION.
struct SenseData {
  std::uint8_t key = 0;
  std::uint8_t asc = 0;
  std::uint8_t ascq = 0;
};
inline constexpr std::uint8_t kSenseHardwareError = 0x04;
inline constexpr std::uint8_t kSenseIllegalRequest = 0x05;

struct CommandReply {
  ResultCode error = kSuccess;
  std::uint8_t scsiStatus = 0;
  SenseData sense;  // with a CHECK CONDITION
  std::vector<std::uint8_t> dataIn;  // from-device transfers
};

struct CommandLogEntry {
  DeviceCommand command = DeviceCommand::Unknown;
  std::uint32_t address = 0;  // or the RAM program length / sum
  std::uint32_t length = 0;   // bytes moved, or the erase length
  std::uint32_t timeoutSeconds = 0;
  ResultCode error = kSuccess;
};

struct DeviceEvent {
  bool arrival = false;  // else removal
  int driveBit = 0;
};

class SimulatedDevice;
// Writes the whole flash of `device` to `file`; false when it cannot be written.
bool WriteFlashImage(const SimulatedDevice& device, const std::filesystem::path& file);

class SimulatedDevice {
 public:
  explicit SimulatedDevice(SimulatedDeviceOptions options = {});

  // Plugging in and out; unplugging loses the RAM program.
  void Attach();
  void Detach();
  bool Attached() const { return attached_; }
  device::DeviceIdentity Identity() const;

  // What discovery finds while attached.
  static constexpr std::string_view kInterfacePath = "sim/sg0";
  static constexpr std::string_view kSerial = "QX27SIM0001";
  static constexpr std::uint16_t kUsbVendorId = 0x5154;
  static constexpr std::uint16_t kUsbProductId = 0x2700;

  device::OpenResult Open(std::string_view path);
  void Close(device::DeviceHandle handle);
  bool HandleIsLive(device::DeviceHandle handle) const;
  CommandReply Execute(device::DeviceHandle handle, const CommandRequest& request);

  std::uint32_t DriveMask() const;
  std::vector<DeviceEvent> TakeEvents();

  FaultPlan& Faults() { return faults_; }
  const NorFlash& Flash() const { return flash_; }
  // The latest commands, at most kMaxLogEntries of them, oldest first.
  const std::vector<CommandLogEntry>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }

 private:
  CommandReply Run(DeviceCommand command, const CommandRequest& request, CommandLogEntry& entry);
  void Reenumerate();

  SimulatedDeviceOptions options_;
  NorFlash flash_;
  FaultPlan faults_;
  bool attached_ = true;
  bool ramProgramRunning_ = false;
  std::uint32_t fsmExpected_ = 0;
  std::vector<std::uint8_t> fsmReceived_;
  bool fsmLoading_ = false;
  std::map<device::DeviceHandle, std::uint32_t> handles_;  // handle -> attach generation
  device::DeviceHandle nextHandle_ = 1;
  std::uint32_t generation_ = 0;
  std::vector<DeviceEvent> events_;
  std::vector<CommandLogEntry> log_;
};

}  // namespace quillon::devsim
