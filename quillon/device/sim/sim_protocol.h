// The simulator's protocol on its Unix stream socket. Every message is a frame:
// a little-endian uint32 payload length, then the payload. A request payload
// starts with its Request byte; the reply carries only its fields. A
// connection that sends Subscribe receives event frames from then on.
//
// Request fields -> reply fields:
//   Enumerate                  -> u8 n, n x (text instance, text key, text hub),
//                                 u8 m, m x (text path, text owner key)
//   Open text path             -> u32 error, u32 handle
//   Close u32 handle           -> (empty)
//   QueryBus u32 handle        -> u8 onUsb
//   Execute u32 handle, u8 direction, u8 block length, 16 bytes block,
//           u32 transfer length, u32 time-out s, u8 sense length, data to device
//                              -> u32 error, u8 SCSI status, u32 n, n bytes from device
//   DriveMask                  -> u32 mask
//   Subscribe                  -> event frames: u8 DeviceChange low byte kind, u32 drive bit
//   Attach / Detach            -> (empty)
//   Dump text file             -> u32 error (0 when written)
//   Fault text                      -> u8 accepted
//   Shutdown                   -> (empty); the simulator then exits
// Texts are a uint16 length and that many bytes.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/device/unique_fd.h"

namespace quillon::device::sim {

enum class Request : std::uint8_t {
  Enumerate = 1,
  Open,
  Close,
  QueryBus,
  Execute,
  DriveMask,
  Subscribe,
  Attach,
  Detach,
  Dump,
  Fault,
  Shutdown,
};

enum class EventKind : std::uint8_t { Arrival = 1, Removal = 2 };

// Frames larger than this are refused (a 4096-byte write plus its fields fits
// many times over).
inline constexpr std::uint32_t kMaxFramePayload = 1u << 20;

class FrameWriter {
 public:
  FrameWriter();
  explicit FrameWriter(Request request);
  FrameWriter& U8(std::uint8_t value);
  FrameWriter& U16(std::uint16_t value);
  FrameWriter& U32(std::uint32_t value);
  FrameWriter& Bytes(std::span<const std::uint8_t> bytes);
  // Texts longer than 65535 bytes are cut there.
  FrameWriter& Text(std::string_view text);
  // The frame with its length prefix.
  const std::vector<std::uint8_t>& Frame();

 private:
  std::vector<std::uint8_t> frame_;
};

// Reads fields from a payload; every read fails (false) past its end.
class FrameReader {
 public:
  explicit FrameReader(std::span<const std::uint8_t> payload) : payload_(payload) {}
  bool U8(std::uint8_t& value);
  bool U16(std::uint16_t& value);
  bool U32(std::uint32_t& value);
  bool Bytes(std::size_t count, std::span<const std::uint8_t>& bytes);
  bool Text(std::string& text);
  std::span<const std::uint8_t> Rest() const { return payload_.subspan(position_); }

 private:
  std::span<const std::uint8_t> payload_;
  std::size_t position_ = 0;
};

// The payload length when `buffered` starts with a whole frame, none while it
// is incomplete. `oversized` is set for a frame above kMaxFramePayload.
std::optional<std::uint32_t> WholeFramePayload(std::span<const std::uint8_t> buffered,
                                               bool& oversized);

// Every wait on the simulator ends by a deadline: a simulator that stops
// answering (stopped, or busy with another client) must not hang its client.
using Deadline = std::chrono::steady_clock::time_point;
inline Deadline DeadlineAfter(std::chrono::milliseconds timeout) { return std::chrono::steady_clock::now() + timeout; }

enum class TransferStatus { Done, PeerGone, TimedOut };

// Sends a whole frame, waiting for room in the socket until `deadline`.
TransferStatus SendFrame(int fd, std::span<const std::uint8_t> frame, Deadline deadline);
// Receives one payload, waiting until `deadline`; PeerGone also when the peer
// misbehaves (an oversized frame).
struct ReceivedFrame {
  TransferStatus status = TransferStatus::PeerGone;
  std::vector<std::uint8_t> payload;
};
ReceivedFrame ReceiveFrame(int fd, Deadline deadline);

// Connects to the simulator's socket; invalid on failure.
UniqueFd ConnectToSimulator(const std::filesystem::path& socketPath);

}  // namespace quillon::device::sim
