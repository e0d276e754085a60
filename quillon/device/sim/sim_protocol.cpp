#include "quillon/device/sim/sim_protocol.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/byte_order.h"

namespace quillon::device::sim {

FrameWriter::FrameWriter() : frame_(4, 0) {}

FrameWriter::FrameWriter(Request request) : FrameWriter() { U8(static_cast<std::uint8_t>(request)); }

FrameWriter& FrameWriter::U8(std::uint8_t value) {
  frame_.push_back(value);
  return *this;
}

FrameWriter& FrameWriter::U16(std::uint16_t value) {
  std::uint8_t bytes[2];
  platform::StoreLittle16(bytes, value);
  frame_.insert(frame_.end(), bytes, bytes + 2);
  return *this;
}

FrameWriter& FrameWriter::U32(std::uint32_t value) {
  std::uint8_t bytes[4];
  platform::StoreLittle32(bytes, value);
  frame_.insert(frame_.end(), bytes, bytes + 4);
  return *this;
}

FrameWriter& FrameWriter::Bytes(std::span<const std::uint8_t> bytes) {
  frame_.insert(frame_.end(), bytes.begin(), bytes.end());
  return *this;
}

FrameWriter& FrameWriter::Text(std::string_view text) {
  if (text.size() > 0xFFFF) text = text.substr(0, 0xFFFF);
  U16(static_cast<std::uint16_t>(text.size()));
  frame_.insert(frame_.end(), text.begin(), text.end());
  return *this;
}

const std::vector<std::uint8_t>& FrameWriter::Frame() {
  platform::StoreLittle32(frame_.data(), static_cast<std::uint32_t>(frame_.size() - 4));
  return frame_;
}

bool FrameReader::U8(std::uint8_t& value) {
  if (payload_.size() - position_ < 1) return false;
  value = payload_[position_++];
  return true;
}

bool FrameReader::U16(std::uint16_t& value) {
  if (payload_.size() - position_ < 2) return false;
  value = platform::LoadLittle16(payload_.data() + position_);
  position_ += 2;
  return true;
}

bool FrameReader::U32(std::uint32_t& value) {
  if (payload_.size() - position_ < 4) return false;
  value = platform::LoadLittle32(payload_.data() + position_);
  position_ += 4;
  return true;
}

bool FrameReader::Bytes(std::size_t count, std::span<const std::uint8_t>& bytes) {
  if (payload_.size() - position_ < count) return false;
  bytes = payload_.subspan(position_, count);
  position_ += count;
  return true;
}

bool FrameReader::Text(std::string& text) {
  std::uint16_t length = 0;
  std::span<const std::uint8_t> bytes;
  if (!U16(length) || !Bytes(length, bytes)) return false;
  text.assign(bytes.begin(), bytes.end());
  return true;
}

std::optional<std::uint32_t> WholeFramePayload(std::span<const std::uint8_t> buffered,
                                               bool& oversized) {
  oversized = false;
  if (buffered.size() < 4) return std::nullopt;
  const std::uint32_t length = platform::LoadLittle32(buffered.data());
  if (length > kMaxFramePayload) {
    oversized = true;
    return std::nullopt;
  }
  if (buffered.size() - 4 < length) return std::nullopt;
  return length;
}

namespace {

// Waits until `fd` is ready for `events` or the deadline passes.
TransferStatus WaitUntilReady(int fd, short events, Deadline deadline) {
  for (;;) {
    const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (remaining.count() <= 0) return TransferStatus::TimedOut;
    pollfd watched{fd, events, 0};
    const int ready = ::poll(&watched, 1, static_cast<int>(std::min<std::int64_t>(remaining.count(), 60000)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return TransferStatus::PeerGone;
    if (ready == 0) continue;  // the loop checks the deadline
    return TransferStatus::Done;
  }
}

TransferStatus ReceiveExactly(int fd, std::uint8_t* data, std::size_t size, Deadline deadline) {
  std::size_t received = 0;
  while (received < size) {
    if (const TransferStatus ready = WaitUntilReady(fd, POLLIN, deadline); ready != TransferStatus::Done) return ready;
    const ssize_t n = ::recv(fd, data + received, size - received, MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return TransferStatus::PeerGone;
    received += static_cast<std::size_t>(n);
  }
  return TransferStatus::Done;
}

}  // namespace

TransferStatus SendFrame(int fd, std::span<const std::uint8_t> frame, Deadline deadline) {
  std::size_t sent = 0;
  while (sent < frame.size()) {
    if (const TransferStatus ready = WaitUntilReady(fd, POLLOUT, deadline); ready != TransferStatus::Done) return ready;
    const ssize_t n = ::send(fd, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return TransferStatus::PeerGone;
    sent += static_cast<std::size_t>(n);
  }
  return TransferStatus::Done;
}

ReceivedFrame ReceiveFrame(int fd, Deadline deadline) {
  ReceivedFrame frame;
  std::uint8_t prefix[4];
  if ((frame.status = ReceiveExactly(fd, prefix, sizeof prefix, deadline)) != TransferStatus::Done) return frame;
  const std::uint32_t length = platform::LoadLittle32(prefix);
  if (length > kMaxFramePayload) {
    frame.status = TransferStatus::PeerGone;
    return frame;
  }
  frame.payload.resize(length);
  frame.status = ReceiveExactly(fd, frame.payload.data(), frame.payload.size(), deadline);
  return frame;
}

UniqueFd ConnectToSimulator(const std::filesystem::path& socketPath) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = socketPath.string();
  if (path.size() >= sizeof address.sun_path) return {};
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.Valid()) return {};
  if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return {};
  return fd;
}

}  // namespace quillon::device::sim
