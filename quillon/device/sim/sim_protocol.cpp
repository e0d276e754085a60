#include "quillon/device/sim/sim_protocol.h"

#include <sys/socket.h>
#include <sys/un.h>

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

bool SendFrame(int fd, std::span<const std::uint8_t> frame) {
  std::size_t sent = 0;
  while (sent < frame.size()) {
    const ssize_t n = ::send(fd, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

namespace {

bool ReceiveExactly(int fd, std::uint8_t* data, std::size_t size) {
  std::size_t received = 0;
  while (received < size) {
    const ssize_t n = ::recv(fd, data + received, size - received, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    received += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReceiveFrame(int fd) {
  std::uint8_t prefix[4];
  if (!ReceiveExactly(fd, prefix, sizeof prefix)) return std::nullopt;
  const std::uint32_t length = platform::LoadLittle32(prefix);
  if (length > kMaxFramePayload) return std::nullopt;
  std::vector<std::uint8_t> payload(length);
  if (!ReceiveExactly(fd, payload.data(), payload.size())) return std::nullopt;
  return payload;
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
