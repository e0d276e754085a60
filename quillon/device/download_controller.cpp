#include "quillon/device/download_controller.h"

namespace quillon::device {
namespace {

constexpr std::chrono::milliseconds kEnableDelay{50};
constexpr int kProgressMaximum = 100;

}  // namespace

DownloadController::DownloadController(DownloadParts parts)
    : parts_(std::move(parts)),
      session_(parts_.transport, parts_.enumerator, parts_.workingDirectory,
               [this](std::chrono::milliseconds duration) { parts_.timers.Wait(duration); }) {}

DownloadController::~DownloadController() { WaitForWorker(); }

void DownloadController::WaitForWorker() {
  if (worker_.joinable()) worker_.join();
}

std::u16string DownloadController::CurrentStatusText() const {
  const std::lock_guard lock(statusMutex_);
  return statusText_;
}

void DownloadController::SetStatus(StatusText status) {
  const std::lock_guard lock(statusMutex_);
  statusText_ = StatusTextOf(status);
}

void DownloadController::RefreshInformation() {
  parts_.view.SetInformationText(CurrentStatusText());
  parts_.view.SetProgressPosition(0);
}

void DownloadController::SaveDriveMask() { savedDriveMask_ = parts_.changes.CurrentDriveMask(); }

void DownloadController::StopSettleTimer() {
  if (settleTimerRunning_ && parts_.timers.StopTimer(timer_id::kSettle)) settleTimerRunning_ = false;
}

int DownloadController::ScanDevices() {
  const ScanOutcome outcome = session_.Scan();
  state_ = outcome.connected ? DeviceState::Connected : DeviceState::NoUsableDevice;
  if (outcome.ramProgramLoaded) parts_.view.SetInformationText(kFsmLoadedText);
  if (outcome.noDeviceReported) {
    StopSettleTimer();
    parts_.view.SetControlEnabled(control_id::kDownload, false);
  }
  if (outcome.status) SetStatus(*outcome.status);
  return outcome.result;
}

void DownloadController::DisableControls() {
  finished_ = false;
  for (int id : {control_id::kDownload, control_id::kFileList, control_id::kAddFile,
                 control_id::kDeleteFile, control_id::kSaveFile, control_id::kSaveList,
                 control_id::kInPlaceEditor, control_id::kSentenceList}) {
    parts_.view.SetControlEnabled(id, false);
  }
}

void DownloadController::EnableControls() {
  parts_.view.SetControlEnabled(control_id::kDownload, DeviceCount() > 0 && DeviceReady());
  for (int id : {control_id::kFileList, control_id::kAddFile, control_id::kDeleteFile,
                 control_id::kSaveList, control_id::kInPlaceEditor, control_id::kSentenceList}) {
    parts_.view.SetControlEnabled(id, true);
  }
}

void DownloadController::OnDownload() {
  // Without a connected device nothing would ever end a started download, so
  // the button does nothing then.
  if (state_ != DeviceState::Connected) return;
  parts_.package.ReadSettings();
  StopSettleTimer();
  if (!progressTimerRunning_ && parts_.timers.StartTimer(timer_id::kProgress, kProgressInterval)) {
    DisableControls();
    progressTimerRunning_ = true;
  }
  WaitForWorker();  // the previous worker has set its finished flag already
  state_ = DeviceState::Downloading;
  worker_ = std::thread([this] { DownloadWorker(); });
}

void DownloadController::DownloadWorker() {
  SetStatus(StatusText::Downloading);
  statusChanged_ = true;
  const DownloadOutcome outcome = Download(parts_.transport, parts_.package, parts_.view, parts_.progress);
  if (outcome.result == DownloadResult::Complete) {
    state_ = DeviceState::Completed;
  } else {
    ShowDownloadFail();
    state_ = DeviceState::Failed;
  }
  finished_ = true;  // last: the progress timer reads the rest after it
}

void DownloadController::ShowDownloadFail() {
  SetStatus(StatusText::DownloadFail);
  statusChanged_ = true;
}

void DownloadController::AcknowledgeOutcome() {
  if (parts_.timers.StopTimer(timer_id::kProgress)) progressTimerRunning_ = false;
  if (DeviceCount() > 0) {
    if (state_ == DeviceState::Completed) {
      SetStatus(StatusText::DownloadComplete);
      statusChanged_ = false;
      parts_.view.SetInformationText(StatusTextOf(StatusText::DownloadComplete));
      parts_.view.SetProgressPosition(kProgressMaximum);
      state_ = DeviceState::Connected;
    } else if (state_ == DeviceState::Failed) {
      // The worker's failure text, shown here on the user-interface thread.
      if (statusChanged_.exchange(false)) parts_.view.SetInformationText(CurrentStatusText());
      state_ = DeviceState::Connected;
    }
  }
  EnableControls();
}

void DownloadController::AnimateProgress() {
  parts_.view.SetProgressPosition(progressCounter_);
  if (++progressCounter_ > kProgressMaximum) progressCounter_ = 0;
  if (statusChanged_.exchange(false)) parts_.view.SetInformationText(CurrentStatusText());
}

void DownloadController::SettleDriveChanges() {
  const std::uint32_t mask = parts_.changes.CurrentDriveMask();
  if (mask == savedDriveMask_) {
    pendingArrivals_ = 0;
    pendingRemovals_ = 0;
    return;
  }
  for (int bit = 0; bit < 32; ++bit) {
    const std::uint32_t flag = std::uint32_t{1} << bit;
    const bool present = (mask & flag) != 0;
    const bool saved = (savedDriveMask_ & flag) != 0;
    if (present == saved) continue;
    int& pending = present ? pendingArrivals_ : pendingRemovals_;
    if (pending == 0) break;
    --pending;
    savedDriveMask_ ^= flag;
  }
}

void DownloadController::OnTimer(int timerId) {
  if (timerId == timer_id::kProgress) {
    if (finished_) {
      AcknowledgeOutcome();
    } else {
      AnimateProgress();
    }
    return;
  }
  if (timerId != timer_id::kSettle) return;
  if (pendingArrivals_ != 0 || pendingRemovals_ != 0) {
    SettleDriveChanges();
    return;
  }
  if (!progressTimerRunning_) ScanDevices();
  StopSettleTimer();
  parts_.timers.Wait(kEnableDelay);
  if (DeviceCount() > 0 && !progressTimerRunning_) {
    parts_.view.SetControlEnabled(control_id::kDownload, true);
  }
  RefreshInformation();
}

void DownloadController::RestartSettleTimer(int& pending) {
  if (settleTimerRunning_) {
    if (!parts_.timers.StopTimer(timer_id::kSettle)) return;
    settleTimerRunning_ = false;
  }
  settleTimerRunning_ = parts_.timers.StartTimer(timer_id::kSettle, kSettleInterval);
  ++pending;
}

void DownloadController::OnDeviceChange(DeviceChange event) {
  if (event == DeviceChange::NodeAppeared) {
    RestartSettleTimer(pendingArrivals_);
  } else if (event == DeviceChange::NodeRemoved) {
    const DeviceState state = state_;
    if (DeviceCount() > 0 && (state == DeviceState::Failed || state == DeviceState::Completed)) {
      SaveDriveMask();
      return;
    }
    RestartSettleTimer(pendingRemovals_);
  } else {
    return;
  }
  parts_.view.SetControlEnabled(control_id::kDownload, false);
}

}  // namespace quillon::device
