// The commands the simulated device tells apart, named as on the simulator's
// command line ("--fault write:error").
#pragma once

#include <optional>
#include <string_view>

namespace quillon::devsim {

enum class DeviceCommand {
  TestUnitReady,
  Inquiry,
  DeviceInfo,
  ReadFlash,
  EraseFlash,
  WriteFlash,
  FsmBegin,
  FsmData,
  FsmEnd,
  Unknown,
};

std::string_view NameOf(DeviceCommand command);
std::optional<DeviceCommand> CommandNamed(std::string_view name);

}  // namespace quillon::devsim
