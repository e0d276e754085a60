#include "quillon/device/command_set.h"

#include <algorithm>

#include "platform/byte_order.h"

namespace quillon::device {
namespace {

using VendorBlock = std::array<std::uint8_t, 16>;

constexpr std::uint8_t kVendorRead = 0xEF;
constexpr std::uint8_t kVendorWrite = 0xEE;

VendorBlock AddressedBlock(std::uint8_t group, std::uint8_t operation, std::uint32_t address,
                           std::uint8_t variant) {
  VendorBlock block{};
  block[0] = group;
  block[1] = operation;
  platform::StoreBig32(&block[2], address);
  block[6] = variant;
  return block;
}

// Sends data that the record only reads through a copy, since the record's
// buffer is shared by both directions.
ResultCode SendChunkToDevice(Transport& transport, int slot, const VendorBlock& block,
                             std::span<const std::uint8_t> chunk) {
  std::array<std::uint8_t, kWriteChunk> buffer;
  const std::span<std::uint8_t> outgoing(buffer.data(), chunk.size());
  std::copy(chunk.begin(), chunk.end(), outgoing.begin());
  return transport.SendVendorCommand(slot, block, TransferDirection::ToDevice, outgoing);
}

}  // namespace

ResultCode TestUnitReady(Transport& transport, int slot) {
  const std::array<std::uint8_t, 6> block{};
  return transport.SendStandardCommand(slot, block, TransferDirection::None, {});
}

ResultCode Inquiry(Transport& transport, int slot, std::span<std::uint8_t> reply) {
  if (reply.size() > 0xFF) return kErrorInvalidParameter;
  const std::array<std::uint8_t, 6> block{0x12, 0, 0, 0, static_cast<std::uint8_t>(reply.size()), 0};
  return transport.SendStandardCommand(slot, block, TransferDirection::FromDevice, reply);
}

ResultCode ReadDeviceInfo(Transport& transport, int slot, std::uint32_t address,
                          std::span<std::uint8_t> reply) {
  const VendorBlock block = AddressedBlock(kVendorRead, 0x01, address, 0);
  return transport.SendVendorCommand(slot, block, TransferDirection::FromDevice, reply);
}

ResultCode ReadFlash(Transport& transport, int slot, std::uint32_t address, std::uint8_t variant,
                     std::span<std::uint8_t> reply) {
  const VendorBlock block = AddressedBlock(kVendorRead, 0x02, address, variant);
  return transport.SendVendorCommand(slot, block, TransferDirection::FromDevice, reply);
}

ResultCode EraseFlash(Transport& transport, int slot, std::uint32_t address, std::uint8_t variant,
                      std::uint32_t length, CommandStatus& status, const ChunkObserver& onChunk) {
  ResultCode code = kSuccess;
  std::uint32_t offset = 0;
  do {
    const std::uint32_t piece = std::min(kEraseChunk, length - offset);
    VendorBlock block = AddressedBlock(kVendorRead, 0x03, address + offset, variant);
    platform::StoreBig32(&block[7], piece);
    status = {};
    code = transport.SendVendorCommand(slot, block, TransferDirection::FromDevice, status);
    offset += piece;
    if (onChunk) onChunk(offset);
  } while (code == kSuccess && status[0] == 1 && offset < length);
  return code;
}

ResultCode WriteFlash(Transport& transport, int slot, std::uint32_t address, std::uint8_t variant,
                      std::span<const std::uint8_t> data, const ChunkObserver& onChunk) {
  for (std::size_t offset = 0; offset < data.size(); offset += kWriteChunk) {
    const std::size_t piece = std::min(kWriteChunk, data.size() - offset);
    const VendorBlock block =
        AddressedBlock(kVendorWrite, 0x02, address + static_cast<std::uint32_t>(offset), variant);
    if (const ResultCode code = SendChunkToDevice(transport, slot, block, data.subspan(offset, piece));
        code != kSuccess) {
      return code;
    }
    if (onChunk) onChunk(offset + piece);
  }
  return kSuccess;
}

ResultCode FsmLoadBegin(Transport& transport, int slot, std::uint32_t length,
                        CommandStatus& status) {
  VendorBlock block{kVendorRead, 0x77};
  platform::StoreBig32(&block[2], length);
  status = {};
  return transport.SendVendorCommand(slot, block, TransferDirection::FromDevice, status);
}

ResultCode FsmLoadData(Transport& transport, int slot, std::span<const std::uint8_t> data) {
  const VendorBlock block{kVendorWrite, 0x78};
  for (std::size_t offset = 0; offset < data.size(); offset += kFsmDataChunk) {
    const std::size_t piece = std::min(kFsmDataChunk, data.size() - offset);
    if (const ResultCode code = SendChunkToDevice(transport, slot, block, data.subspan(offset, piece));
        code != kSuccess) {
      return code;
    }
  }
  return kSuccess;
}

ResultCode FsmLoadEnd(Transport& transport, int slot, std::uint16_t sum, CommandStatus& status) {
  VendorBlock block{kVendorRead, 0x79};
  platform::StoreBig16(&block[2], sum);
  status = {};
  return transport.SendVendorCommand(slot, block, TransferDirection::FromDevice, status);
}

}  // namespace quillon::device
