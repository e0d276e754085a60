#include "quillon/app/application.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <cstdio>

#include "quillon/app/engine_data_directory.h"
#include "quillon/app/file_chooser.h"
#include "quillon/app/message_box.h"
#include "quillon/app/pronunciation_engine.h"
#include "quillon/app/main_window.h"
#include "quillon/app/recent_workspaces.h"
#include "quillon/app/recognition_services.h"
#include "quillon/app/single_instance.h"
#include "quillon/app/window_texts.h"
#include "quillon/app/unsaved_changes.h"
#include "quillon/device/device_backend.h"
#include "quillon/recognition/engine_pronunciation_hints.h"

namespace quillon {

int Application::Run(const StartOptions& options) {
  const SingleInstance instance(kSingleInstanceTitle);
  if (!instance.IsFirst()) return 0;

  std::optional<WorkingDirectory> workingDirectory = WorkingDirectory::Capture();
  if (!workingDirectory) {
    std::fprintf(stderr, "quillon: the working directory cannot be read or is longer than %zu "
                         "characters\n", WorkingDirectory::kMaxLength);
    return 1;
  }
  device::OpenedBackend devices = device::OpenDeviceBackend(
      device::DeviceSelection(options.deviceSelection.toStdString()));
  if (!devices.backend) {
    std::fprintf(stderr, "quillon: %s\n", devices.error.c_str());
    return 1;
  }

  QtFileChooser fileChooser;
  QtMessageBox messages;
  PhonwrightEngine engine;
  RecognitionServices recognition(*workingDirectory);
  // Without the English dictionary no word is marked as guessed.
  EnginePronunciationHints hints;
  hints.Open(EngineDataDirectory(options.programDirectory));
  QtUnsavedChangesPrompt unsavedPrompt;

  QSettings settings(QStringLiteral("quillon"), QStringLiteral("quillon"));
  RecentWorkspaces recent(settings);
  const QString here = QDir::currentPath();
  QStringList others = recent.Entries();
  others.removeAll(here);
  recent.Remember(here);

  MainWindow::Services services{*workingDirectory,
                                 &fileChooser,
                                 &messages,
                                 &recognition.CommandFiles(),
                                 devices.backend.get(),
                                 &engine,
                                 [&recognition] { return recognition.CreatePackageSource(); },
                                 options.programDirectory,
                                 &recognition.Converter(),
                                 &hints,
                                 &unsavedPrompt,
                                 others};
  MainWindow window(services);
  QObject::connect(&window, &MainWindow::workspaceChosen, &window,
                   [this](const QString& directory) { restartWorkspace_ = directory; });
  messages.SetOwner(&window);
  window.OnInitDialog();
  window.show();
  return QApplication::exec();
}

}  // namespace quillon
