#include "quillon/devsim/sim_control.h"

#include "quillon/device/sim/sim_protocol.h"

namespace quillon::devsim {
namespace {

using device::sim::FrameReader;
using device::sim::FrameWriter;
using device::sim::Request;

std::optional<FrameWriter> RequestFor(std::string_view command) {
  const std::size_t colon = command.find(':');
  const std::string_view verb = command.substr(0, colon);
  const std::string_view argument = colon == std::string_view::npos ? "" : command.substr(colon + 1);
  if (verb == "attach" && argument.empty()) return FrameWriter(Request::Attach);
  if (verb == "detach" && argument.empty()) return FrameWriter(Request::Detach);
  if (verb == "shutdown" && argument.empty()) return FrameWriter(Request::Shutdown);
  if (verb == "dump" && !argument.empty()) {
    FrameWriter request(Request::Dump);
    request.Text(std::filesystem::absolute(argument).string());
    return request;
  }
  if (verb == "fault" && !argument.empty()) {
    FrameWriter request(Request::Fault);
    request.Text(argument);
    return request;
  }
  return std::nullopt;
}

}  // namespace

std::string SendControl(const std::filesystem::path& socketPath, std::string_view command) {
  auto request = RequestFor(command);
  if (!request) return "unknown control request \"" + std::string(command) + "\"";
  const device::UniqueFd connection = device::sim::ConnectToSimulator(socketPath);
  if (!connection.Valid()) return "no simulator answers at " + socketPath.string();
  // A dump of a large flash takes a while; a simulator that does not answer
  // in this time is stopped or stuck.
  constexpr std::chrono::seconds kControlTimeout{30};
  const device::sim::Deadline deadline = device::sim::DeadlineAfter(kControlTimeout);
  device::sim::ReceivedFrame reply;
  reply.status = device::sim::SendFrame(connection.Get(), request->Frame(), deadline);
  if (reply.status == device::sim::TransferStatus::Done) reply = device::sim::ReceiveFrame(connection.Get(), deadline);
  if (reply.status == device::sim::TransferStatus::TimedOut) return "the simulator did not answer in time";
  if (reply.status != device::sim::TransferStatus::Done) return "the simulator did not answer";
  FrameReader fields(reply.payload);
  if (command.starts_with("dump:")) {
    std::uint32_t error = 1;
    if (!fields.U32(error) || error != 0) return "the simulator could not write the dump";
  } else if (command.starts_with("fault:")) {
    std::uint8_t accepted = 0;
    if (!fields.U8(accepted) || accepted != 1) return "the simulator refused the fault";
  }
  return {};
}

}  // namespace quillon::devsim
