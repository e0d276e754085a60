#include "quillon/app/download_presenter.h"

#include <QMetaObject>
#include <QThread>

namespace quillon {
namespace {

using device::StatusText;

constexpr int kProgressMaximum = 100;

constexpr DownloadPresenter::Controls kAllControls =
    DownloadPresenter::Control::Download | DownloadPresenter::Control::FileList |
    DownloadPresenter::Control::AddFile | DownloadPresenter::Control::DeleteFile |
    DownloadPresenter::Control::SaveFile | DownloadPresenter::Control::SaveList |
    DownloadPresenter::Control::InPlaceEditor | DownloadPresenter::Control::SentenceList;

// What a finished download gives back to the user. Save File stays disabled
// (a download re-reads the files, so nothing edited before it is left to
// save); the in-place editor comes back, or no cell could be edited again.
constexpr DownloadPresenter::Controls kEnabledAfterDownload =
    DownloadPresenter::Control::FileList | DownloadPresenter::Control::AddFile |
    DownloadPresenter::Control::DeleteFile | DownloadPresenter::Control::SaveList |
    DownloadPresenter::Control::InPlaceEditor | DownloadPresenter::Control::SentenceList;

QString ToQString(std::u16string_view text) {
  QString shown = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

QString ProblemOf(const device::DeviceError& error) {
  return QString::fromStdString(device::DeviceErrorMessage(error));
}

// The package builder's messages, asked for by the worker, shown on the
// user-interface thread; Show returns when the message has been dismissed.
class UiThreadMessages final : public MessageSink {
 public:
  UiThreadMessages(QObject& uiObject, MessageSink& messages) : uiObject_(uiObject), messages_(messages) {}
  void Show(const UserMessage& message) override {
    if (QThread::currentThread() == uiObject_.thread()) {
      messages_.Show(message);
      return;
    }
    QMetaObject::invokeMethod(
        &uiObject_, [this, &message] { messages_.Show(message); }, Qt::BlockingQueuedConnection);
  }

 private:
  QObject& uiObject_;
  MessageSink& messages_;
};

}  // namespace

DownloadPresenter::DownloadPresenter(Parts parts, QObject* parent)
    : QObject(parent),
      parts_(std::move(parts)),
      transport_(parts_.devices.PassThrough()),
      session_(transport_, parts_.devices.Enumerator(), parts_.workingDirectory,
               [this](std::chrono::milliseconds duration) { Wait(duration); }) {
  progressTimer_.setInterval(kProgressInterval);
  settleTimer_.setInterval(kSettleInterval);
  connect(&progressTimer_, &QTimer::timeout, this, &DownloadPresenter::OnProgressTimer);
  connect(&settleTimer_, &QTimer::timeout, this, &DownloadPresenter::OnSettleTimer);
  if (const int fd = parts_.devices.Changes().NotificationFd(); fd >= 0) {
    changeNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(changeNotifier_.get(), &QSocketNotifier::activated, this,
            &DownloadPresenter::OnChangesReadable);
  }
}

DownloadPresenter::~DownloadPresenter() { WaitForWorker(); }

void DownloadPresenter::WaitForWorker() {
  if (worker_.joinable()) worker_.join();
}

void DownloadPresenter::Wait(std::chrono::milliseconds duration) {
  if (parts_.wait) {
    parts_.wait(duration);
  } else {
    QThread::msleep(static_cast<unsigned long>(duration.count()));
  }
}

QString DownloadPresenter::StatusText() const {
  const std::lock_guard lock(statusMutex_);
  return ToQString(statusText_);
}

void DownloadPresenter::SetStatus(device::StatusText status) {
  const std::lock_guard lock(statusMutex_);
  statusText_ = device::StatusTextOf(status);
}

void DownloadPresenter::ShowInformation(std::u16string_view text) {
  emit informationTextChanged(ToQString(text));
}

void DownloadPresenter::RefreshInformation() {
  emit informationTextChanged(StatusText());
  emit progressChanged(0);
}

void DownloadPresenter::SetEnabled(Controls controls, bool enabled) {
  emit controlsEnabledChanged(controls, enabled);
}

bool DownloadPresenter::Start() {
  const bool configured = device::ConfigureDefaultTransport(transport_);
  SaveDriveMask();
  if (!configured) {
    RefreshInformation();
    return false;
  }
  ScanDevices();
  RefreshInformation();
  if (DeviceCount() > 0) {
    Wait(kEnableDelay);
    SetEnabled(Control::Download, true);
  }
  return true;
}

void DownloadPresenter::SaveDriveMask() { savedDriveMask_ = parts_.devices.Changes().CurrentDriveMask(); }

void DownloadPresenter::StopSettleTimer() { settleTimer_.stop(); }

int DownloadPresenter::ScanDevices() {
  const device::ScanOutcome outcome = session_.Scan();
  state_ = outcome.connected ? DeviceState::Connected : DeviceState::NoUsableDevice;
  if (outcome.ramProgramLoaded) ShowInformation(device::kFsmLoadedText);
  if (outcome.noDeviceReported) {
    StopSettleTimer();
    SetEnabled(Control::Download, false);
  }
  if (outcome.status) SetStatus(*outcome.status);
  emit deviceStateChanged(outcome.Usable(), ProblemOf(outcome.error));
  return outcome.result;
}

void DownloadPresenter::Rescan() {
  if (ProgressTimerRunning()) return;
  // A scan now makes the changes waiting to settle moot.
  pendingArrivals_ = 0;
  pendingRemovals_ = 0;
  SaveDriveMask();
  ScanAndShow();
}

void DownloadPresenter::DisableControls() {
  finished_ = false;
  SetEnabled(kAllControls, false);
  emit busyChanged(true);
}

void DownloadPresenter::EnableControls() {
  SetEnabled(Control::Download, DeviceCount() > 0 && DeviceReady());
  SetEnabled(kEnabledAfterDownload, true);
}

void DownloadPresenter::OnDownload() {
  // Without a connected device nothing would ever end a started download, so
  // the button does nothing then.
  if (state_ != DeviceState::Connected) return;
  parts_.package.ReadSettings();
  StopSettleTimer();
  if (!progressTimer_.isActive()) {
    progressTimer_.start();
    DisableControls();
  }
  WaitForWorker();  // the previous worker has set its finished flag already
  state_ = DeviceState::Downloading;
  worker_ = std::thread([this] { DownloadWorker(); });
}

void DownloadPresenter::DownloadWorker() {
  SetStatus(StatusText::Downloading);
  statusChanged_ = true;
  UiThreadMessages messages(*this, parts_.messages);
  const device::DownloadOutcome outcome = device::Download(transport_, parts_.package, messages, nullptr);
  lastError_ = outcome.error;
  if (outcome.result == device::DownloadResult::Complete) {
    state_ = DeviceState::Completed;
  } else {
    SetStatus(StatusText::DownloadFail);
    statusChanged_ = true;
    state_ = DeviceState::Failed;
  }
  finished_ = true;  // last: the progress timer reads the rest after it
}

void DownloadPresenter::AcknowledgeOutcome() {
  progressTimer_.stop();
  const DeviceState state = state_;
  if (DeviceCount() > 0) {
    if (state == DeviceState::Completed) {
      SetStatus(StatusText::DownloadComplete);
      statusChanged_ = false;
      ShowInformation(device::StatusTextOf(StatusText::DownloadComplete));
      emit progressChanged(kProgressMaximum);
      state_ = DeviceState::Connected;
    } else if (state == DeviceState::Failed) {
      // The worker's failure text; the bar stays where the animation was.
      if (statusChanged_.exchange(false)) emit informationTextChanged(StatusText());
      state_ = DeviceState::Connected;
    }
  }
  EnableControls();
  emit busyChanged(false);
  emit downloadFinished(state == DeviceState::Completed, ProblemOf(lastError_));
}

void DownloadPresenter::AnimateProgress() {
  emit progressChanged(progressCounter_);
  if (++progressCounter_ > kProgressMaximum) progressCounter_ = 0;
  if (statusChanged_.exchange(false)) emit informationTextChanged(StatusText());
}

void DownloadPresenter::OnProgressTimer() {
  if (finished_) {
    AcknowledgeOutcome();
  } else {
    AnimateProgress();
  }
}

// Matches the drives that appeared or went away with the pending changes,
// lowest drive first; a change no pending event accounts for ends the walk.
void DownloadPresenter::SettleDriveChanges() {
  const std::uint32_t mask = parts_.devices.Changes().CurrentDriveMask();
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

void DownloadPresenter::OnSettleTimer() {
  if (pendingArrivals_ != 0 || pendingRemovals_ != 0) {
    SettleDriveChanges();
    return;
  }
  ScanAndShow();
}

void DownloadPresenter::ScanAndShow() {
  if (!ProgressTimerRunning()) ScanDevices();
  StopSettleTimer();
  Wait(kEnableDelay);
  if (DeviceCount() > 0 && !ProgressTimerRunning()) SetEnabled(Control::Download, true);
  RefreshInformation();
}

void DownloadPresenter::RestartSettleTimer(int& pending) {
  settleTimer_.start();  // restarts a running timer
  ++pending;
}

void DownloadPresenter::OnDeviceChange(device::DeviceChange change) {
  if (change == device::DeviceChange::NodeAppeared) {
    RestartSettleTimer(pendingArrivals_);
  } else if (change == device::DeviceChange::NodeRemoved) {
    const DeviceState state = state_;
    if (DeviceCount() > 0 && (state == DeviceState::Failed || state == DeviceState::Completed)) {
      SaveDriveMask();
      return;
    }
    RestartSettleTimer(pendingRemovals_);
  } else {
    return;
  }
  SetEnabled(Control::Download, false);
}

void DownloadPresenter::OnChangesReadable() {
  for (const device::DeviceChange change : parts_.devices.Changes().TakeEvents()) OnDeviceChange(change);
}

}  // namespace quillon
