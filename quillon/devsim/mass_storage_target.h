// The simulated device as a USB mass-storage target: the Bulk-Only Transport
// wrappers and the SCSI commands a kernel sends on attach, with the device's
// own commands (TEST UNIT READY, INQUIRY, the vendor commands) handed to the
// same SimulatedDevice the socket server serves.
//
// Command Block Wrapper (31 bytes, little-endian):
//   0  signature "USBC" (0x43425355)   4  tag   8  data transfer length
//   12 flags (bit 7: data to the host)  13 LUN  14 command block length (1..16)
//   15 command block (16 bytes)
// Command Status Wrapper (13 bytes): signature "USBS" (0x53425355), the tag,
// the residue (bytes of the data phase not used), status 0 passed, 1 failed
// (the host then asks REQUEST SENSE), 2 phase error (the host resets).
//
// Standard commands answered here: REQUEST SENSE (fixed format), MODE SENSE
// (6) and (10) (a header without pages), READ CAPACITY (10) and READ (10) of a
// small zero-filled medium (512-byte blocks for the direct-access identity,
// 2048-byte blocks for the optical ones), PREVENT ALLOW MEDIUM REMOVAL, START
// STOP UNIT and SYNCHRONIZE CACHE (accepted); anything else, and INQUIRY for a
// vital product data page, fails with ILLEGAL REQUEST.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "quillon/devsim/simulated_device.h"

namespace quillon::devsim {

inline constexpr std::size_t kCommandBlockWrapperLength = 31;
inline constexpr std::size_t kCommandStatusWrapperLength = 13;
// Data a host command may carry to the device; longer transfers are refused.
inline constexpr std::size_t kMaxHostDataOut = 64 * 1024;
// The medium the kernel reads on attach (partition tables, file systems).
inline constexpr std::uint32_t kMediumBytes = 256 * 1024;

struct CommandBlockWrapper {
  std::uint32_t tag = 0;
  std::uint32_t dataTransferLength = 0;
  bool dataIn = false;  // data phase from the device to the host
  std::uint8_t lun = 0;
  std::array<std::uint8_t, 16> block{};
  std::uint8_t blockLength = 0;

  std::span<const std::uint8_t> Block() const { return std::span(block).first(blockLength); }
  device::TransferDirection Direction() const;
};

// None for a wrapper that is not 31 bytes, has a wrong signature or a block
// length outside 1..16: the host has lost step and must reset.
std::optional<CommandBlockWrapper> ParseCommandBlockWrapper(std::span<const std::uint8_t> bytes);

enum class CommandStatus : std::uint8_t { Passed = 0, Failed = 1, PhaseError = 2 };

std::array<std::uint8_t, kCommandStatusWrapperLength> CommandStatusWrapper(
    std::uint32_t tag, std::uint32_t residue, CommandStatus status);

struct TargetReply {
  // False: the device keeps silent (it hangs, or it has left the bus); the
  // host times out and resets.
  bool answered = true;
  CommandStatus status = CommandStatus::Passed;
  std::vector<std::uint8_t> dataIn;  // at most the wrapper's transfer length
};

class MassStorageTarget {
 public:
  explicit MassStorageTarget(SimulatedDevice& device) : device_(device) {}

  // Runs one command; `dataOut` is the data phase of a command to the device.
  TargetReply Run(const CommandBlockWrapper& command, std::span<const std::uint8_t> dataOut);

  // The sense data the next REQUEST SENSE returns (fixed format, 18 bytes).
  std::array<std::uint8_t, 18> PendingSense() const;

 private:
  TargetReply RunOnDevice(const CommandBlockWrapper& command, std::span<const std::uint8_t> dataOut);
  TargetReply RunStandard(const CommandBlockWrapper& command);
  TargetReply Fail(SenseData sense);
  std::uint32_t BlockSize() const;

  SimulatedDevice& device_;
  device::DeviceHandle handle_ = device::kNoHandle;
  SenseData sense_;
};

}  // namespace quillon::devsim
