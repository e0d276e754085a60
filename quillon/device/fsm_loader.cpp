#include "quillon/device/fsm_loader.h"

#include <numeric>

#include "quillon/device/command_set.h"
#include "quillon/device/file_bytes.h"

namespace quillon::device {

std::filesystem::path FsmFilePath(const std::filesystem::path& workingDirectory) {
  return workingDirectory / "FSM" / "FSM.BIN";
}

ResultCode LoadFsm(Transport& transport, const std::filesystem::path& fsmFile) {
  const auto program = ReadFilePadded(fsmFile);
  if (!program) return kFileOpenFailed;
  if (program->empty()) return kFileEmpty;
  if (!transport.OpenDeviceSlot(0, 0)) return transport.LastOpenError();

  const auto fail = [&](ResultCode code) {
    transport.CloseDeviceSlot(0);
    return code;
  };
  CommandStatus status{};
  if (FsmLoadBegin(transport, 0, static_cast<std::uint32_t>(program->size()), status) != kSuccess ||
      status[0] != 1) {
    return fail(kFsmBeginFailed);
  }
  if (FsmLoadData(transport, 0, *program) != kSuccess) return fail(kFsmDataFailed);
  const auto sum = static_cast<std::uint16_t>(
      std::accumulate(program->begin(), program->end(), std::uint32_t{0}));
  // The device may re-enumerate before the end command's transfer completes:
  // the transfer then times out (with the status byte in), or, under Linux,
  // the disconnect overtakes the reply and the device is gone. The rescan
  // after a load checks that it came back with the ready identity.
  const ResultCode end = FsmLoadEnd(transport, 0, sum, status);
  if (end == kErrorDevNotExist) {
    transport.CloseDeviceSlot(0);
    return kSuccess;
  }
  if ((end != kSuccess && end != kErrorSemTimeout) || status[0] != 1) return fail(kFsmEndFailed);
  transport.CloseDeviceSlot(0);
  return kSuccess;
}

}  // namespace quillon::device
