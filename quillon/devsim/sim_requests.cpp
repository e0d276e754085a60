#include "quillon/devsim/sim_requests.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "quillon/device/sim/sim_protocol.h"

namespace quillon::devsim {
namespace {

using device::sim::FrameReader;
using device::sim::FrameWriter;
using device::sim::Request;

void AnswerExecute(SimulatedDevice& device, FrameReader& fields, FrameWriter& reply) {
  std::uint32_t handle = 0, transferLength = 0, timeout = 0;
  std::uint8_t direction = 0, blockLength = 0, senseLength = 0;
  std::span<const std::uint8_t> block;
  if (!fields.U32(handle) || !fields.U8(direction) || !fields.U8(blockLength) ||
      !fields.Bytes(device::kCommandBlockCapacity, block) || !fields.U32(transferLength) || !fields.U32(timeout) ||
      !fields.U8(senseLength) || blockLength > block.size() || direction > 2) {
    reply.U32(kErrorInvalidParameter).U8(0).U32(0);
    return;
  }
  const auto transfer = static_cast<device::TransferDirection>(direction);
  if (transfer == device::TransferDirection::FromDevice && transferLength > device::sim::kMaxFramePayload / 2) {
    reply.U32(kErrorInvalidParameter).U8(0).U32(0);
    return;
  }
  const CommandRequest request{block.first(blockLength), transfer, transferLength, timeout, fields.Rest()};
  const CommandReply result = device.Execute(static_cast<device::DeviceHandle>(handle), request);
  reply.U32(result.error).U8(result.scsiStatus).U32(static_cast<std::uint32_t>(result.dataIn.size()))
      .Bytes(result.dataIn);
}

// The absolute, normal form of `path`, or an empty path when it has none (it
// is empty, or the working directory is gone). Never throws: a client's
// request must not end the simulator.
std::filesystem::path AbsoluteNormal(const std::filesystem::path& path) {
  if (path.empty()) return {};
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? std::filesystem::path{} : absolute.lexically_normal();
}

}  // namespace

bool DumpTargets::Allows(const std::filesystem::path& requested) const {
  const std::filesystem::path normal = AbsoluteNormal(requested);
  if (normal.empty()) return false;
  if (normal == AbsoluteNormal(file)) return true;
  const std::filesystem::path allowedFolder = AbsoluteNormal(folder);
  return !allowedFolder.empty() && normal.has_filename() && normal.parent_path() == allowedFolder;
}

RequestAnswer AnswerRequest(SimulatedDevice& device, ClientSession& session, std::span<const std::uint8_t> payload,
                            const DumpTargets& dumps) {
  RequestAnswer answer;
  FrameReader fields(payload);
  std::uint8_t opcode = 0;
  if (!fields.U8(opcode)) return answer;
  FrameWriter reply;
  switch (static_cast<Request>(opcode)) {
    case Request::Enumerate:
      if (device.Attached()) {
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
      const device::OpenResult opened = device.Open(path);
      if (opened.error == kSuccess) session.openHandles.push_back(opened.handle);
      reply.U32(opened.error).U32(static_cast<std::uint32_t>(opened.handle));
      break;
    }
    case Request::Close: {
      std::uint32_t handle = 0;
      if (fields.U32(handle)) {
        const auto closed = static_cast<device::DeviceHandle>(handle);
        device.Close(closed);
        std::erase(session.openHandles, closed);
      }
      break;
    }
    case Request::QueryBus: {
      std::uint32_t handle = 0;
      fields.U32(handle);
      reply.U8(device.HandleIsLive(static_cast<device::DeviceHandle>(handle)) ? 1 : 0);
      break;
    }
    case Request::Execute: AnswerExecute(device, fields, reply); break;
    case Request::DriveMask: reply.U32(device.DriveMask()); break;
    case Request::Subscribe: session.subscribed = true; return answer;
    case Request::Attach: device.Attach(); break;
    case Request::Detach: device.Detach(); break;
    case Request::Dump: {
      std::string file;
      fields.Text(file);
      if (!dumps.Allows(file)) {
        reply.U32(kErrorInvalidParameter);  // not a place this simulator may write
      } else {
        reply.U32(WriteFlashImage(device, file) ? kSuccess : kErrorGenFailure);
      }
      break;
    }
    case Request::Fault: {
      std::string faultText;
      fields.Text(faultText);
      const auto fault = ParseFault(faultText);
      reply.U8(fault && device.Faults().Add(*fault) ? 1 : 0);
      break;
    }
    case Request::Shutdown: answer.shutdown = true; break;
    default: return answer;
  }
  answer.reply = reply.Frame();
  return answer;
}

}  // namespace quillon::devsim
