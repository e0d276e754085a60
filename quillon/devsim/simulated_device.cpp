#include "quillon/devsim/simulated_device.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/byte_order.h"

namespace quillon::devsim {
namespace {

using device::DeviceIdentity;
using device::TransferDirection;

constexpr std::uint8_t kGood = 0;
constexpr std::uint8_t kCheckCondition = 2;
constexpr std::size_t kMaxWrite = 4096;
constexpr std::size_t kMaxFsmPiece = 2048;
constexpr std::uint32_t kMaxErase = 0x100000;
constexpr std::uint32_t kDeviceInfoAddress = 0x2100;

DeviceCommand Decode(std::span<const std::uint8_t> block) {
  if (block.size() == 6) {
    if (block[0] == 0x00) return DeviceCommand::TestUnitReady;
    if (block[0] == 0x12) return DeviceCommand::Inquiry;
    return DeviceCommand::Unknown;
  }
  if (block.size() != 16) return DeviceCommand::Unknown;
  const int opcode = block[0] << 8 | block[1];
  switch (opcode) {
    case 0xEF01: return DeviceCommand::DeviceInfo;
    case 0xEF02: return DeviceCommand::ReadFlash;
    case 0xEF03: return DeviceCommand::EraseFlash;
    case 0xEE02: return DeviceCommand::WriteFlash;
    case 0xEF77: return DeviceCommand::FsmBegin;
    case 0xEE78: return DeviceCommand::FsmData;
    case 0xEF79: return DeviceCommand::FsmEnd;
    default: return DeviceCommand::Unknown;
  }
}

TransferDirection DirectionOf(DeviceCommand command) {
  switch (command) {
    case DeviceCommand::TestUnitReady: return TransferDirection::None;
    case DeviceCommand::WriteFlash:
    case DeviceCommand::FsmData: return TransferDirection::ToDevice;
    default: return TransferDirection::FromDevice;
  }
}

bool HasStatusBytes(DeviceCommand command) {
  return command == DeviceCommand::EraseFlash || command == DeviceCommand::FsmBegin ||
         command == DeviceCommand::FsmEnd;
}

CommandReply Failure(ResultCode error) { return {error, kGood, {}, {}}; }

CommandReply Status(std::uint32_t transferLength, bool ok) {
  CommandReply reply;
  reply.dataIn.assign(transferLength, 0);
  if (!reply.dataIn.empty()) reply.dataIn[0] = ok ? 1 : 0;
  return reply;
}

}  // namespace

bool WriteFlashImage(const SimulatedDevice& device, const std::filesystem::path& file) {
  const auto bytes = device.Flash().Bytes();
  return !platform::WriteFileAtomically(
      file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

SimulatedDevice::SimulatedDevice(SimulatedDeviceOptions options)
    : options_(options), flash_(options.flashSize) {}

DeviceIdentity SimulatedDevice::Identity() const {
  return ramProgramRunning_ ? DeviceIdentity::Ready : options_.coldIdentity;
}

void SimulatedDevice::Attach() {
  if (attached_) return;
  attached_ = true;
  events_.push_back({true, options_.driveBit});
}

void SimulatedDevice::Detach() {
  if (!attached_) return;
  attached_ = false;
  ramProgramRunning_ = false;
  fsmLoading_ = false;
  ++generation_;  // every open handle is now stale
  events_.push_back({false, options_.driveBit});
}

void SimulatedDevice::Reenumerate() {
  Detach();
  Attach();
  ramProgramRunning_ = options_.ramProgramStarts;
}

std::uint32_t SimulatedDevice::DriveMask() const {
  return attached_ ? std::uint32_t{1} << options_.driveBit : 0;
}

std::vector<DeviceEvent> SimulatedDevice::TakeEvents() { return std::exchange(events_, {}); }

device::OpenResult SimulatedDevice::Open(std::string_view path) {
  if (!attached_ || path != kInterfacePath) return {device::kNoHandle, kErrorFileNotFound};
  std::erase_if(handles_, [&](const auto& handle) { return handle.second != generation_; });
  if (handles_.size() >= kMaxOpenHandles) return {device::kNoHandle, kErrorGenFailure};
  const device::DeviceHandle handle = nextHandle_++;
  handles_[handle] = generation_;
  return {handle, kSuccess};
}

void SimulatedDevice::Close(device::DeviceHandle handle) { handles_.erase(handle); }

bool SimulatedDevice::HandleIsLive(device::DeviceHandle handle) const {
  const auto found = handles_.find(handle);
  return attached_ && found != handles_.end() && found->second == generation_;
}

CommandReply SimulatedDevice::Execute(device::DeviceHandle handle, const CommandRequest& request) {
  const DeviceCommand command = Decode(request.commandBlock);
  CommandLogEntry entry{command, 0, request.transferLength, request.timeoutSeconds, kSuccess};
  CommandReply reply;
  if (!HandleIsLive(handle)) {
    reply = Failure(kErrorDevNotExist);
  } else if (command == DeviceCommand::Unknown || request.direction != DirectionOf(command) ||
             (request.direction == TransferDirection::ToDevice &&
              request.dataOut.size() != request.transferLength)) {
    reply = Failure(kErrorGenFailure);
  } else if (const auto fault = faults_.Next(command)) {
    switch (*fault) {
      case FaultKind::SystemError: reply = Failure(kErrorGenFailure); break;
      case FaultKind::Timeout: reply = Failure(kErrorSemTimeout); break;
      case FaultKind::Detach:
        Detach();
        reply = Failure(kErrorDevNotExist);
        break;
      case FaultKind::BadStatus:
        reply = HasStatusBytes(command) ? Status(request.transferLength, false) : CommandReply{};
        if (!HasStatusBytes(command)) {
          reply.scsiStatus = kCheckCondition;
          reply.sense = {kSenseHardwareError, 0x44, 0x00};  // internal target failure
        }
        break;
      case FaultKind::CorruptData:
        reply = Run(command, request, entry);
        if (!reply.dataIn.empty()) reply.dataIn[0] ^= 0xFF;
        break;
    }
  } else {
    reply = Run(command, request, entry);
  }
  if (request.direction == TransferDirection::FromDevice) reply.dataIn.resize(request.transferLength, 0);
  entry.error = reply.error;
  if (log_.size() >= kMaxLogEntries) log_.erase(log_.begin(), log_.begin() + kMaxLogEntries / 2);
  log_.push_back(entry);
  return reply;
}

CommandReply SimulatedDevice::Run(DeviceCommand command, const CommandRequest& request,
                                  CommandLogEntry& entry) {
  const std::span<const std::uint8_t> block = request.commandBlock;
  const std::uint32_t address = block.size() == 16 ? platform::LoadBig32(&block[2]) : 0;
  entry.address = address;
  switch (command) {
    case DeviceCommand::TestUnitReady: return {};
    case DeviceCommand::Inquiry: {
      if (block[4] != request.transferLength) return Failure(kErrorGenFailure);
      const device::InquiryData identity = device::InquiryDataOf(Identity());
      CommandReply reply;
      reply.dataIn.assign(identity.begin(), identity.begin() + std::min<std::size_t>(identity.size(), request.transferLength));
      return reply;
    }
    case DeviceCommand::DeviceInfo: {
      if (address != kDeviceInfoAddress) return Failure(kErrorGenFailure);
      CommandReply reply;
      reply.dataIn.assign(16, 0);
      const std::string_view name = "QX27SIM";
      std::copy(name.begin(), name.end(), reply.dataIn.begin());
      platform::StoreBig32(&reply.dataIn[8], static_cast<std::uint32_t>(flash_.Bytes().size()));
      return reply;
    }
    case DeviceCommand::ReadFlash: {
      CommandReply reply;
      reply.dataIn.assign(request.transferLength, 0);
      if (!flash_.Read(address, reply.dataIn)) return Failure(kErrorGenFailure);
      return reply;
    }
    case DeviceCommand::EraseFlash: {
      const std::uint32_t length = platform::LoadBig32(&block[7]);
      entry.length = length;
      return Status(request.transferLength, length <= kMaxErase && flash_.Erase(address, length));
    }
    case DeviceCommand::WriteFlash:
      if (request.dataOut.size() > kMaxWrite || !flash_.Program(address, request.dataOut)) {
        return Failure(kErrorGenFailure);
      }
      return {};
    case DeviceCommand::FsmBegin: {
      const bool ok = address > 0 && address <= kMaxFsmSize;
      fsmLoading_ = ok;
      fsmExpected_ = address;
      fsmReceived_.clear();
      return Status(request.transferLength, ok);
    }
    case DeviceCommand::FsmData:
      if (!fsmLoading_ || request.dataOut.size() > kMaxFsmPiece ||
          request.dataOut.size() > fsmExpected_ - fsmReceived_.size()) {
        return Failure(kErrorGenFailure);
      }
      fsmReceived_.insert(fsmReceived_.end(), request.dataOut.begin(), request.dataOut.end());
      return {};
    case DeviceCommand::FsmEnd: {
      CommandReply reply = Status(request.transferLength, false);
      const std::uint16_t sum = platform::LoadBig16(&block[2]);
      entry.address = sum;
      const auto received = static_cast<std::uint16_t>(
          std::accumulate(fsmReceived_.begin(), fsmReceived_.end(), std::uint32_t{0}));
      const bool ok = fsmLoading_ && fsmReceived_.size() == fsmExpected_ && received == sum;
      fsmLoading_ = false;
      if (!ok) return reply;
      reply = Status(request.transferLength, true);
      if (options_.fsmEndReportsTimeout) reply.error = kErrorSemTimeout;
      if (options_.fsmEndReplyLost) reply = Failure(kErrorDevNotExist);
      Reenumerate();  // the RAM program starts and the device comes back
      return reply;
    }
    case DeviceCommand::Unknown: break;
  }
  return Failure(kErrorGenFailure);
}

}  // namespace quillon::devsim
