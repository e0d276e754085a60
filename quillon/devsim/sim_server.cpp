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
using device::sim::FrameWriter;

}  // namespace

std::unique_ptr<SimServer> SimServer::Create(const std::filesystem::path& socketPath, SimServerOptions options,
                                             std::string& error) {
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
      new SimServer(socketPath, std::move(listener), std::move(wake), std::move(options)));
}

SimServer::SimServer(std::filesystem::path socketPath, UniqueFd listener, UniqueFd wake, SimServerOptions options)
    : socketPath_(std::move(socketPath)),
      listener_(std::move(listener)),
      wake_(std::move(wake)),
      dumps_(std::move(options.dumps)),
      device_(options.device) {}

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
    for (const Client& client : clients_) {
      short events = client.out.size() < kReadPauseBytes ? POLLIN : 0;
      if (!client.out.empty()) events |= POLLOUT;
      watched.push_back({client.fd.Get(), events, 0});
    }
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
      const short revents = watched[firstClient + i].revents;
      if (revents == 0) continue;
      Client& client = clients_[i];
      bool keep = true;
      if ((revents & POLLIN) != 0) keep = ReadFrom(client);
      if (keep && (revents & POLLOUT) != 0) keep = WriteTo(client) && AnswerBuffered(client);
      if (keep && (revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 && (revents & POLLIN) == 0) keep = false;
      if (!keep) Drop(i);
    }
    BroadcastEvents();
    if ((watched[0].revents & POLLIN) != 0) Accept();
  }
}

void SimServer::Accept() {
  UniqueFd fd(::accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
  if (!fd.Valid()) return;
  if (clients_.size() >= kMaxClients) return;  // refused: closes at once
  clients_.push_back({std::move(fd), {}, {}, {}});
}

bool SimServer::ReadFrom(Client& client) {
  std::uint8_t chunk[8192];
  const ssize_t n = ::recv(client.fd.Get(), chunk, sizeof chunk, MSG_DONTWAIT);
  if (n < 0) return errno == EINTR || errno == EAGAIN;
  if (n == 0) return false;
  client.in.insert(client.in.end(), chunk, chunk + n);
  return AnswerBuffered(client);
}

// Answers the whole requests buffered, as long as the client reads its
// replies, and sends what it can at once.
bool SimServer::AnswerBuffered(Client& client) {
  std::size_t used = 0;
  bool oversized = false;
  while (client.out.size() < kReadPauseBytes) {
    const std::span<const std::uint8_t> buffered = std::span(client.in).subspan(used);
    const auto length = device::sim::WholeFramePayload(buffered, oversized);
    if (!length) break;
    RequestAnswer answer;
    {
      const std::lock_guard lock(deviceMutex_);
      answer = AnswerRequest(device_, client.session, buffered.subspan(4, *length), dumps_);
    }
    client.out.insert(client.out.end(), answer.reply.begin(), answer.reply.end());
    if (answer.shutdown) stopping_ = true;
    used += 4 + *length;
  }
  client.in.erase(client.in.begin(), client.in.begin() + static_cast<std::ptrdiff_t>(used));
  return !oversized && WriteTo(client);
}

bool SimServer::WriteTo(Client& client) {
  std::size_t sent = 0;
  while (sent < client.out.size()) {
    const ssize_t n = ::send(client.fd.Get(), client.out.data() + sent, client.out.size() - sent,
                             MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) break;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  client.out.erase(client.out.begin(), client.out.begin() + static_cast<std::ptrdiff_t>(sent));
  return client.out.size() <= kMaxPendingBytes;
}

void SimServer::Drop(std::size_t index) {
  {
    const std::lock_guard lock(deviceMutex_);
    for (const device::DeviceHandle handle : clients_[index].session.openHandles) device_.Close(handle);
  }
  clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(index));
}

void SimServer::BroadcastEvents() {
  std::vector<DeviceEvent> events;
  {
    const std::lock_guard lock(deviceMutex_);
    events = device_.TakeEvents();
  }
  if (events.empty()) return;
  for (const DeviceEvent& event : events) {
    FrameWriter frame;
    frame.U8(static_cast<std::uint8_t>(event.arrival ? device::sim::EventKind::Arrival
                                                      : device::sim::EventKind::Removal))
        .U32(static_cast<std::uint32_t>(event.driveBit));
    const std::vector<std::uint8_t>& bytes = frame.Frame();
    for (Client& client : clients_) {
      if (client.session.subscribed) client.out.insert(client.out.end(), bytes.begin(), bytes.end());
    }
  }
  for (std::size_t i = clients_.size(); i-- > 0;) {
    if (clients_[i].session.subscribed && !WriteTo(clients_[i])) Drop(i);
  }
}

}  // namespace quillon::devsim
