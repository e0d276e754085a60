#include "quillon/devsim/fault_plan.h"

#include <charconv>
#include <string>

namespace quillon::devsim {
namespace {

std::optional<FaultKind> KindNamed(std::string_view name) {
  if (name == "error") return FaultKind::SystemError;
  if (name == "timeout") return FaultKind::Timeout;
  if (name == "status") return FaultKind::BadStatus;
  if (name == "corrupt") return FaultKind::CorruptData;
  if (name == "detach") return FaultKind::Detach;
  return std::nullopt;
}

std::optional<int> Number(std::string_view text, int minimum) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < minimum) return std::nullopt;
  return value;
}

std::string_view NextField(std::string_view& rest) {
  const std::size_t colon = rest.find(':');
  const std::string_view field = rest.substr(0, colon);
  rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  return field;
}

}  // namespace

std::optional<Fault> ParseFault(std::string_view faultText) {
  std::string_view rest = faultText;
  const std::string_view commandName = NextField(rest);
  const std::string_view kindName = NextField(rest);
  Fault fault;
  if (commandName != "any") {
    fault.command = CommandNamed(commandName);
    if (!fault.command) return std::nullopt;
  }
  const auto kind = KindNamed(kindName);
  if (!kind) return std::nullopt;
  fault.kind = *kind;
  if (!rest.empty()) {
    const auto from = Number(NextField(rest), 1);
    if (!from) return std::nullopt;
    fault.from = *from;
  }
  if (!rest.empty()) {
    const auto times = Number(NextField(rest), 1);
    if (!times || !rest.empty()) return std::nullopt;
    fault.times = *times;
  }
  return fault;
}

bool FaultPlan::Add(const Fault& fault) {
  if (entries_.size() >= kMaxFaults) return false;
  entries_.push_back({fault, 0});
  return true;
}

std::optional<FaultKind> FaultPlan::Next(DeviceCommand command) {
  std::optional<FaultKind> hit;
  for (Entry& entry : entries_) {
    if (entry.fault.command && *entry.fault.command != command) continue;
    ++entry.seen;
    const bool started = entry.seen >= entry.fault.from;
    const bool ended = entry.fault.times >= 0 && entry.seen >= entry.fault.from + entry.fault.times;
    if (!hit && started && !ended) hit = entry.fault.kind;
  }
  return hit;
}

}  // namespace quillon::devsim
