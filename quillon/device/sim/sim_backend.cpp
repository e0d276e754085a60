#include "quillon/device/sim/sim_backend.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

namespace quillon::device::sim {

std::unique_ptr<SimBackend> SimBackend::Connect(const std::filesystem::path& socketPath) {
  UniqueFd requests = ConnectToSimulator(socketPath);
  UniqueFd events = ConnectToSimulator(socketPath);
  if (!requests.Valid() || !events.Valid()) return nullptr;
  FrameWriter subscribe(Request::Subscribe);
  if (SendFrame(events.Get(), subscribe.Frame(), DeadlineAfter(kRequestTimeout)) != TransferStatus::Done) {
    return nullptr;
  }
  return std::unique_ptr<SimBackend>(new SimBackend(socketPath, std::move(requests), std::move(events)));
}

SimBackend::SimBackend(std::filesystem::path socketPath, UniqueFd requests, UniqueFd events)
    : socketPath_(std::move(socketPath)), requests_(std::move(requests)), events_(std::move(events)) {}

ReceivedFrame SimBackend::Ask(FrameWriter& request, std::chrono::milliseconds timeout) {
  const std::lock_guard lock(requestMutex_);
  if (!requests_.Valid()) requests_ = ConnectToSimulator(socketPath_);
  ReceivedFrame reply;
  if (!requests_.Valid()) return reply;
  const Deadline deadline = DeadlineAfter(timeout);
  reply.status = SendFrame(requests_.Get(), request.Frame(), deadline);
  if (reply.status == TransferStatus::Done) reply = ReceiveFrame(requests_.Get(), deadline);
  if (reply.status != TransferStatus::Done) requests_.Reset();  // the stream cannot be resynchronised
  return reply;
}

OpenResult SimBackend::Open(std::string_view path) {
  FrameWriter request(Request::Open);
  request.Text(path);
  const ReceivedFrame reply = Ask(request);
  if (reply.status != TransferStatus::Done) return {kNoHandle, kErrorFileNotFound};
  FrameReader fields(reply.payload);
  std::uint32_t error = 0;
  std::uint32_t handle = 0;
  if (!fields.U32(error) || !fields.U32(handle)) return {kNoHandle, kErrorGenFailure};
  if (error != kSuccess) return {kNoHandle, error};
  return {static_cast<DeviceHandle>(handle), kSuccess};
}

void SimBackend::Close(DeviceHandle handle) {
  if (handle == kNoHandle) return;
  FrameWriter request(Request::Close);
  request.U32(static_cast<std::uint32_t>(handle));
  Ask(request);
}

bool SimBackend::QueryBusIsUsb(DeviceHandle handle) {
  FrameWriter request(Request::QueryBus);
  request.U32(static_cast<std::uint32_t>(handle));
  const ReceivedFrame reply = Ask(request);
  std::uint8_t onUsb = 0;
  return reply.status == TransferStatus::Done && FrameReader(reply.payload).U8(onUsb) && onUsb == 1;
}

ResultCode SimBackend::Execute(DeviceHandle handle, PassThroughRecord& record) {
  FrameWriter request(Request::Execute);
  request.U32(static_cast<std::uint32_t>(handle))
      .U8(static_cast<std::uint8_t>(record.direction))
      .U8(record.commandBlockLength)
      .Bytes(record.commandBlock)
      .U32(static_cast<std::uint32_t>(record.data.size()))
      .U32(record.timeoutSeconds)
      .U8(record.senseLength);
  if (record.direction == TransferDirection::ToDevice) request.Bytes(record.data);
  // The record's time-out bounds the whole exchange (a record without one
  // gets the request time-out).
  const std::chrono::milliseconds timeout =
      record.timeoutSeconds > 0 ? std::chrono::seconds(record.timeoutSeconds) : kRequestTimeout;
  const ReceivedFrame reply = Ask(request, timeout);
  if (reply.status == TransferStatus::TimedOut) return kErrorSemTimeout;
  if (reply.status != TransferStatus::Done) return kErrorDevNotExist;
  FrameReader fields(reply.payload);
  std::uint32_t error = 0;
  std::uint32_t length = 0;
  std::span<const std::uint8_t> data;
  if (!fields.U32(error) || !fields.U8(record.scsiStatus) || !fields.U32(length) ||
      !fields.Bytes(length, data)) {
    return kErrorGenFailure;
  }
  if (record.direction == TransferDirection::FromDevice) {
    std::copy_n(data.begin(), std::min(data.size(), record.data.size()), record.data.begin());
  }
  return error;
}

SimBackend::Listing SimBackend::Enumerate() {
  FrameWriter request(Request::Enumerate);
  const ReceivedFrame reply = Ask(request);
  Listing listing;
  if (reply.status != TransferStatus::Done) return listing;
  FrameReader fields(reply.payload);
  std::uint8_t count = 0;
  if (!fields.U8(count)) return {};
  for (int i = 0; i < count; ++i) {
    UsbStorageCandidate candidate;
    if (!fields.Text(candidate.instanceName) || !fields.Text(candidate.matchKey) ||
        !fields.Text(candidate.hubPath)) {
      return {};
    }
    listing.candidates.push_back(std::move(candidate));
  }
  if (!fields.U8(count)) return {};
  for (int i = 0; i < count; ++i) {
    StorageInterface interface;
    if (!fields.Text(interface.path) || !fields.Text(interface.ownerKey)) return {};
    listing.interfaces.push_back(std::move(interface));
  }
  return listing;
}

std::vector<UsbStorageCandidate> SimBackend::ListUsbStorageDevices() {
  return Enumerate().candidates;
}

std::vector<StorageInterface> SimBackend::ListStorageInterfaces() {
  return Enumerate().interfaces;
}

std::vector<DeviceChange> SimBackend::TakeEvents() {
  std::uint8_t chunk[512];
  for (;;) {
    const ssize_t n = ::recv(events_.Get(), chunk, sizeof chunk, MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    eventBuffer_.insert(eventBuffer_.end(), chunk, chunk + n);
  }
  std::vector<DeviceChange> events;
  bool oversized = false;
  while (const auto length = WholeFramePayload(eventBuffer_, oversized)) {
    FrameReader fields(std::span<const std::uint8_t>(eventBuffer_).subspan(4, *length));
    std::uint8_t kind = 0;
    if (fields.U8(kind)) {
      if (kind == static_cast<std::uint8_t>(EventKind::Arrival)) events.push_back(DeviceChange::NodeAppeared);
      if (kind == static_cast<std::uint8_t>(EventKind::Removal)) {
        events.push_back(DeviceChange::NodeRemoved);
      }
    }
    eventBuffer_.erase(eventBuffer_.begin(), eventBuffer_.begin() + 4 + *length);
  }
  if (oversized) eventBuffer_.clear();
  return events;
}

std::uint32_t SimBackend::CurrentDriveMask() {
  FrameWriter request(Request::DriveMask);
  const ReceivedFrame reply = Ask(request);
  std::uint32_t mask = 0;
  if (reply.status == TransferStatus::Done) FrameReader(reply.payload).U32(mask);
  return mask;
}

}  // namespace quillon::device::sim
