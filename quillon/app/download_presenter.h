// The main window's download machinery as a QObject: it owns the device
// transport, the two timers (progress every 100 ms, device-change settling
// every 800 ms), the download worker thread and the device-change notifier,
// and carries the window's download states over the download core
// (quillon/device/download_core.h). The window connects its widgets to the
// signals and its Download button and Rescan action to the slots; it holds no
// download logic of its own.
//
// Signals (always emitted on the user-interface thread):
//   busyChanged(busy)            a download started (true) / its outcome was shown (false)
//   informationTextChanged(text) the information box's new text ("\n" line breaks)
//   progressChanged(position)    the progress bar's position, 0 to 100
//   deviceStateChanged(connected, problem)
//                                after every scan: whether a device is ready for a
//                                download, and when not the plain reason (empty when
//                                there is none to tell, e.g. no device attached)
//   downloadFinished(complete, problem)
//                                a download's outcome, with the reason of a failure
//   controlsEnabledChanged(controls, enabled)
//                                enable or disable these controls (only these; the
//                                others keep their state)
// Slots: OnDownload() (the Download button), Rescan() (scan again now).
//
// Start-up: construct, then Start(); it configures the transport, scans and
// shows the device state, and says whether the transport was configured (the
// window then initialises the engine and fills its list).
//
// Closing: the destructor waits for a running worker. A worker blocked on a
// package message box needs the user-interface thread, so the window must not
// be destroyed while DownloadRunning() (it refuses to close then).
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "quillon/config/user_message.h"
#include "quillon/device/device_backend.h"
#include "quillon/device/download_core.h"
#include "quillon/device/package_source.h"
#include "quillon/device/transport.h"

namespace quillon {

class DownloadPresenter final : public QObject {
  Q_OBJECT

 public:
  // The main window's controls that a download enables and disables.
  enum class Control : unsigned {
    Download = 1u << 0,
    FileList = 1u << 1,
    AddFile = 1u << 2,
    DeleteFile = 1u << 3,
    SaveFile = 1u << 4,
    SaveList = 1u << 5,
    InPlaceEditor = 1u << 6,
    SentenceList = 1u << 7,
  };
  Q_DECLARE_FLAGS(Controls, Control)
  Q_FLAG(Controls)

  // State of the device record that a scan fills.
  enum class DeviceState : int {
    NoUsableDevice = 0,
    Connected = 1,
    Downloading = 2,
    Failed = 3,     // not yet acknowledged by the progress timer
    Completed = 4,  // not yet acknowledged by the progress timer
  };

  static constexpr std::chrono::milliseconds kProgressInterval{100};
  static constexpr std::chrono::milliseconds kSettleInterval{800};
  // The pause before Download is enabled after a scan.
  static constexpr std::chrono::milliseconds kEnableDelay{50};

  struct Parts {
    device::DeviceBackend& devices;
    device::PackageSource& package;  // ReadSettings here, the rest on the worker
    MessageSink& messages;           // shown on the user-interface thread
    std::filesystem::path workingDirectory;  // holds FSM/FSM.BIN
    // Blocks the user-interface thread briefly (the enable delay, the polls
    // for a re-attached device); empty: sleep. Tests pass one that counts.
    std::function<void(std::chrono::milliseconds)> wait;
  };

  explicit DownloadPresenter(Parts parts, QObject* parent = nullptr);
  ~DownloadPresenter() override;

  // Configures the transport, remembers the drives present, scans, shows the
  // device state and, with a device, enables Download after the enable delay.
  // False when the transport refused its configuration (nothing scanned).
  bool Start();

  // The timers' ticks and the device-change events, public for tests.
  void OnProgressTimer();
  void OnSettleTimer();
  void OnDeviceChange(device::DeviceChange change);

  bool DownloadRunning() const { return !finished_.load(); }
  DeviceState State() const { return state_.load(); }
  int DeviceCount() const { return session_.DeviceCount(); }
  bool DeviceReady() const { return session_.Ready(); }
  bool ProgressTimerRunning() const { return progressTimer_.isActive(); }
  bool SettleTimerRunning() const { return settleTimer_.isActive(); }
  int PendingArrivals() const { return pendingArrivals_; }
  int PendingRemovals() const { return pendingRemovals_; }
  std::uint32_t SavedDriveMask() const { return savedDriveMask_; }
  QString StatusText() const;
  // Blocks until the worker of the last download has ended.
  void WaitForWorker();

 public slots:
  void OnDownload();
  // Scans again at once and shows the result (the Rescan action); does
  // nothing while a download runs.
  void Rescan();

 signals:
  void busyChanged(bool busy);
  void informationTextChanged(const QString& text);
  void progressChanged(int position);
  void deviceStateChanged(bool connected, const QString& problem);
  void downloadFinished(bool complete, const QString& problem);
  void controlsEnabledChanged(DownloadPresenter::Controls controls, bool enabled);

 private:
  int ScanDevices();
  // The settled scan: scan (not while a download runs), stop settling, enable
  // Download after the enable delay and show the status.
  void ScanAndShow();
  void RefreshInformation();
  void ShowInformation(std::u16string_view text);
  void SetStatus(device::StatusText status);
  void EnableControls();
  void DisableControls();
  void SetEnabled(Controls controls, bool enabled);
  void DownloadWorker();
  void AcknowledgeOutcome();
  void AnimateProgress();
  void SettleDriveChanges();
  void StopSettleTimer();
  void RestartSettleTimer(int& pending);
  void SaveDriveMask();
  void Wait(std::chrono::milliseconds duration);
  void OnChangesReadable();

  Parts parts_;
  device::Transport transport_;
  device::DeviceSession session_;
  QTimer progressTimer_;
  QTimer settleTimer_;
  std::unique_ptr<QSocketNotifier> changeNotifier_;

  // User-interface thread only.
  std::uint32_t savedDriveMask_ = 0;
  int pendingArrivals_ = 0;
  int pendingRemovals_ = 0;
  int progressCounter_ = 0;

  // Shared with the worker; the worker writes finished_ last.
  std::atomic<bool> finished_{true};
  std::atomic<DeviceState> state_{DeviceState::NoUsableDevice};
  std::atomic<bool> statusChanged_{false};
  mutable std::mutex statusMutex_;
  std::u16string statusText_;
  device::DeviceError lastError_;  // of the last download; read after finished_

  std::thread worker_;
};

}  // namespace quillon

Q_DECLARE_OPERATORS_FOR_FLAGS(quillon::DownloadPresenter::Controls)
