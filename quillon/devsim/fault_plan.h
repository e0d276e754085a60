// Faults injected into the simulated device, per command:
//   COMMAND:KIND[:FROM[:TIMES]]
// COMMAND is a command name (device_command.h) or "any"; KIND is
//   error    the command fails with a general system error (31)
//   timeout  the command fails with a time-out (121)
//   status   the command answers status byte 0 (SCSI CHECK CONDITION for
//            commands without status bytes) and does nothing
//   corrupt  the data the command returns has its first byte inverted
//   detach   the device detaches instead of running the command
// The fault hits the FROM-th matching command (1 by default) and the TIMES-1
// after it (every later one by default).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "quillon/devsim/device_command.h"

namespace quillon::devsim {

enum class FaultKind { SystemError, Timeout, BadStatus, CorruptData, Detach };

struct Fault {
  std::optional<DeviceCommand> command;  // none: any command
  FaultKind kind = FaultKind::SystemError;
  int from = 1;
  int times = -1;  // -1: unlimited
};

std::optional<Fault> ParseFault(std::string_view faultText);

// Bounded: a plan holds at most kMaxFaults faults.
inline constexpr std::size_t kMaxFaults = 64;

class FaultPlan {
 public:
  // False when the plan is full.
  bool Add(const Fault& fault);
  void Clear() { entries_.clear(); }
  // Counts `command` against every fault and returns the first that hits.
  std::optional<FaultKind> Next(DeviceCommand command);

 private:
  struct Entry {
    Fault fault;
    int seen = 0;
  };
  std::vector<Entry> entries_;
};

}  // namespace quillon::devsim
