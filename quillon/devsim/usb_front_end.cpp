#include "quillon/devsim/usb_front_end.h"

#include <linux/usb/ch9.h>
#include <linux/usb/functionfs.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <string_view>
#include <vector>

namespace quillon::devsim {
namespace {

constexpr std::uint8_t kGetMaxLun = 0xFE;
constexpr std::uint8_t kBulkOnlyReset = 0xFF;
constexpr std::size_t kPacketBuffer = 512;  // one high-speed packet: a whole CBW
constexpr std::size_t kIoChunk = 16 * 1024;
constexpr std::chrono::milliseconds kDisabledPoll{10};
// Interrupts the bulk thread's blocking endpoint I/O (FunctionFS waits are
// interruptible); the handler itself does nothing.
constexpr int kInterruptSignal = SIGUSR1;

void InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = [](int) {};
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: the blocked read or write returns EINTR
  ::sigaction(kInterruptSignal, &action, nullptr);
}

// -1 on failure (errno set), else bytes moved. Retries only short writes.
ssize_t WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return -1;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

}  // namespace

std::unique_ptr<UsbFrontEnd> UsbFrontEnd::Create(SimulatedDevice& device, UsbFrontEndOptions options,
                                                 std::string& error) {
  if (options.controller.empty()) options.controller = FirstUsbDeviceController();
  if (options.controller.empty()) {
    error = "no USB device controller in /sys/class/udc (load dummy_hcd for a virtual one)";
    return nullptr;
  }
  const UsbDeviceStrings strings{SimulatedDevice::kUsbVendorId, SimulatedDevice::kUsbProductId,
                                 std::string(SimulatedDevice::kSerial), "Quillon",
                                 "QX27 simulated device"};
  auto gadget = ConfigFsGadget::Create(options.gadgetName, strings, error);
  if (!gadget) return nullptr;
  auto endpoints = FunctionFsEndpoints::Open(gadget->FunctionFsMount(), error);
  if (!endpoints) return nullptr;
  InstallInterruptHandler();
  return std::unique_ptr<UsbFrontEnd>(
      new UsbFrontEnd(device, std::move(options), std::move(gadget), std::move(endpoints)));
}

UsbFrontEnd::UsbFrontEnd(SimulatedDevice& device, UsbFrontEndOptions options,
                         std::unique_ptr<ConfigFsGadget> gadget,
                         std::unique_ptr<FunctionFsEndpoints> endpoints)
    : device_(device),
      options_(std::move(options)),
      gadget_(std::move(gadget)),
      endpoints_(std::move(endpoints)),
      target_(device) {}

UsbFrontEnd::~UsbFrontEnd() { StopBulk(); }

bool UsbFrontEnd::Serve(int stopFd, std::string& error) {
  if (device_.Attached() && !gadget_->Bind(options_.controller, error)) return false;
  bulk_ = std::thread([this] {
    ServeBulk();
    bulkFinished_ = true;
  });
  ServeControl(stopFd);
  StopBulk();
  return true;
}

void UsbFrontEnd::StopBulk() {
  stopping_ = true;
  Unplug();
  SetEnabled(false);
  if (!bulk_.joinable()) return;
  // The bulk thread may be between two blocking calls when a signal arrives;
  // it is sent again until the thread has seen the stop.
  while (!bulkFinished_) {
    InterruptBulk();
    std::this_thread::sleep_for(kDisabledPoll);
  }
  bulk_.join();
}

void UsbFrontEnd::SetEnabled(bool enabled) {
  {
    const std::lock_guard lock(stateMutex_);
    enabled_ = enabled;
  }
  stateChanged_.notify_all();
}

void UsbFrontEnd::InterruptBulk() {
  if (bulk_.joinable()) ::pthread_kill(bulk_.native_handle(), kInterruptSignal);
}

void UsbFrontEnd::ServeControl(int stopFd) {
  const int control = endpoints_->Control();
  while (!stopping_) {
    std::array<pollfd, 2> watched{{{control, POLLIN, 0}, {stopFd, POLLIN, 0}}};
    if (::poll(watched.data(), watched.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if ((watched[1].revents & POLLIN) != 0) return;
    if ((watched[0].revents & POLLIN) == 0) continue;
    std::array<usb_functionfs_event, 4> events{};
    const ssize_t n = ::read(control, events.data(), sizeof events);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(n) / sizeof(usb_functionfs_event); ++i) {
      switch (events[i].type) {
        case FUNCTIONFS_ENABLE: SetEnabled(true); break;
        case FUNCTIONFS_DISABLE:
        case FUNCTIONFS_UNBIND:
          ++resets_;
          SetEnabled(false);
          InterruptBulk();
          break;
        case FUNCTIONFS_SETUP: HandleSetup(events[i].u.setup); break;
        default: break;
      }
    }
  }
}

void UsbFrontEnd::HandleSetup(const usb_ctrlrequest& setup) {
  const int control = endpoints_->Control();
  const bool toHost = (setup.bRequestType & USB_DIR_IN) != 0;
  const bool classRequest = (setup.bRequestType & (USB_TYPE_MASK | USB_RECIP_MASK)) ==
                            (USB_TYPE_CLASS | USB_RECIP_INTERFACE);
  std::uint8_t none = 0;
  if (classRequest && toHost && setup.bRequest == kGetMaxLun && setup.wLength >= 1) {
    const std::uint8_t maxLun = 0;  // one logical unit
    [[maybe_unused]] const ssize_t sent = ::write(control, &maxLun, 1);
    return;
  }
  if (classRequest && !toHost && setup.bRequest == kBulkOnlyReset) {
    // The host gave up on the command in progress; the next one starts afresh.
    ++resets_;
    InterruptBulk();
    [[maybe_unused]] const ssize_t acknowledged = ::read(control, &none, 0);
    return;
  }
  // Anything else is stalled: ep0 halts on I/O against the request's direction.
  if (toHost) {
    [[maybe_unused]] const ssize_t stalled = ::read(control, &none, 0);
  } else {
    [[maybe_unused]] const ssize_t stalled = ::write(control, &none, 0);
  }
}

bool UsbFrontEnd::WaitUntilEnabled() {
  std::unique_lock lock(stateMutex_);
  stateChanged_.wait(lock, [this] { return enabled_ || stopping_; });
  return !stopping_;
}

void UsbFrontEnd::ServeBulk() {
  while (WaitUntilEnabled()) {
    RunOneCommand();
    FollowDeviceEvents();
  }
}

void UsbFrontEnd::RunOneCommand() {
  const std::uint64_t resetsSeen = resets_;
  std::array<std::uint8_t, kPacketBuffer> packet{};
  const ssize_t received = ::read(endpoints_->BulkOut(), packet.data(), packet.size());
  if (received < 0) {
    // Not configured yet (EAGAIN), interrupted, or the host went away.
    if (errno == EAGAIN) std::this_thread::sleep_for(kDisabledPoll);
    return;
  }
  const auto command =
      ParseCommandBlockWrapper(std::span(packet).first(static_cast<std::size_t>(received)));
  if (!command) {
    // Out of step: halt both endpoints until the host resets (FunctionFS halts
    // an endpoint on I/O against its direction).
    std::uint8_t none = 0;
    [[maybe_unused]] const ssize_t in = ::read(endpoints_->BulkIn(), &none, 0);
    [[maybe_unused]] const ssize_t out = ::write(endpoints_->BulkOut(), &none, 0);
    return;
  }

  // The data phase from the host, bounded; an oversized one is drained and refused.
  std::vector<std::uint8_t> dataOut;
  std::size_t drained = 0;
  if (!command->dataIn) {
    std::vector<std::uint8_t> chunk(kIoChunk);
    while (drained < command->dataTransferLength) {
      const std::size_t want = std::min<std::size_t>(chunk.size(), command->dataTransferLength - drained);
      const ssize_t n = ::read(endpoints_->BulkOut(), chunk.data(), want);
      if (n <= 0 || Stale(resetsSeen)) return;
      if (dataOut.size() + static_cast<std::size_t>(n) <= kMaxHostDataOut) {
        dataOut.insert(dataOut.end(), chunk.begin(), chunk.begin() + n);
      }
      drained += static_cast<std::size_t>(n);
    }
  }
  TargetReply reply = drained > kMaxHostDataOut ? TargetReply{true, CommandStatus::PhaseError, {}}
                                                : target_.Run(*command, dataOut);
  Trace(*command, reply);
  if (!reply.answered || Stale(resetsSeen)) return;

  std::uint32_t residue = 0;
  if (command->dataIn && command->dataTransferLength > 0) {
    // The whole data phase is sent, padded with zeros: the host then finds the
    // status wrapper where it expects it.
    residue = command->dataTransferLength - static_cast<std::uint32_t>(reply.dataIn.size());
    reply.dataIn.resize(command->dataTransferLength, 0);
    for (std::size_t sent = 0; sent < reply.dataIn.size(); sent += kIoChunk) {
      const auto piece = std::span<const std::uint8_t>(reply.dataIn)
                             .subspan(sent, std::min(kIoChunk, reply.dataIn.size() - sent));
      if (WriteAll(endpoints_->BulkIn(), piece) < 0 || Stale(resetsSeen)) return;
    }
  }
  const auto status = CommandStatusWrapper(command->tag, residue, reply.status);
  [[maybe_unused]] const ssize_t sent = WriteAll(endpoints_->BulkIn(), status);
}

void UsbFrontEnd::Trace(const CommandBlockWrapper& command, const TargetReply& reply) {
  if (options_.trace == nullptr) return;
  static constexpr std::array<std::string_view, 3> kStatus = {"passed", "failed", "phase error"};
  char line[160];
  std::snprintf(line, sizeof line, "command %u: %02X/%u %s %u bytes: %s", command.tag, command.block[0],
                command.blockLength, command.dataIn ? "in" : "out", command.dataTransferLength,
                !reply.answered ? "no answer"
                                : kStatus[static_cast<std::size_t>(reply.status)].data());
  *options_.trace << line << std::endl;
}

void UsbFrontEnd::FollowDeviceEvents() {
  for (const DeviceEvent& event : device_.TakeEvents()) {
    if (!event.arrival) {
      Unplug();
      continue;
    }
    std::this_thread::sleep_for(options_.reattachDelay);
    const std::lock_guard lock(gadgetMutex_);
    std::string error;
    if (!stopping_) gadget_->Bind(options_.controller, error);
  }
}

void UsbFrontEnd::Unplug() {
  const std::lock_guard lock(gadgetMutex_);
  gadget_->Unbind();
}

}  // namespace quillon::devsim
