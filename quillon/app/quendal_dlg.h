// The main window: information box, the command file list, the sentence editor
// of the file shown, the Download button and the progress bar. The window
// wires these controls to the settings, command file and download layers below
// it; it holds no logic of its own beyond what the controls show.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/system_locale.h"
#include "quillon/app/sentence_map.h"
#include "quillon/config/asr_settings.h"
#include "quillon/config/config_paths.h"
#include "quillon/config/working_directory.h"
#include "quillon/recognition/text_language.h"

class QComboBox;
class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSocketNotifier;

namespace quillon {

class CGradientProgressCtrl;
class CMyListCtrl;
class CommandFileLoader;
class FileChooser;
class InPlaceEditor;
class MessageSink;
class PronunciationEngine;
class QtDownloadTimers;
class QtDownloadView;

namespace device {
class DeviceBackend;
class DownloadController;
class PackageSource;
class Transport;
}  // namespace device

// What a control reports with an event: the list's item and sub-item for a
// double click, nothing otherwise.
struct ControlNotification {
  int item = -1;
  int subItem = -1;
};

enum class ControlEvent { Clicked, SelectionChanged, DoubleClicked, KillFocus };

class CQuendalDlg final : public QDialog {
 public:
  static constexpr int kAboutCommand = 16;
  static constexpr int kMinimizeCommand = 0xF020;
  static constexpr int kCloseCommand = 0xF060;

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

  CQuendalDlg(const Services& services, QWidget* parent = nullptr);
  ~CQuendalDlg() override;

  // Sets the window up, reads the configuration, scans for the device and
  // loads the last command file. False when the device transport could not be
  // configured (the window still works, with an empty list).
  bool OnInitDialog();

  // A command of the window's menu: 16 opens the About box; the rest behave
  // as in any window (minimise, close).
  void OnSysCommand(int commandId, int parameter);
  // The window's menu, ending with a separator and "&About" (command 16).
  std::unique_ptr<QMenu> CreateSystemMenu();

  // Shows the device status in the information box and resets the bar.
  void RefreshInformation();

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  using Handler = void (CQuendalDlg::*)(const ControlNotification&);
  struct MessageMapEntry {
    ControlEvent event;
    int controlId;
    Handler handler;
  };
  static const std::array<MessageMapEntry, 8> kMessageMap;

  void CreateControls();
  QWidget* Control(int controlId) const;
  void BindMessageMap();
  // True when the key event is swallowed before it reaches its target.
  bool PreTranslateMessage(QObject* target, const QKeyEvent& key);

  // The command file list.
  void FillGroupList();
  void OnSelectGroup(const ControlNotification&);
  void OnAddFile(const ControlNotification&);
  void OnDeleteFile(const ControlNotification&);
  void OnSaveList(const ControlNotification&);
  void AddGroupEntry(const QString& absolutePath);
  void LoadSelectedGroup();
  void SetFileListControlsEnabled(bool enabled);
  // Absolute path of the file the File List box selects; empty for none.
  QString SelectedFilePath() const;

  // The sentence editor.
  bool LoadCommandFile(const QString& absolutePath);
  void ClearSentenceView();
  void OnListDoubleClick(const ControlNotification& notification);
  void OnEditKillFocus(const ControlNotification&);
  void OnSaveFile(const ControlNotification&);

  // The download.
  void CreateDownload();
  void OnDownload(const ControlNotification&);

  Services services_;

  QGroupBox* informationFrame_ = nullptr;
  QPlainTextEdit* informationBox_ = nullptr;
  QComboBox* fileList_ = nullptr;
  QPushButton* addFile_ = nullptr;
  QPushButton* deleteFile_ = nullptr;
  QPushButton* saveList_ = nullptr;
  QPushButton* saveFile_ = nullptr;
  CMyListCtrl* sentenceList_ = nullptr;
  InPlaceEditor* inPlaceEditor_ = nullptr;
  QPushButton* downloadButton_ = nullptr;
  CGradientProgressCtrl* progressBar_ = nullptr;

  platform::SystemLocale systemLocale_;
  AsrSettings asrSettings_;
  SentenceMap sentences_;
  // The file whose sentences the view shows, so Save File never writes them
  // under another file's name.
  QString shownFile_;
  FileEncoding shownFileEncoding_ = FileEncoding::None;  // Save File writes UTF-8 files back as UTF-8
  int editRow_ = -1;
  int editColumn_ = -1;

  std::unique_ptr<device::Transport> transport_;
  std::unique_ptr<QtDownloadView> downloadView_;
  std::unique_ptr<QtDownloadTimers> downloadTimers_;
  std::unique_ptr<device::PackageSource> packageSource_;
  std::unique_ptr<device::DownloadController> downloadController_;
  std::unique_ptr<QSocketNotifier> deviceChanges_;
};

}  // namespace quillon
