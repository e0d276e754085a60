// The main window's download machinery, below the user interface: the device
// scan (with the RAM program load), device arrival and removal with the settle
// timer, the Download button, the worker thread that builds the package and
// writes it into flash, and the progress timer that animates the bar and
// reports the outcome.
//
// Threads: every public method runs on the user-interface thread. The worker
// shares with it only atomics (finished flag, device state, status-changed
// flag) and the status text, which is guarded. The worker never touches the
// view except DownloadView::Show for package errors; its failure text reaches
// the information box on the next progress tick.
//
// The scan and the download themselves are the download core's
// (download_core.h); this class adds the window's timers and controls.
//
// Wiring: construct with the transport (configured with
// kTransportDefaults), the backend's enumerator and change source, the view, the
// timers and the package source; call SaveDriveMask() and ScanDevices() at
// start-up, OnDownload() for the Download button, OnTimer(id) for each tick,
// and OnDeviceChange() for each event of the change source.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "quillon/device/device_change_source.h"
#include "quillon/device/download_core.h"
#include "quillon/device/device_enumerator.h"
#include "quillon/device/download_progress.h"
#include "quillon/device/download_timers.h"
#include "quillon/device/download_view.h"
#include "quillon/device/package_source.h"
#include "quillon/device/status_texts.h"
#include "quillon/device/transport.h"
#include "quillon/recognition/result_codes.h"

namespace quillon::device {

// State of the device record that a scan fills.
enum class DeviceState : int {
  NoUsableDevice = 0,
  Connected = 1,
  Downloading = 2,
  Failed = 3,     // not yet acknowledged by the progress timer
  Completed = 4,  // not yet acknowledged by the progress timer
};

struct DownloadParts {
  Transport& transport;
  DeviceEnumerator& enumerator;
  DeviceChangeSource& changes;
  DownloadView& view;
  DownloadTimers& timers;
  PackageSource& package;
  std::filesystem::path workingDirectory;  // holds FSM/FSM.BIN
  DownloadProgress* progress = nullptr;    // real progress, optional
};

class DownloadController {
 public:
  explicit DownloadController(DownloadParts parts);
  ~DownloadController();  // waits for a running worker
  DownloadController(const DownloadController&) = delete;
  DownloadController& operator=(const DownloadController&) = delete;

  // Finds the device, loads its RAM program when needed and checks it.
  // Returns the device count.
  int ScanDevices();
  void OnDownload();
  void OnTimer(int timerId);
  void OnDeviceChange(DeviceChange event);
  // Remembers the present drive mask (start-up).
  void SaveDriveMask();
  // Shows the status text in the information box and resets the bar.
  void RefreshInformation();

  bool DownloadFinished() const { return finished_.load(); }
  DeviceState State() const { return state_.load(); }
  int DeviceCount() const { return session_.DeviceCount(); }
  bool DeviceReady() const { return session_.Ready(); }
  bool ProgressTimerRunning() const { return progressTimerRunning_; }
  bool SettleTimerRunning() const { return settleTimerRunning_; }
  int PendingArrivals() const { return pendingArrivals_; }
  int PendingRemovals() const { return pendingRemovals_; }
  std::uint32_t SavedDriveMask() const { return savedDriveMask_; }
  std::u16string CurrentStatusText() const;
  // Blocks until the worker of the last download has ended.
  void WaitForWorker();

 private:
  void DownloadWorker();
  void DisableControls();
  void EnableControls();
  void ShowDownloadFail();
  void StopSettleTimer();
  void RestartSettleTimer(int& pending);
  void SettleDriveChanges();
  void AcknowledgeOutcome();
  void AnimateProgress();
  void SetStatus(StatusText status);

  DownloadParts parts_;
  DeviceSession session_;

  // User-interface thread only.
  bool progressTimerRunning_ = false;
  bool settleTimerRunning_ = false;
  std::uint32_t savedDriveMask_ = 0;
  int pendingArrivals_ = 0;
  int pendingRemovals_ = 0;
  int progressCounter_ = 0;

  // Shared with the worker.
  std::atomic<bool> finished_{true};
  std::atomic<DeviceState> state_{DeviceState::NoUsableDevice};
  std::atomic<bool> statusChanged_{false};
  mutable std::mutex statusMutex_;
  std::u16string statusText_;

  std::thread worker_;
};

}  // namespace quillon::device
