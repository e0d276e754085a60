// The main window: information box, the command file list, the sentence editor
// of the file shown, the Download button and the progress bar, with a menu bar
// and a status bar that shows the device state. The window wires these
// controls to the settings, command file and download layers below it; it
// holds no logic of its own beyond what the controls show.
#pragma once

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/system_locale.h"
#include "quillon/app/download_presenter.h"
#include "quillon/app/sentence_map.h"
#include "quillon/config/asr_settings.h"
#include "quillon/config/config_paths.h"
#include "quillon/config/working_directory.h"
#include "quillon/recognition/text_language.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quillon {

class GradientProgressBar;
class SentenceTable;
class CommandFileLoader;
class FileChooser;
class InPlaceEditor;
class MessageSink;
class PronunciationEngine;

namespace device {
class DeviceBackend;
class PackageSource;
}  // namespace device

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // What the window works with, owned by whoever starts it.
  struct Services {
    WorkingDirectory workingDirectory;
    FileChooser* fileChooser = nullptr;
    MessageSink* messages = nullptr;
    CommandFileLoader* commandFiles = nullptr;
    device::DeviceBackend* devices = nullptr;
    PronunciationEngine* engine = nullptr;
    // Builds the download image from the window's settings files.
    std::function<std::unique_ptr<device::PackageSource>()> createPackageSource;
    // Where the program lies; the engine data installed with it is found
    // from there when the workspace has none.
    std::filesystem::path programDirectory;
  };

  explicit MainWindow(const Services& services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Reads the configuration, scans for the device and loads the last command
  // file. False when the device transport could not be configured (the
  // window still works, with an empty list).
  bool OnInitDialog();

  // Help > About (F1): the About box, modal.
  void OnAbout();

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateActions();
  void CreateMenus();
  void CreateStatusBar();
  void SetTabOrder();
  // Opens at a comfortable size that still fits the screen it is on.
  void ResizeToFitScreen();
  // True when the key event is swallowed before it reaches its target.
  bool PreTranslateMessage(QObject* target, const QKeyEvent& key);

  // The command file list.
  void FillGroupList();
  void OnSelectGroup();
  void OnAddFile();
  void OnDeleteFile();
  void OnSaveList();
  void AddGroupEntry(const QString& absolutePath);
  void LoadSelectedGroup();
  void SetFileListControlsEnabled(bool enabled);
  // Absolute path of the file the File List box selects; empty for none.
  QString SelectedFilePath() const;

  // The sentence editor.
  bool LoadCommandFile(const QString& absolutePath);
  void ClearSentenceView();
  void OnListDoubleClick(int row, int column);
  void OnEditKillFocus();
  void OnSaveFile();

  // The download: the presenter's signals shown on the controls.
  void CreateDownload();
  void OnDownload();
  void OnRescan();
  void SetControlsEnabled(DownloadPresenter::Controls controls, bool enabled);
  void ShowDeviceState(bool connected, const QString& problem);
  void ShowDownloadOutcome(bool complete, const QString& problem);
  void ShowDeviceMessage(const QString& message);

  Services services_;

  QPlainTextEdit* informationBox_ = nullptr;
  QComboBox* fileList_ = nullptr;
  QPushButton* addFile_ = nullptr;
  QPushButton* deleteFile_ = nullptr;
  QPushButton* saveList_ = nullptr;
  QPushButton* saveFile_ = nullptr;
  SentenceTable* sentenceTable_ = nullptr;
  InPlaceEditor* inPlaceEditor_ = nullptr;
  QPushButton* downloadButton_ = nullptr;
  GradientProgressBar* progressBar_ = nullptr;
  QLabel* deviceMessage_ = nullptr;  // why there is no device, why a download failed
  QLabel* deviceState_ = nullptr;    // "No device", "Device connected", "Downloading"
  bool deviceConnected_ = false;     // what the last scan found

  QAction* addFileAction_ = nullptr;
  QAction* saveFileAction_ = nullptr;
  QAction* saveListAction_ = nullptr;
  QAction* quitAction_ = nullptr;
  QAction* downloadAction_ = nullptr;
  QAction* rescanAction_ = nullptr;
  QAction* aboutAction_ = nullptr;

  platform::SystemLocale systemLocale_;
  AsrSettings asrSettings_;
  SentenceMap sentences_;
  // The file whose sentences the view shows, so Save File never writes them
  // under another file's name.
  QString shownFile_;
  FileEncoding shownFileEncoding_ = FileEncoding::None;  // Save File writes UTF-8 files back as UTF-8
  int editRow_ = -1;
  int editColumn_ = -1;

  std::unique_ptr<device::PackageSource> packageSource_;
  std::unique_ptr<DownloadPresenter> downloadPresenter_;
};

}  // namespace quillon
