#include "quillon/devsim/device_command.h"

#include <array>
#include <utility>

namespace quillon::devsim {
namespace {

constexpr std::array<std::pair<DeviceCommand, std::string_view>, 10> kNames = {{
    {DeviceCommand::TestUnitReady, "tur"},
    {DeviceCommand::Inquiry, "inquiry"},
    {DeviceCommand::DeviceInfo, "info"},
    {DeviceCommand::ReadFlash, "read"},
    {DeviceCommand::EraseFlash, "erase"},
    {DeviceCommand::WriteFlash, "write"},
    {DeviceCommand::FsmBegin, "fsm-begin"},
    {DeviceCommand::FsmData, "fsm-data"},
    {DeviceCommand::FsmEnd, "fsm-end"},
    {DeviceCommand::Unknown, "unknown"},
}};

}  // namespace

std::string_view NameOf(DeviceCommand command) {
  for (const auto& [value, name] : kNames) {
    if (value == command) return name;
  }
  return "unknown";
}

std::optional<DeviceCommand> CommandNamed(std::string_view name) {
  for (const auto& [value, text] : kNames) {
    if (text == name) return value;
  }
  return std::nullopt;
}

}  // namespace quillon::devsim
