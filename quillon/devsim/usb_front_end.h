// The simulated device on a USB bus: a FunctionFS gadget that speaks the
// Bulk-Only Transport (MassStorageTarget) to the host's usb-storage driver.
// The second front-end of the device beside the socket server, with the same
// identities, flash, faults and RAM program re-attach: when the device leaves
// the bus (a detach fault, or its RAM program starting) the gadget is unbound
// from its controller; when it comes back it is bound again, after
// `reattachDelay` (the time a real device takes to restart).
//
// Two threads: the calling thread serves ep0 (configuration, the class
// requests Get Max LUN and Bulk-Only Mass Storage Reset); a bulk thread runs
// the commands and owns the device while serving.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

#include <linux/usb/ch9.h>

#include "quillon/devsim/function_fs.h"
#include "quillon/devsim/mass_storage_target.h"
#include "quillon/devsim/simulated_device.h"
#include "quillon/devsim/usb_gadget.h"

namespace quillon::devsim {

struct UsbFrontEndOptions {
  std::string controller;  // empty: the first of /sys/class/udc
  std::string gadgetName = "quillon";
  std::chrono::milliseconds reattachDelay{300};
  // When set, one line per command: tag, operation code, data phase, outcome.
  std::ostream* trace = nullptr;
};

class UsbFrontEnd {
 public:
  // Creates the gadget and its FunctionFS function. Null with `error` set.
  static std::unique_ptr<UsbFrontEnd> Create(SimulatedDevice& device, UsbFrontEndOptions options,
                                             std::string& error);
  ~UsbFrontEnd();
  UsbFrontEnd(const UsbFrontEnd&) = delete;
  UsbFrontEnd& operator=(const UsbFrontEnd&) = delete;

  const std::string& Controller() const { return options_.controller; }

  // Plugs the device in and serves until `stopFd` becomes readable; then
  // unplugs it. False with `error` set when the gadget cannot be bound.
  bool Serve(int stopFd, std::string& error);

 private:
  UsbFrontEnd(SimulatedDevice& device, UsbFrontEndOptions options,
              std::unique_ptr<ConfigFsGadget> gadget, std::unique_ptr<FunctionFsEndpoints> endpoints);

  void ServeControl(int stopFd);
  void HandleSetup(const ::usb_ctrlrequest& setup);
  void SetEnabled(bool enabled);
  void InterruptBulk();

  void StopBulk();
  void ServeBulk();
  bool WaitUntilEnabled();
  void RunOneCommand();
  void FollowDeviceEvents();
  void Unplug();
  void Trace(const CommandBlockWrapper& command, const TargetReply& reply);
  bool Stale(std::uint64_t resetsSeen) const { return resets_ != resetsSeen || stopping_; }

  SimulatedDevice& device_;
  UsbFrontEndOptions options_;
  std::unique_ptr<ConfigFsGadget> gadget_;
  std::unique_ptr<FunctionFsEndpoints> endpoints_;
  MassStorageTarget target_;

  std::mutex gadgetMutex_;  // binding: the bulk thread re-attaches, Serve's thread stops
  std::mutex stateMutex_;
  std::condition_variable stateChanged_;
  bool enabled_ = false;
  std::atomic<bool> stopping_{false};
  std::atomic<std::uint64_t> resets_{0};  // Bulk-Only resets and disables seen
  std::atomic<bool> bulkFinished_{false};
  std::thread bulk_;
};

}  // namespace quillon::devsim
