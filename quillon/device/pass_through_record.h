// One SCSI exchange as the transport prepares it: the command block, the data
// buffer with its direction, the sense area and the time-out. The field values
// are those of the direct pass-through record the device was specified with
// (fixed part of 44 bytes, sense area at offset 48); the backends translate it
// to their operating system's form.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quillon::device {

enum class TransferDirection : std::uint8_t { ToDevice = 0, FromDevice = 1, None = 2 };

inline constexpr std::size_t kCommandBlockCapacity = 16;
inline constexpr std::size_t kSenseCapacity = 32;
inline constexpr std::uint8_t kScsiStatusGood = 0x00;
inline constexpr std::uint8_t kScsiStatusCheckCondition = 0x02;

struct PassThroughRecord {
  std::uint16_t length = 44;  // fixed part of the record
  std::uint8_t scsiStatus = 0;  // returned by the backend
  int osError = 0;              // errno of a failed exchange, set by the backend; 0 when none
  std::uint8_t pathId = 0;
  std::uint8_t targetId = 0;
  std::uint8_t logicalUnit = 0;
  std::uint8_t commandBlockLength = 0;
  std::uint8_t senseLength = 0;  // sense bytes requested
  TransferDirection direction = TransferDirection::None;
  std::uint32_t timeoutSeconds = 0;
  std::uint32_t senseOffset = 48;
  std::span<std::uint8_t> data;  // caller's memory, transferred directly
  std::array<std::uint8_t, kCommandBlockCapacity> commandBlock{};
  std::array<std::uint8_t, kSenseCapacity> sense{};

  std::span<const std::uint8_t> CommandBlock() const {
    return std::span<const std::uint8_t>(commandBlock).first(commandBlockLength);
  }
};

// The record for vendor commands: 16-byte block, 24 sense bytes, 6 s.
PassThroughRecord VendorRecordTemplate();
// The record for TEST UNIT READY and INQUIRY: target 1, 6-byte block, 8 s.
PassThroughRecord StandardRecordTemplate();

}  // namespace quillon::device
