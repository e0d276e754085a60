// The Download button, the two download timers and the device arrival and
// removal notifications, wired to the download controller below the window.
#include <QCloseEvent>
#include <QSocketNotifier>

#include "quillon/app/qt_download_timers.h"
#include "quillon/app/qt_download_view.h"
#include "quillon/app/quendal_dlg.h"
#include "quillon/device/device_backend.h"
#include "quillon/device/download_controller.h"

namespace quillon {

void CQuendalDlg::CreateDownload() {
  downloadView_ = std::make_unique<QtDownloadView>(QtDownloadView::Controls{
      this, [this](int controlId) { return Control(controlId); }, informationBox_, progressBar_,
      services_.messages});
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

void CQuendalDlg::OnDownload(const ControlNotification&) { downloadController_->OnDownload(); }

void CQuendalDlg::RefreshInformation() {
  downloadController_->RefreshInformation();
  update();
}

void CQuendalDlg::closeEvent(QCloseEvent* event) {
  // Closing in the middle of a flash write would leave the device half
  // programmed; the window closes once the download has ended.
  if (downloadController_ && !downloadController_->DownloadFinished()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace quillon
