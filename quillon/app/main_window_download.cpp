// The Download button, the two download timers and the device arrival and
// removal notifications, wired to the download controller below the window.
#include <QCloseEvent>
#include <QComboBox>
#include <QPushButton>
#include <QSocketNotifier>

#include "quillon/app/qt_download_timers.h"
#include "quillon/app/qt_download_view.h"
#include "quillon/app/in_place_editor.h"
#include "quillon/app/main_window.h"
#include "quillon/app/sentence_table.h"
#include "quillon/device/device_backend.h"
#include "quillon/device/download_controller.h"

namespace quillon {

void MainWindow::CreateDownload() {
  downloadView_ = std::make_unique<QtDownloadView>(QtDownloadView::Controls{
      this, [this](int controlId) { return DownloadControl(controlId); }, informationBox_,
      progressBar_, services_.messages});
  downloadTimers_ = std::make_unique<QtDownloadTimers>(
      [this](int timerId) { downloadController_->OnTimer(timerId); });
  packageSource_ = services_.createPackageSource();
  device::DeviceBackend& devices = *services_.devices;
  downloadController_ = std::make_unique<device::DownloadController>(device::DownloadParts{
      *transport_, devices.Enumerator(), devices.Changes(), *downloadView_, *downloadTimers_,
      *packageSource_, services_.workingDirectory.path()});

  const int changeFd = devices.Changes().NotificationFd();
  if (changeFd >= 0) {
    deviceChanges_ = std::make_unique<QSocketNotifier>(changeFd, QSocketNotifier::Read);
    connect(deviceChanges_.get(), &QSocketNotifier::activated, this, [this] {
      for (const device::DeviceChange event : services_.devices->Changes().TakeEvents()) {
        downloadController_->OnDeviceChange(event);
      }
    });
  }
}

QWidget* MainWindow::DownloadControl(int controlId) const {
  namespace id = device::control_id;
  switch (controlId) {
    case id::kInPlaceEditor: return inPlaceEditor_;
    case id::kDeleteFile: return deleteFile_;
    case id::kDownload: return downloadButton_;
    case id::kSaveList: return saveList_;
    case id::kFileList: return fileList_;
    case id::kAddFile: return addFile_;
    case id::kSentenceList: return sentenceTable_;
    case id::kSaveFile: return saveFile_;
    default: return nullptr;
  }
}

void MainWindow::OnDownload() { downloadController_->OnDownload(); }

void MainWindow::OnRescan() {
  if (!downloadController_->DownloadFinished()) return;
  downloadController_->ScanDevices();
  if (downloadController_->DeviceCount() > 0) downloadButton_->setEnabled(true);
  RefreshInformation();
}

void MainWindow::RefreshInformation() {
  downloadController_->RefreshInformation();
  update();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing in the middle of a flash write would leave the device half
  // programmed; the window closes once the download has ended.
  if (downloadController_ && !downloadController_->DownloadFinished()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace quillon
