// Start-up of the main window, in the order the program has always followed:
// the progress bar, the system language, the configuration, the
// device transport and scan, the pronunciation engine, the command file list.
#include <QPlainTextEdit>
#include <QPushButton>

#include "quillon/app/gradient_progress_bar.h"
#include "quillon/app/engine_data_directory.h"
#include "quillon/app/pronunciation_engine.h"
#include "quillon/app/qt_download_timers.h"
#include "quillon/app/qt_download_view.h"
#include "quillon/app/main_window.h"
#include "quillon/device/device_backend.h"
#include "quillon/device/download_controller.h"

namespace quillon {
namespace {

constexpr int kDeviceKind = 42;
constexpr int kIdentityMode = 100;
constexpr int kSlotCount = 16;
constexpr std::chrono::milliseconds kEnableDelay{50};

void SetUpProgressBar(GradientProgressBar& bar) {
  bar.SetRange(0, 100);
  bar.SetPos(0);
  bar.SetText(QString());
  bar.SetShowText(true);
  bar.SetStartColor(0xFF3232);
  bar.SetEndColor(0xFFF0F0);
  bar.SetBkColor(0xFF9696);
  bar.SetTextColor(0x000000);
}

}  // namespace

bool MainWindow::OnInitDialog() {
  SetUpProgressBar(*progressBar_);
  systemLocale_ = platform::CurrentSystemLocale();

  ConfigPaths paths;
  LocateConfiguration(services_.workingDirectory, paths);
  ReadAsrSettings(paths.asrSettings, asrSettings_);

  transport_ = std::make_unique<device::Transport>(services_.devices->PassThrough());
  const bool transportConfigured =
      transport_->ConfigureTransport(kDeviceKind, kIdentityMode, kSlotCount);
  CreateDownload();
  downloadController_->SaveDriveMask();

  if (!transportConfigured) {
    RefreshInformation();
    return false;
  }
  downloadController_->ScanDevices();
  RefreshInformation();
  if (downloadController_->DeviceCount() > 0) {
    downloadTimers_->Wait(kEnableDelay);
    downloadButton_->setEnabled(true);
  }
  services_.engine->Init(EngineDataDirectory(services_.programDirectory));
  FillGroupList();
  return true;
}

}  // namespace quillon
