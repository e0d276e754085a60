// Test backends for the main window: a file dialog that answers from a list,
// a command file reader that answers from a table, a package of fixed bytes
// and a machine without devices. The window under test is the real one,
// shown offscreen.
#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "quillon/app/command_file_loader.h"
#include "quillon/app/unsaved_changes.h"
#include "quillon/app/file_chooser.h"
#include "quillon/app/pronunciation_engine.h"
#include "quillon/app/main_window.h"
#include "quillon/config/user_message.h"
#include "quillon/device/device_backend.h"
#include "quillon/device/package_source.h"
#include "quillon/recognition/sentence_pronunciation.h"
#include "app_listed_hints.h"
#include "recognition_fake_converter.h"

namespace quillon::testing {

class ScriptedFileChooser final : public FileChooser {
 public:
  std::optional<QString> ChooseCommandFile(QWidget*) override {
    ++asked;
    if (answers.empty()) return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<QString> answers;
  int asked = 0;
};

class TableCommandFileLoader final : public CommandFileLoader {
 public:
  CommandFileLoad Load(const std::filesystem::path& commandFile) override {
    loaded.push_back(commandFile);
    const auto found = files.find(commandFile);
    if (found == files.end()) return {UserMessage{u"Fail to open file!"}, {}};
    return {std::nullopt, found->second, std::nullopt, warnings[commandFile]};
  }
  std::map<std::filesystem::path, LoadedCommandFile> files;
  std::map<std::filesystem::path, std::vector<LineDiagnostic>> warnings;
  std::vector<std::filesystem::path> loaded;
};

// Holds the download worker at the start of its image build while closed, so
// a test sees the window in the middle of a download however fast the device.
class DownloadGate {
 public:
  void Close() {
    const std::lock_guard lock(mutex_);
    open_ = false;
  }
  void Open() {
    {
      const std::lock_guard lock(mutex_);
      open_ = true;
    }
    opened_.notify_all();
  }
  void Pass() {
    std::unique_lock lock(mutex_);
    opened_.wait(lock, [this] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = true;
};

class FixedPackageSource final : public device::PackageSource {
 public:
  FixedPackageSource(std::vector<std::uint8_t> image, DownloadGate& gate)
      : image_(std::move(image)), gate_(gate) {}
  void ReadSettings() override {}
  std::uint32_t PreparePackageEntries(MessageSink&) override {
    gate_.Pass();
    return 0;
  }
  std::size_t PackageLength() override { return image_.size(); }
  std::uint32_t FillPackage(std::span<std::uint8_t> image) override {
    std::copy(image_.begin(), image_.end(), image.begin());
    return 0;
  }
  std::uint16_t BlockCount() override {
    return static_cast<std::uint16_t>((image_.size() + 0xFFFF) / 0x10000);
  }
  std::filesystem::path UserImagePath() override { return {}; }

 private:
  std::vector<std::uint8_t> image_;
  DownloadGate& gate_;
};

// A machine with no speech-recognition device attached; the storage nodes in
// `unopenableNodes` exist but the user may not open them.
class NoDevices final : public device::DeviceBackend, device::PassThroughBackend,
                        device::DeviceEnumerator, device::DeviceChangeSource {
 public:
  device::PassThroughBackend& PassThrough() override { return *this; }
  device::DeviceEnumerator& Enumerator() override { return *this; }
  device::DeviceChangeSource& Changes() override { return *this; }

  device::OpenResult Open(std::string_view) override {
    if (!unopenableNodes.empty()) return {device::kNoHandle, kErrorAccessDenied, EACCES};
    return {device::kNoHandle, kErrorFileNotFound};
  }
  void Close(device::DeviceHandle) override {}
  bool QueryBusIsUsb(device::DeviceHandle) override { return false; }
  ResultCode Execute(device::DeviceHandle, device::PassThroughRecord&) override {
    return kErrorDevNotExist;
  }
  std::vector<device::UsbStorageCandidate> ListUsbStorageDevices() override { return {}; }
  std::vector<device::StorageInterface> ListStorageInterfaces() override {
    std::vector<device::StorageInterface> nodes;
    for (const std::string& node : unopenableNodes) nodes.push_back({node, "usb-1"});
    return nodes;
  }
  int NotificationFd() const override { return -1; }
  std::vector<device::DeviceChange> TakeEvents() override { return {}; }
  std::uint32_t CurrentDriveMask() override { return 0; }

  std::vector<std::string> unopenableNodes;
};

// Answers the unsaved-changes question as told and keeps the files it was
// asked about.
class ScriptedUnsavedPrompt final : public UnsavedChangesPrompt {
 public:
  UnsavedChoice Ask(QWidget*, const QString& fileName, UnsavedQuestion question) override {
    asked.append(fileName);
    questions.push_back(question);
    return answer;
  }
  UnsavedChoice answer = UnsavedChoice::Discard;
  QStringList asked;
  std::vector<UnsavedQuestion> questions;
};

class RecordingEngine final : public PronunciationEngine {
 public:
  void Init(const std::string& dataDirectory) override { calls.push_back("init " + dataDirectory); }
  void Release() override { calls.push_back("release"); }
  std::vector<std::string> calls;
};

// A workspace in a fresh temporary folder and the window started in it.
class WindowUnderTest {
 public:
  explicit WindowUnderTest(device::DeviceBackend* devices = nullptr) {
    QVERIFY(folder.isValid());
    root = std::filesystem::path(folder.path().toStdString());
    std::filesystem::create_directories(root / "Recipe");
    std::filesystem::create_directories(root / "Setting" / "ASR");
    std::filesystem::create_directories(root / "Setting" / "Voice");
    std::filesystem::create_directories(root / "Setting" / "Firmware");
    std::filesystem::create_directories(root / "cmd");
    devices_ = devices != nullptr ? devices : &noDevices;
  }
  // A failed check may leave the worker held: it ends before the window.
  ~WindowUnderTest() {
    gate.Open();
    window.reset();
  }

  // Constructs the window and runs its start-up.
  MainWindow& Start(std::vector<std::uint8_t> image = std::vector<std::uint8_t>(4096, 0x5A)) {
    std::optional<WorkingDirectory> directory = WorkingDirectory::FromPath(root);
    const MainWindow::Services services{
        .workingDirectory = *directory,
        .fileChooser = &files,
        .messages = &messages,
        .commandFiles = &commandFiles,
        .devices = devices_,
        .engine = &engine,
        .createPackageSource =
            [this, image] { return std::make_unique<FixedPackageSource>(image, gate); },
        .programDirectory = {},
        .converter = &converter,
        .pronunciationHints = &hints,
        .unsavedPrompt = &unsavedPrompt,
        .recentWorkspaces = {}};
    window = std::make_unique<MainWindow>(services);
    window->OnInitDialog();
    window->show();
    // Focus moves (the in-place editor's commit) need the active window.
    window->activateWindow();
    windowActive = QTest::qWaitForWindowActive(window.get());
    return *window;
  }

  // A command file on disk and what the reader makes of it.
  std::filesystem::path AddCommandFile(const std::string& name, LoadedCommandFile content) {
    const std::filesystem::path path = root / "cmd" / name;
    std::ofstream(path) << "0x1 placeholder\n";
    commandFiles.files[path] = std::move(content);
    return path;
  }

  template <typename T>
  T* Find(const char* objectName) const {
    return window->findChild<T*>(QString::fromLatin1(objectName));
  }
  QComboBox* FileList() const { return Find<QComboBox>("fileList"); }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  QAction* Action(const char* name) const { return Find<QAction>(name); }
  QString Information() const { return Find<QPlainTextEdit>("informationBox")->toPlainText(); }
  void Click(const char* name) const { QTest::mouseClick(Button(name), Qt::LeftButton); }

  QTemporaryDir folder;
  std::filesystem::path root;
  ScriptedFileChooser files;
  RecordingMessageSink messages;
  TableCommandFileLoader commandFiles;
  RecordingEngine engine;
  FakeSentenceConverter converter;
  ListedHints hints;
  ScriptedUnsavedPrompt unsavedPrompt;
  NoDevices noDevices;
  DownloadGate gate;
  std::unique_ptr<MainWindow> window;
  bool windowActive = false;

 private:
  device::DeviceBackend* devices_ = nullptr;
};

struct ShownSentence {
  std::int32_t id;
  std::u16string text;
};

// What the reader makes of a file holding `sentences`, of which `visible`
// are shown.
inline LoadedCommandFile Sentences(const std::vector<ShownSentence>& sentences,
                                   VisibleIdSet visible) {
  LoadedCommandFile loaded;
  for (const ShownSentence& sentence : sentences) {
    SentenceRecord record;
    record.id = sentence.id;
    loaded.records.push_back(record);
    loaded.displayTexts.push_back(sentence.text);
  }
  loaded.visibleIds = std::move(visible);
  return loaded;
}

}  // namespace quillon::testing
