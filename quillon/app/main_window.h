// The main window: information box, the command file list, the sentence editor
// of the file shown, the Download button and the progress bar, with a menu bar
// and a status bar that shows the device state. The window wires these
// controls to the settings, command file and download layers below it; it
// holds no logic of its own beyond what the controls show.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/system_locale.h"
#include "quillon/app/download_presenter.h"
#include "quillon/app/unsaved_changes.h"
#include "quillon/config/asr_settings.h"
#include "quillon/config/config_paths.h"
#include "quillon/config/working_directory.h"
#include "quillon/recognition/text_language.h"

class QAction;
class QComboBox;
class QDropEvent;
class QUndoGroup;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quillon {

class GradientProgressBar;
class SentenceTable;
class CommandFileDocument;
class CommandFileLoader;
class PronunciationColumn;
class PronunciationHints;
class SentenceConverter;
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
    // The pronunciation column: the engine's conversion and its marks, used
    // on this thread while no download runs.
    SentenceConverter* converter = nullptr;
    PronunciationHints* pronunciationHints = nullptr;
    // Asked before unsaved edits would be dropped.
    UnsavedChangesPrompt* unsavedPrompt = nullptr;
    // The workspaces File > Recent Workspaces offers; empty for none.
    QStringList recentWorkspaces;
  };

  explicit MainWindow(const Services& services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Reads the configuration, scans for the device and loads the last command
  // file. False when the device transport could not be configured (the
  // window still works, with an empty list).
  bool OnInitDialog();

  // Help > About (F1): the About box, modal.
  void OnAbout();

 signals:
  // File > Recent Workspaces: the window has closed so that the program can
  // start again in `directory`.
  void workspaceChosen(const QString& directory);

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateActions();
  void CreateMenus();
  void CreateStatusBar();
  void CreateEditing();
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
  // Reads the file and, when it is read, adds it (Add File after the dialog).
  void AddCommandFile(const QString& absolutePath);
  // True, with the message shown, when the list holds the most files it may.
  bool RefuseFullList();
  void LoadSelectedGroup();
  void SetFileListControlsEnabled(bool enabled);
  // Absolute path of the file the File List box selects; empty for none.
  QString SelectedFilePath() const;

  // Whether unsaved edits may be dropped (or left out of a download) now:
  // none, saved, or discarded. An edit still being typed is one of them.
  bool SettleUnsavedChanges(UnsavedQuestion question = UnsavedQuestion::BeforeDropping);
  void OnDropFiles(QDropEvent& event);
  void OnRecentWorkspace(const QString& directory);

  // The sentence editor.
  bool LoadCommandFile(const QString& absolutePath);
  void ClearSentenceView();
  void ShowDocument(std::unique_ptr<CommandFileDocument> document);
  // The table from the document's visible rows and their pronunciations.
  void FillSentenceTable();
  void ShowPronunciation(int tableRow);
  // The title, the file's entry and Save File after every change.
  void ShowModifiedState();
  void OnListDoubleClick(int row, int column);
  // Commits the in-place editor's text, if it is open.
  void OnEditKillFocus();
  void OnSaveFile();
  void OnAddSentence();
  void OnDeleteSentence();
  // A download disables the sentence table for its whole length.
  void OnDownloadRunning(bool running);

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
  QPushButton* addSentence_ = nullptr;
  QPushButton* deleteSentence_ = nullptr;
  SentenceTable* sentenceTable_ = nullptr;
  InPlaceEditor* inPlaceEditor_ = nullptr;
  QPushButton* downloadButton_ = nullptr;
  GradientProgressBar* progressBar_ = nullptr;
  QLabel* deviceMessage_ = nullptr;  // why there is no device, why a download failed
  QLabel* deviceState_ = nullptr;    // "No device", "Device connected", "Downloading"
  bool deviceConnected_ = false;     // what the last scan found
  QLabel* fileWarnings_ = nullptr;  // the reader's warnings about the file shown

  QAction* addFileAction_ = nullptr;
  QAction* saveFileAction_ = nullptr;
  QAction* saveListAction_ = nullptr;
  QAction* quitAction_ = nullptr;
  QAction* downloadAction_ = nullptr;
  QAction* rescanAction_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* addSentenceAction_ = nullptr;
  QAction* deleteSentenceAction_ = nullptr;
  QUndoGroup* undoGroup_ = nullptr;

  platform::SystemLocale systemLocale_;
  AsrSettings asrSettings_;
  // The file the sentence table shows; it saves under its own name only.
  std::unique_ptr<CommandFileDocument> document_;
  std::unique_ptr<PronunciationColumn> pronunciations_;
  // The document row of each table row.
  std::vector<std::size_t> tableRows_;
  bool downloadRunning_ = false;
  int shownEntry_ = -1;  // the line of the file last loaded or added
  int editRow_ = -1;
  int editColumn_ = -1;

  std::unique_ptr<device::PackageSource> packageSource_;
  std::unique_ptr<DownloadPresenter> downloadPresenter_;
};

}  // namespace quillon
