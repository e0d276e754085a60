#include "quillon/devsim/sim_server.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "quillon/device/sim/sim_protocol.h"

namespace quillon::devsim {
namespace {

using device::UniqueFd;
using device::sim::FrameReader;
using device::sim::FrameWriter;
using device::sim::Request;

}  // namespace

std::unique_ptr<SimServer> SimServer::Create(const std::filesystem::path& socketPath,
                                             SimulatedDeviceOptions options, std::string& error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = socketPath.string();
  if (path.empty() || path.size() >= sizeof address.sun_path) {
    error = "socket path is empty or too long: " + path;
    return nullptr;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  UniqueFd wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!listener.Valid() || !wake.Valid()) {
    error = std::string("cannot create a socket: ") + std::strerror(errno);
    return nullptr;
  }
  std::error_code ignored;
  if (std::filesystem::is_socket(socketPath, ignored)) std::filesystem::remove(socketPath, ignored);
  if (::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener.Get(), 8) != 0) {
    error = "cannot listen at " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<SimServer>(
      new SimServer(socketPath, std::move(listener), std::move(wake), options));
}

SimServer::SimServer(std::filesystem::path socketPath, UniqueFd listener, UniqueFd wake,
                     SimulatedDeviceOptions options)
    : socketPath_(std::move(socketPath)),
      listener_(std::move(listener)),
      wake_(std::move(wake)),
      device_(options) {}

SimServer::~SimServer() {
  Stop();
  if (thread_.joinable()) thread_.join();
  std::error_code ignored;
  std::filesystem::remove(socketPath_, ignored);
}

void SimServer::Start() {
  thread_ = std::thread([this] { Serve(); });
}

void SimServer::Stop() {
  stopping_ = true;
  Wake();
}

void SimServer::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(wake_.Get(), &one, sizeof one);
}

bool SimServer::DumpFlash(const std::filesystem::path& file) {
  const std::lock_guard lock(deviceMutex_);
  return WriteFlashImage(device_, file);
}

void SimServer::Serve(int stopFd) {
  while (!stopping_) {
    std::vector<pollfd> watched{{listener_.Get(), POLLIN, 0}, {wake_.Get(), POLLIN, 0}};
    if (stopFd >= 0) watched.push_back({stopFd, POLLIN, 0});
    const std::size_t firstClient = watched.size();
    for (const Client& client : clients_) watched.push_back({client.fd.Get(), POLLIN, 0});
    if (::poll(watched.data(), watched.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (stopFd >= 0 && (watched[2].revents & POLLIN) != 0) return;
    if ((watched[1].revents & POLLIN) != 0) {
      std::uint64_t count = 0;
      [[maybe_unused]] const ssize_t drained = ::read(wake_.Get(), &count, sizeof count);
    }
    // Clients first: their indices match `watched` only until one is accepted.
    for (std::size_t i = clients_.size(); i-- > 0;) {
      if (watched[firstClient + i].revents == 0) continue;
      if (!ReadFrom(clients_[i])) clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    BroadcastEvents();
    if ((watched[0].revents & POLLIN) != 0) Accept();
  }
}

void SimServer::Accept() {
  UniqueFd fd(::accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC));
  if (!fd.Valid()) return;
  if (clients_.size() >= kMaxClients) return;  // refused: closes at once
  clients_.push_back({std::move(fd), {}, false});
}

bool SimServer::ReadFrom(Client& client) {
  std::uint8_t chunk[8192];
  const ssize_t n = ::recv(client.fd.Get(), chunk, sizeof chunk, MSG_DONTWAIT);
  if (n < 0) return errno == EINTR || errno == EAGAIN;
  if (n == 0) return false;
  client.buffer.insert(client.buffer.end(), chunk, chunk + n);
  bool oversized = false;
  while (const auto length = device::sim::WholeFramePayload(client.buffer, oversized)) {
    const std::vector<std::uint8_t> payload(client.buffer.begin() + 4,
                                            client.buffer.begin() + 4 + *length);
    client.buffer.erase(client.buffer.begin(), client.buffer.begin() + 4 + *length);
    const std::vector<std::uint8_t> reply = Answer(client, payload);
    if (!reply.empty() && !device::sim::SendFrame(client.fd.Get(), reply)) return false;
  }
  return !oversized;
}

// The reply frame to one request; empty when none is sent.
std::vector<std::uint8_t> SimServer::Answer(Client& client, std::span<const std::uint8_t> payload) {
  FrameReader fields(payload);
  std::uint8_t opcode = 0;
  if (!fields.U8(opcode)) return {};
  FrameWriter reply;
  const std::lock_guard lock(deviceMutex_);
  switch (static_cast<Request>(opcode)) {
    case Request::Enumerate:
      if (device_.Attached()) {
        reply.U8(1).Text("VID_5154&PID_2700\\" + std::string(SimulatedDevice::kSerial))
            .Text(SimulatedDevice::kSerial).Text("sim/hub0");
        reply.U8(1).Text(SimulatedDevice::kInterfacePath).Text(SimulatedDevice::kSerial);
      } else {
        reply.U8(0).U8(0);
      }
      break;
    case Request::Open: {
      std::string path;
      fields.Text(path);
      const device::OpenResult opened = device_.Open(path);
      reply.U32(opened.error).U32(static_cast<std::uint32_t>(opened.handle));
      break;
    }
    case Request::Close: {
      std::uint32_t handle = 0;
      if (fields.U32(handle)) device_.Close(static_cast<device::DeviceHandle>(handle));
      break;
    }
    case Request::QueryBus: {
      std::uint32_t handle = 0;
      fields.U32(handle);
      reply.U8(device_.HandleIsLive(static_cast<device::DeviceHandle>(handle)) ? 1 : 0);
      break;
    }
    case Request::Execute: {
      std::uint32_t handle = 0, transferLength = 0, timeout = 0;
      std::uint8_t direction = 0, blockLength = 0, senseLength = 0;
      std::span<const std::uint8_t> block;
      if (!fields.U32(handle) || !fields.U8(direction) || !fields.U8(blockLength) ||
          !fields.Bytes(device::kCommandBlockCapacity, block) || !fields.U32(transferLength) ||
          !fields.U32(timeout) || !fields.U8(senseLength) || blockLength > block.size() ||
          direction > 2) {
        reply.U32(kErrorInvalidParameter).U8(0).U32(0);
        break;
      }
      const auto transfer = static_cast<device::TransferDirection>(direction);
      if (transfer == device::TransferDirection::FromDevice &&
          transferLength > device::sim::kMaxFramePayload / 2) {
        reply.U32(kErrorInvalidParameter).U8(0).U32(0);
        break;
      }
      const CommandRequest request{block.first(blockLength), transfer, transferLength, timeout,
                                   fields.Rest()};
      const CommandReply result = device_.Execute(static_cast<device::DeviceHandle>(handle), request);
      reply.U32(result.error).U8(result.scsiStatus)
          .U32(static_cast<std::uint32_t>(result.dataIn.size())).Bytes(result.dataIn);
      break;
    }
    case Request::DriveMask: reply.U32(device_.DriveMask()); break;
    case Request::Subscribe: client.subscribed = true; return {};
    case Request::Attach: device_.Attach(); break;
    case Request::Detach: device_.Detach(); break;
    case Request::Dump: {
      std::string file;
      fields.Text(file);
      reply.U32(WriteFlashImage(device_, file) ? kSuccess : kErrorGenFailure);
      break;
    }
    case Request::Fault: {
      std::string faultText;
      fields.Text(faultText);
      const auto fault = ParseFault(faultText);
      reply.U8(fault && device_.Faults().Add(*fault) ? 1 : 0);
      break;
    }
    case Request::Shutdown: stopping_ = true; break;
    default: return {};
  }
  return reply.Frame();
}

void SimServer::BroadcastEvents() {
  std::vector<DeviceEvent> events;
  {
    const std::lock_guard lock(deviceMutex_);
    events = device_.TakeEvents();
  }
  for (const DeviceEvent& event : events) {
    FrameWriter frame;
    frame.U8(static_cast<std::uint8_t>(event.arrival ? device::sim::EventKind::Arrival
                                                      : device::sim::EventKind::Removal))
        .U32(static_cast<std::uint32_t>(event.driveBit));
    for (Client& client : clients_) {
      if (client.subscribed) device::sim::SendFrame(client.fd.Get(), frame.Frame());
    }
  }
}

}  // namespace quillon::devsim
