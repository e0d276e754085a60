// The download without a window: the transport's settings, the device scan
// (with the RAM program load and the wait for the device to come back) and the
// download of a package into flash. Each returns an outcome and, when
// something went wrong, a DeviceError with its kind, result code and errno, so
// that every program (the window, quillon-cli, benchmarks, tests) tells the
// user the same plain message.
//
// Synchronous: Scan runs on the thread that owns the DeviceSession (the
// window's user-interface thread); Download runs on whatever thread calls it
// (the window's worker). The transport is never used by two threads at once:
// the caller runs no scan while a download runs.
//
// Typical use (quillon-cli):
//   Transport transport(backend.PassThrough());
//   ConfigureDefaultTransport(transport);
//   DeviceSession session(transport, backend.Enumerator(), workingDirectory);
//   if (!session.Scan().Usable()) ... DeviceErrorMessage(scan.error) ...
//   package.ReadSettings();
//   const DownloadOutcome outcome = Download(transport, package, messages, progress);
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "quillon/config/user_message.h"
#include "quillon/device/device_enumerator.h"
#include "quillon/device/download_progress.h"
#include "quillon/device/package_source.h"
#include "quillon/device/status_texts.h"
#include "quillon/device/transport.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

// The transport's configuration of every program: device kind 42, identity
// mode 100, 16 slots.
struct TransportSettings {
  int kind = 0;
  int identityMode = 0;
  int slotCount = 0;
};
inline constexpr TransportSettings kTransportDefaults{42, 100, 16};

// ConfigureTransport with kTransportDefaults; false when the transport
// refuses them (it is configured once).
bool ConfigureDefaultTransport(Transport& transport);

// A device that keeps its first identity after a RAM program load is loaded
// again at most this many times before the scan gives up.
inline constexpr int kMaxScansAfterFsmLoad = 3;
// A device whose RAM program starts leaves the bus and comes back; on Linux
// usb-storage waits a second before it scans a new device and udev then makes
// the node, so the rescan after a load polls for the device for this long.
inline constexpr std::chrono::milliseconds kReattachTimeout{8000};
inline constexpr std::chrono::milliseconds kReattachPoll{200};

// What the information box shows once the RAM program is loaded.
inline constexpr std::u16string_view kFsmLoadedText = u"Load FSM Successfully!\r\n";

enum class DeviceErrorKind {
  None,
  NoDevice,           // no device is attached (or none answered)
  SeveralDevices,     // more than one device is attached
  AccessDenied,       // a USB storage node the user may not open (EACCES, EPERM)
  RamProgramMissing,  // FSM/FSM.BIN cannot be opened
  RamProgramEmpty,    // FSM/FSM.BIN is empty
  RamProgramRefused,  // the device did not take its RAM program
  NotReady,           // the device did not come back running its RAM program
  CheckFailed,        // the device information read failed
  PackageFailed,      // the download image could not be built, or a file of it read
  TransferFailed,     // erasing, writing or verifying the flash failed
};

struct DeviceError {
  DeviceErrorKind kind = DeviceErrorKind::None;
  ResultCode code = kSuccess;  // the result code of the step that failed
  int osError = 0;             // its errno, 0 when the system reported none
  std::string path;            // the node or file concerned, when there is one

  bool operator==(const DeviceError&) const = default;
};

// The plain message for the user (UTF-8, sentences, no trailing newline):
// what went wrong and, where the user can mend it, how. Empty for None.
std::string DeviceErrorMessage(const DeviceError& error);

struct ScanOutcome {
  int result = 0;       // what the scan returns: the device count it saw (0 or 1)
  int deviceCount = 0;  // the device count the window keeps (0 after a failed check)
  bool ready = false;   // the device runs its RAM program
  bool connected = false;  // the device record's state is "connected"
  // The status text the scan set last; empty when it left it unchanged (a
  // RAM program that could not be loaded).
  std::optional<StatusText> status;
  // The scan reported "No device" at least once: the window stops its settle
  // timer and disables Download.
  bool noDeviceReported = false;
  bool ramProgramLoaded = false;  // the information box shows kFsmLoadedText
  DeviceError error;              // why the device is not usable; None when it is

  // A download may start.
  bool Usable() const { return deviceCount > 0 && ready && connected; }
};

// The device as the scans see it: the ready flag survives from one scan to
// the next, so a device found ready is identified, not loaded again.
class DeviceSession {
 public:
  using WaitFunction = std::function<void(std::chrono::milliseconds)>;

  // `wait` blocks for the given time between polls for a re-attached device;
  // empty: sleep. Tests pass one that only counts.
  DeviceSession(Transport& transport, DeviceEnumerator& enumerator,
                std::filesystem::path workingDirectory, WaitFunction wait = {});

  // Finds exactly one device, loads its RAM program when it does not run it
  // yet (then waits for it to come back and scans again, at most
  // kMaxScansAfterFsmLoad times) and checks it.
  ScanOutcome Scan();

  int DeviceCount() const { return deviceCount_; }
  bool Ready() const { return ready_; }

 private:
  int ScanOnce(int repeat, ScanOutcome& outcome);
  void ReportNoDevice(ScanOutcome& outcome, DeviceError error);
  // The error of a scan that found `count` devices other than one.
  DeviceError NotOneDevice(int count) const;
  // True once exactly one device answers with the ready identity again.
  bool WaitForReattach();
  void Wait(std::chrono::milliseconds duration);

  Transport& transport_;
  DeviceEnumerator& enumerator_;
  std::filesystem::path workingDirectory_;
  WaitFunction wait_;
  int deviceCount_ = 0;
  bool ready_ = false;
};

enum class DownloadResult { Complete, Failed, NoDevice };

struct DownloadOutcome {
  DownloadResult result = DownloadResult::Failed;
  DeviceError error;  // None when complete

  // The status text the outcome shows.
  StatusText Status() const;
};

// Builds the package and writes it (and the user image behind it, when one is
// configured) into the flash of the scanned device, verifying both. NoDevice
// when the last scan left no single device in the transport's list. The
// package's messages go to `messages` (from the calling thread); `progress`
// may be null. Call package.ReadSettings() first, on the thread that owns the
// settings. Any exception inside (no memory for the image, a failure in the
// package builder) is a failed download.
DownloadOutcome Download(Transport& transport, PackageSource& package, MessageSink& messages,
                         DownloadProgress* progress);

}  // namespace quillon::device
