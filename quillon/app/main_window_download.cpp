// The Download button, the Rescan command and the device state, wired to the
// download presenter: the window shows what the presenter tells it.
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "quillon/app/gradient_progress_bar.h"
#include "quillon/app/in_place_editor.h"
#include "quillon/app/main_window.h"
#include "quillon/app/sentence_table.h"
#include "quillon/device/device_backend.h"
#include "quillon/device/status_texts.h"

namespace quillon {
namespace {

QString StatusText(device::StatusText status) {
  const std::u16string_view text = device::StatusTextOf(status);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void MainWindow::CreateDownload() {
  packageSource_ = services_.createPackageSource();
  downloadPresenter_ = std::make_unique<DownloadPresenter>(
      DownloadPresenter::Parts{*services_.devices, *packageSource_, *services_.messages,
                               services_.workingDirectory.path(), {}});
  DownloadPresenter* presenter = downloadPresenter_.get();
  connect(presenter, &DownloadPresenter::informationTextChanged, informationBox_,
          &QPlainTextEdit::setPlainText);
  connect(presenter, &DownloadPresenter::progressChanged, progressBar_, &GradientProgressBar::SetPos);
  connect(presenter, &DownloadPresenter::controlsEnabledChanged, this, &MainWindow::SetControlsEnabled);
  connect(presenter, &DownloadPresenter::deviceStateChanged, this, &MainWindow::ShowDeviceState);
  connect(presenter, &DownloadPresenter::downloadFinished, this, &MainWindow::ShowDownloadOutcome);
  connect(presenter, &DownloadPresenter::busyChanged, this, [this](bool busy) {
    rescanAction_->setEnabled(!busy);
    OnDownloadRunning(busy);
    if (busy) {
      deviceState_->setText(StatusText(device::StatusText::Downloading));
      ShowDeviceMessage({});
    }
  });
}

void MainWindow::SetControlsEnabled(DownloadPresenter::Controls controls, bool enabled) {
  using Control = DownloadPresenter::Control;
  const std::pair<Control, QWidget*> widgets[] = {
      {Control::Download, downloadButton_}, {Control::FileList, fileList_},
      {Control::AddFile, addFile_},         {Control::DeleteFile, deleteFile_},
      {Control::SaveFile, saveFile_},       {Control::SaveList, saveList_},
      {Control::InPlaceEditor, inPlaceEditor_}, {Control::SentenceList, sentenceTable_}};
  for (const auto& [control, widget] : widgets) {
    if (controls.testFlag(control)) widget->setEnabled(enabled);
  }
}

void MainWindow::ShowDeviceMessage(const QString& message) {
  deviceMessage_->setText(message);
  deviceMessage_->setToolTip(message);
}

void MainWindow::ShowDeviceState(bool connected, const QString& problem) {
  deviceConnected_ = connected;
  deviceState_->setText(
      StatusText(connected ? device::StatusText::DeviceConnected : device::StatusText::NoDevice));
  ShowDeviceMessage(problem);
}

void MainWindow::ShowDownloadOutcome(bool complete, const QString& problem) {
  // The device state is the last scan's until the next one tells otherwise.
  deviceState_->setText(StatusText(deviceConnected_ ? device::StatusText::DeviceConnected
                                                    : device::StatusText::NoDevice));
  ShowDeviceMessage(complete ? StatusText(device::StatusText::DownloadComplete) : problem);
}

void MainWindow::OnDownload() {
  // A download reads the saved files: unsaved edits are saved first, or left
  // out knowingly. Nothing is asked when no download would start.
  if (downloadPresenter_->State() == DownloadPresenter::DeviceState::Connected &&
      !SettleUnsavedChanges(UnsavedQuestion::BeforeDownload)) {
    return;
  }
  downloadPresenter_->OnDownload();
}

void MainWindow::OnRescan() { downloadPresenter_->Rescan(); }

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing in the middle of a flash write would leave the device half
  // programmed; the window closes once the download has ended.
  if ((downloadPresenter_ && downloadPresenter_->DownloadRunning()) || !SettleUnsavedChanges()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void MainWindow::OnRecentWorkspace(const QString& directory) {
  // The workspace is the directory the program runs in: it starts again there.
  if (close()) emit workspaceChosen(directory);
}

}  // namespace quillon
