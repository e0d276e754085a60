#include "quillon/device/download_core.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "quillon/device/device_check.h"
#include "quillon/device/discovery.h"
#include "quillon/device/flash_download.h"
#include "quillon/device/fsm_loader.h"

namespace quillon::device {
namespace {

// The errno behind the step that just failed: its open's, else its command's.
int StepOsError(const Transport& transport) {
  return transport.LastOpenError() != kSuccess ? transport.LastOpenOsError()
                                               : transport.LastCommandOsError();
}

DeviceError RamProgramError(ResultCode code, const Transport& transport,
                            const std::filesystem::path& file) {
  switch (code) {
    case kFileOpenFailed: return {DeviceErrorKind::RamProgramMissing, code, 0, file.string()};
    case kFileEmpty: return {DeviceErrorKind::RamProgramEmpty, code, 0, file.string()};
    default: return {DeviceErrorKind::RamProgramRefused, code, StepOsError(transport), file.string()};
  }
}

std::string CodeText(ResultCode code) {
  char text[32];
  // System errors keep their small numbers; the layer's own codes are hex.
  if (code < 0x1000) {
    std::snprintf(text, sizeof text, "system error %u", static_cast<unsigned>(code));
  } else {
    std::snprintf(text, sizeof text, "code 0x%04X", static_cast<unsigned>(code));
  }
  return text;
}

// "(code 0x5007, Input/output error)"
std::string Details(const DeviceError& error) {
  std::string details = " (" + CodeText(error.code);
  if (error.osError != 0) details += std::string(", ") + std::strerror(error.osError);
  return details + ")";
}

// "; group cdrom, mode 660" when the node can be looked at.
std::string NodeOwnership(const std::string& path) {
  struct stat status {};
  if (path.empty() || ::stat(path.c_str(), &status) != 0) return {};
  const group* owner = ::getgrgid(status.st_gid);
  char mode[8];
  std::snprintf(mode, sizeof mode, "%o", static_cast<unsigned>(status.st_mode & 0777));
  return "; group " + (owner != nullptr ? std::string(owner->gr_name) : std::to_string(status.st_gid)) +
         ", mode " + mode;
}

std::string_view TransferStep(ResultCode code) {
  switch (code) {
    case kEraseFailed: return "Erasing the device's flash failed";
    case kWriteFailed: return "Writing the device's flash failed";
    case kReadBackFailed: return "Reading the device's flash back failed";
    case kReadBackMismatch: return "The device's flash does not hold the image written";
    default: return "The device could not be opened for the download";
  }
}

}  // namespace

bool ConfigureDefaultTransport(Transport& transport) {
  return transport.ConfigureTransport(kTransportDefaults.kind, kTransportDefaults.identityMode,
                                      kTransportDefaults.slotCount);
}

std::string DeviceErrorMessage(const DeviceError& error) {
  switch (error.kind) {
    case DeviceErrorKind::None: return {};
    case DeviceErrorKind::NoDevice:
      return "No device is attached. Connect the device to a USB port; it is found when it appears.";
    case DeviceErrorKind::SeveralDevices:
      return "More than one device is attached. Leave only the device to program connected.";
    case DeviceErrorKind::AccessDenied:
      return "No permission to open " + error.path + " (" +
             std::strerror(error.osError != 0 ? error.osError : EACCES) + NodeOwnership(error.path) +
             "). Install the udev rule 70-quillon.rules in lib/udev/rules.d and plug the device in "
             "again, or join group plugdev (the rule's group) and log in again.";
    case DeviceErrorKind::RamProgramMissing:
      return "The device's RAM program " + error.path +
             " cannot be opened. Put FSM/FSM.BIN into the working directory.";
    case DeviceErrorKind::RamProgramEmpty:
      return "The device's RAM program " + error.path + " is empty.";
    case DeviceErrorKind::RamProgramRefused:
      return "The device did not take its RAM program " + error.path + Details(error) + ".";
    case DeviceErrorKind::NotReady:
      return "The device did not come back running its RAM program. Unplug it and plug it in again.";
    case DeviceErrorKind::CheckFailed:
      return "The device did not answer its device check" + Details(error) + ".";
    case DeviceErrorKind::PackageFailed:
      return "The download image could not be built" +
             (error.path.empty() ? std::string() : " from " + error.path) + Details(error) + ".";
    case DeviceErrorKind::TransferFailed:
      return std::string(TransferStep(error.code)) + Details(error) + ".";
  }
  return {};
}

DeviceSession::DeviceSession(Transport& transport, DeviceEnumerator& enumerator,
                             std::filesystem::path workingDirectory, WaitFunction wait)
    : transport_(transport),
      enumerator_(enumerator),
      workingDirectory_(std::move(workingDirectory)),
      wait_(std::move(wait)) {}

void DeviceSession::Wait(std::chrono::milliseconds duration) {
  if (wait_) {
    wait_(duration);
  } else {
    std::this_thread::sleep_for(duration);
  }
}

ScanOutcome DeviceSession::Scan() {
  ScanOutcome outcome;
  outcome.result = ScanOnce(0, outcome);
  outcome.deviceCount = deviceCount_;
  outcome.ready = ready_;
  return outcome;
}

DeviceError DeviceSession::NotOneDevice(int count) const {
  if (count > 1) return {DeviceErrorKind::SeveralDevices, kSuccess, 0, {}};
  for (const InaccessibleInterface& node : transport_.InaccessibleInterfaces()) {
    if (node.error == kErrorAccessDenied) {
      return {DeviceErrorKind::AccessDenied, node.error, node.osError, node.path};
    }
  }
  return {DeviceErrorKind::NoDevice, kSuccess, 0, {}};
}

void DeviceSession::ReportNoDevice(ScanOutcome& outcome, DeviceError error) {
  outcome.status = StatusText::NoDevice;
  outcome.noDeviceReported = true;
  outcome.error = std::move(error);
  deviceCount_ = 0;
}

// One scan; after a RAM program load it calls itself for the device that
// comes back, and then goes on with its own check.
int DeviceSession::ScanOnce(int repeat, ScanOutcome& outcome) {
  const int count = EnumerateDevices(transport_, enumerator_, kEnumerateStorageDevices);
  outcome.connected = false;
  deviceCount_ = count;
  if (count != 1) {
    ReportNoDevice(outcome, NotOneDevice(count));
    ready_ = false;
    return 0;
  }
  outcome.connected = !transport_.DeviceList().front().storagePath.empty();

  if (!ready_) {
    ready_ = IsDeviceReady(transport_);
    if (!ready_) {
      if (repeat >= kMaxScansAfterFsmLoad) {
        ReportNoDevice(outcome, {DeviceErrorKind::NotReady, kSuccess, 0, {}});
        return 0;
      }
      const std::filesystem::path program = FsmFilePath(workingDirectory_);
      const ResultCode loaded = LoadFsm(transport_, program);
      if (loaded == kSuccess) {
        outcome.ramProgramLoaded = true;
        const bool cameBack = WaitForReattach();
        ScanOnce(repeat + 1, outcome);
        if (!cameBack && !ready_) outcome.error = {DeviceErrorKind::NotReady, kSuccess, 0, {}};
      } else {
        outcome.error = RamProgramError(loaded, transport_, program);
      }
    }
    if (!ready_) return count;
  }

  if (const ResultCode check = CheckDevice(transport_); check != kSuccess) {
    ReportNoDevice(outcome, {DeviceErrorKind::CheckFailed, check, StepOsError(transport_),
                             transport_.DeviceList().front().storagePath});
  } else {
    outcome.status = StatusText::DeviceConnected;
    outcome.error = {};
  }
  return deviceCount_;
}

bool DeviceSession::WaitForReattach() {
  for (std::chrono::milliseconds waited{0}; waited < kReattachTimeout; waited += kReattachPoll) {
    if (EnumerateDevices(transport_, enumerator_, kEnumerateStorageDevices) == 1 &&
        IsDeviceReady(transport_)) {
      return true;
    }
    Wait(kReattachPoll);
  }
  return false;
}

StatusText DownloadOutcome::Status() const {
  switch (result) {
    case DownloadResult::Complete: return StatusText::DownloadComplete;
    case DownloadResult::NoDevice: return StatusText::NoDevice;
    case DownloadResult::Failed: break;
  }
  return StatusText::DownloadFail;
}

namespace {

DownloadOutcome Failure(DeviceErrorKind kind, ResultCode code, int osError = 0,
                        std::string path = {}) {
  return {DownloadResult::Failed, {kind, code, osError, std::move(path)}};
}

DownloadOutcome Transfer(const Transport& transport, ResultCode code) {
  return Failure(DeviceErrorKind::TransferFailed, code, StepOsError(transport));
}

DownloadOutcome WriteDownload(Transport& transport, PackageSource& package, MessageSink& messages,
                              DownloadProgress* progress) {
  if (const ResultCode code = package.PreparePackageEntries(messages); code != kSuccess) {
    return Failure(DeviceErrorKind::PackageFailed, code);
  }
  const std::size_t length = package.PackageLength();
  if (length == 0) return Failure(DeviceErrorKind::PackageFailed, kFileEmpty);
  {
    std::vector<std::uint8_t> image(length, 0);
    if (const ResultCode code = package.FillPackage(image); code != kSuccess) {
      return Failure(DeviceErrorKind::PackageFailed, code);
    }
    if (const ResultCode code = DownloadImage(transport, 0, image, progress); code != kSuccess) {
      return Transfer(transport, code);
    }
  }  // the image is freed before the user image is read
  const std::filesystem::path userImage = package.UserImagePath();
  if (userImage.empty()) return {DownloadResult::Complete, {}};
  const ResultCode code = DownloadUserImage(transport, userImage, package.BlockCount(), progress);
  if (code == kFileOpenFailed) {
    return Failure(DeviceErrorKind::PackageFailed, code, 0, userImage.string());
  }
  if (code != kSuccess) return Transfer(transport, code);
  return {DownloadResult::Complete, {}};
}

}  // namespace

DownloadOutcome Download(Transport& transport, PackageSource& package, MessageSink& messages,
                         DownloadProgress* progress) {
  if (transport.DeviceList().size() != 1) {
    return {DownloadResult::NoDevice, {DeviceErrorKind::NoDevice, kSuccess, 0, {}}};
  }
  try {
    return WriteDownload(transport, package, messages, progress);
  } catch (const std::exception&) {
    return Failure(DeviceErrorKind::PackageFailed, kErrorGenFailure);
  }
}

}  // namespace quillon::device
