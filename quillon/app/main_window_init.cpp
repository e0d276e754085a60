// Start-up of the main window, in the order the program has always followed:
// the progress bar, the system language, the configuration, the device
// transport and scan, the pronunciation engine, the command file list.
#include <QPlainTextEdit>
#include <QPushButton>

#include "quillon/app/gradient_progress_bar.h"
#include "quillon/app/engine_data_directory.h"
#include "quillon/app/pronunciation_engine.h"
#include "quillon/app/main_window.h"

namespace quillon {
namespace {

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

  CreateDownload();
  // Configures the transport, scans, shows the state and enables Download
  // when there is a device.
  if (!downloadPresenter_->Start()) return false;
  services_.engine->Init(EngineDataDirectory(services_.programDirectory));
  FillGroupList();
  return true;
}

}  // namespace quillon
