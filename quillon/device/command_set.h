// The device's command set: the two standard SCSI commands and the vendor
// commands that read, erase and program the flash and load the RAM program.
//
// Vendor command blocks are 16 bytes with every number big-endian: the
// address in bytes 2 to 5, the variant `v` in byte 6 and an erase length in
// bytes 7 to 10. Each function sends on an opened slot and returns 0 or the
// first non-zero code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "quillon/device/transport.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

inline constexpr std::size_t kWriteChunk = 4096;
inline constexpr std::size_t kFsmDataChunk = 2048;
inline constexpr std::uint32_t kEraseChunk = 0x100000;
inline constexpr std::size_t kInquiryLength = 36;

// Two status bytes that erase and RAM program commands answer with; the
// first is 1 on success.
using CommandStatus = std::array<std::uint8_t, 2>;

// Called after each command of a multi-command operation with the bytes done.
using ChunkObserver = std::function<void(std::size_t done)>;

ResultCode TestUnitReady(Transport& transport, int slot);
// INQUIRY for reply.size() bytes (at most 255).
ResultCode Inquiry(Transport& transport, int slot, std::span<std::uint8_t> reply);

ResultCode ReadDeviceInfo(Transport& transport, int slot, std::uint32_t address,
                          std::span<std::uint8_t> reply);
// One read of reply.size() bytes.
ResultCode ReadFlash(Transport& transport, int slot, std::uint32_t address, std::uint8_t variant,
                     std::span<std::uint8_t> reply);
// Erases in commands of at most 0x100000 bytes while each answers with
// status byte 1; the caller checks status[0].
ResultCode EraseFlash(Transport& transport, int slot, std::uint32_t address, std::uint8_t variant,
                      std::uint32_t length, CommandStatus& status,
                      const ChunkObserver& onChunk = {});
// Programs in commands of at most 4096 bytes.
ResultCode WriteFlash(Transport& transport, int slot, std::uint32_t address, std::uint8_t variant,
                      std::span<const std::uint8_t> data, const ChunkObserver& onChunk = {});

ResultCode FsmLoadBegin(Transport& transport, int slot, std::uint32_t length,
                        CommandStatus& status);
// Sends the RAM program in pieces of at most 2048 bytes.
ResultCode FsmLoadData(Transport& transport, int slot, std::span<const std::uint8_t> data);
ResultCode FsmLoadEnd(Transport& transport, int slot, std::uint16_t sum, CommandStatus& status);

}  // namespace quillon::device
