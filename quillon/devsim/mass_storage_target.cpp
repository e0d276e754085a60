#include "quillon/devsim/mass_storage_target.h"

#include <algorithm>

#include "platform/byte_order.h"

namespace quillon::devsim {
namespace {

constexpr std::uint32_t kCbwSignature = 0x43425355;
constexpr std::uint32_t kCswSignature = 0x53425355;

// SCSI operation codes answered by the target itself.
constexpr std::uint8_t kTestUnitReady = 0x00;
constexpr std::uint8_t kRequestSense = 0x03;
constexpr std::uint8_t kInquiry = 0x12;
constexpr std::uint8_t kModeSense6 = 0x1A;
constexpr std::uint8_t kStartStopUnit = 0x1B;
constexpr std::uint8_t kPreventAllowMediumRemoval = 0x1E;
constexpr std::uint8_t kReadCapacity10 = 0x25;
constexpr std::uint8_t kRead10 = 0x28;
constexpr std::uint8_t kSynchronizeCache10 = 0x35;
constexpr std::uint8_t kModeSense10 = 0x5A;
constexpr std::uint8_t kVendorRead = 0xEF;
constexpr std::uint8_t kVendorWrite = 0xEE;

constexpr SenseData kInvalidOperationCode{kSenseIllegalRequest, 0x20, 0x00};
constexpr SenseData kInvalidFieldInCommand{kSenseIllegalRequest, 0x24, 0x00};
constexpr SenseData kLbaOutOfRange{kSenseIllegalRequest, 0x21, 0x00};

bool IsDeviceCommand(std::span<const std::uint8_t> block) {
  if (block.size() == 6) return block[0] == kTestUnitReady || (block[0] == kInquiry && (block[1] & 1) == 0);
  return block.size() == 16 && (block[0] == kVendorRead || block[0] == kVendorWrite);
}

std::uint16_t LoadBig16At(std::span<const std::uint8_t> block, std::size_t at) {
  return at + 2 <= block.size() ? platform::LoadBig16(&block[at]) : 0;
}

TargetReply Data(std::vector<std::uint8_t> bytes, std::size_t allocation) {
  if (bytes.size() > allocation) bytes.resize(allocation);
  return {true, CommandStatus::Passed, std::move(bytes)};
}

}  // namespace

device::TransferDirection CommandBlockWrapper::Direction() const {
  if (dataTransferLength == 0) return device::TransferDirection::None;
  return dataIn ? device::TransferDirection::FromDevice : device::TransferDirection::ToDevice;
}

std::optional<CommandBlockWrapper> ParseCommandBlockWrapper(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kCommandBlockWrapperLength || platform::LoadLittle32(&bytes[0]) != kCbwSignature) {
    return std::nullopt;
  }
  CommandBlockWrapper command;
  command.tag = platform::LoadLittle32(&bytes[4]);
  command.dataTransferLength = platform::LoadLittle32(&bytes[8]);
  command.dataIn = (bytes[12] & 0x80) != 0;
  command.lun = bytes[13] & 0x0F;
  command.blockLength = bytes[14] & 0x1F;
  if (command.blockLength < 1 || command.blockLength > command.block.size()) return std::nullopt;
  std::copy_n(bytes.begin() + 15, command.block.size(), command.block.begin());
  return command;
}

std::array<std::uint8_t, kCommandStatusWrapperLength> CommandStatusWrapper(
    std::uint32_t tag, std::uint32_t residue, CommandStatus status) {
  std::array<std::uint8_t, kCommandStatusWrapperLength> wrapper{};
  platform::StoreLittle32(&wrapper[0], kCswSignature);
  platform::StoreLittle32(&wrapper[4], tag);
  platform::StoreLittle32(&wrapper[8], residue);
  wrapper[12] = static_cast<std::uint8_t>(status);
  return wrapper;
}

std::array<std::uint8_t, 18> MassStorageTarget::PendingSense() const {
  std::array<std::uint8_t, 18> sense{};
  sense[0] = 0x70;  // current error, fixed format
  sense[2] = sense_.key;
  sense[7] = 10;  // additional length
  sense[12] = sense_.asc;
  sense[13] = sense_.ascq;
  return sense;
}

TargetReply MassStorageTarget::Fail(SenseData sense) {
  sense_ = sense;
  return {true, CommandStatus::Failed, {}};
}

std::uint32_t MassStorageTarget::BlockSize() const {
  return device_.Identity() == device::DeviceIdentity::DirectAccess ? 512 : 2048;
}

TargetReply MassStorageTarget::Run(const CommandBlockWrapper& command,
                                   std::span<const std::uint8_t> dataOut) {
  if (command.lun != 0) return Fail(kInvalidFieldInCommand);
  if (command.block[0] != kRequestSense) sense_ = {};
  if (IsDeviceCommand(command.Block())) return RunOnDevice(command, dataOut);
  return RunStandard(command);
}

TargetReply MassStorageTarget::RunOnDevice(const CommandBlockWrapper& command,
                                           std::span<const std::uint8_t> dataOut) {
  // The device hands out a new handle after each re-attach.
  if (!device_.HandleIsLive(handle_)) {
    device_.Close(handle_);
    handle_ = device_.Open(SimulatedDevice::kInterfacePath).handle;
  }
  const CommandRequest request{command.Block(), command.Direction(), command.dataTransferLength, 0,
                               dataOut};
  CommandReply reply = device_.Execute(handle_, request);
  switch (reply.error) {
    case kSuccess: break;
    case kErrorSemTimeout:
    case kErrorDevNotExist: return {false, CommandStatus::Failed, {}};
    default: return {true, CommandStatus::PhaseError, {}};
  }
  if (reply.scsiStatus != 0) return Fail(reply.sense);
  return Data(std::move(reply.dataIn), command.dataTransferLength);
}

TargetReply MassStorageTarget::RunStandard(const CommandBlockWrapper& command) {
  const std::span<const std::uint8_t> block = command.Block();
  const std::uint32_t blocks = kMediumBytes / BlockSize();
  switch (block[0]) {
    case kRequestSense: {
      const auto sense = PendingSense();
      sense_ = {};
      return Data({sense.begin(), sense.end()}, block.size() > 4 ? block[4] : 0);
    }
    case kInquiry: return Fail(kInvalidFieldInCommand);  // vital product data pages
    case kModeSense6:
      // Mode data length, medium type, device-specific (write-protected), block descriptors.
      return Data({3, 0, 0x80, 0}, block.size() > 4 ? block[4] : 0);
    case kModeSense10: return Data({0, 6, 0, 0x80, 0, 0, 0, 0}, LoadBig16At(block, 7));
    case kReadCapacity10: {
      std::vector<std::uint8_t> capacity(8);
      platform::StoreBig32(&capacity[0], blocks - 1);
      platform::StoreBig32(&capacity[4], BlockSize());
      return Data(std::move(capacity), command.dataTransferLength);
    }
    case kRead10: {
      if (block.size() < 10) return Fail(kInvalidFieldInCommand);
      const std::uint32_t first = platform::LoadBig32(&block[2]);
      const std::uint32_t count = LoadBig16At(block, 7);
      if (first > blocks || count > blocks - first) return Fail(kLbaOutOfRange);
      return Data(std::vector<std::uint8_t>(std::size_t{count} * BlockSize(), 0),
                  command.dataTransferLength);
    }
    case kStartStopUnit:
    case kPreventAllowMediumRemoval:
    case kSynchronizeCache10: return {};
    default: return Fail(kInvalidOperationCode);
  }
}

}  // namespace quillon::devsim
