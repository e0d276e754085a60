// The command file list: one line per command file, its place giving the
// group number; adding, deleting, selecting and saving the list.
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>

#include "quillon/app/file_chooser.h"
#include "quillon/app/file_list_save.h"
#include "quillon/app/group_line.h"
#include "quillon/app/main_window.h"
#include "quillon/app/relative_path.h"
#include "quillon/config/number_text.h"
#include "quillon/config/user_message.h"

namespace quillon {
namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The box keeps its lines sorted by text, as a sorted drop-down list does;
// the zero-padded group numbers make that the table's order.
int AddSortedLine(QComboBox& box, const QString& line) {
  int index = 0;
  while (index < box.count() && box.itemText(index).compare(line, Qt::CaseInsensitive) <= 0) {
    ++index;
  }
  box.insertItem(index, line);
  return index;
}

}  // namespace

void MainWindow::SetFileListControlsEnabled(bool enabled) {
  fileList_->setEnabled(enabled);
  addFile_->setEnabled(enabled);
  saveList_->setEnabled(enabled);
  deleteFile_->setEnabled(enabled);
}

QString MainWindow::SelectedFilePath() const {
  const int selected = fileList_->currentIndex();
  if (selected < 0 || selected >= asrSettings_.count) return {};
  const auto& entry = asrSettings_.files[static_cast<std::size_t>(selected)];
  return QString::fromStdU16String(
      services_.workingDirectory.Resolve(entry.PathName.view()).u16string());
}

void MainWindow::LoadSelectedGroup() {
  const QString path = SelectedFilePath();
  SetFileListControlsEnabled(false);
  LoadCommandFile(path);
  SetFileListControlsEnabled(true);
  shownEntry_ = fileList_->currentIndex();
  // A failed load leaves the earlier file's sentences in view while the box
  // names another file: Save File follows that.
  ShowModifiedState();
}

void MainWindow::FillGroupList() {
  fileList_->clear();
  for (int i = 0; i < asrSettings_.count; ++i) {
    const auto& entry = asrSettings_.files[static_cast<std::size_t>(i)];
    AddSortedLine(*fileList_, ToQString(GroupLine(entry.GroupID, entry.PathName.view())));
  }
  if (fileList_->count() > 0) {
    fileList_->setCurrentIndex(fileList_->count() - 1);
    LoadSelectedGroup();
  } else {
    ClearSentenceView();
  }
}

void MainWindow::OnSelectGroup() {
  // The box already names the new file: a cancelled question puts it back.
  if (!SettleUnsavedChanges()) {
    fileList_->setCurrentIndex(shownEntry_);
    return;
  }
  LoadSelectedGroup();
}

bool MainWindow::RefuseFullList() {
  if (fileList_->count() < static_cast<int>(kMaxAsrFiles)) return false;
  services_.messages->Show({u"The number of ASR files exceeds the upper limit!\r\nMaximal Number: " +
                                FormatDecimal(kMaxAsrFiles) + u"\r\n",
                            u"Error", MessageIcon::Stop});
  return true;
}

void MainWindow::AddCommandFile(const QString& absolutePath) {
  SetFileListControlsEnabled(false);
  if (LoadCommandFile(absolutePath)) AddGroupEntry(absolutePath);
  SetFileListControlsEnabled(true);
  shownEntry_ = fileList_->currentIndex();
  ShowModifiedState();
}

void MainWindow::OnAddFile() {
  if (RefuseFullList() || !SettleUnsavedChanges()) return;
  const std::optional<QString> chosen = services_.fileChooser->ChooseCommandFile(this);
  if (!chosen) return;
  std::error_code ignored;
  std::filesystem::current_path(services_.workingDirectory.path(), ignored);
  AddCommandFile(*chosen);
  addFile_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::OnDropFiles(QDropEvent& event) {
  QStringList files;
  for (const QUrl& url : event.mimeData()->urls()) {
    const QFileInfo file(url.toLocalFile());
    // The same files the open-file dialog offers: existing .txt files.
    if (url.isLocalFile() && file.isFile() && file.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0) {
      files.append(file.absoluteFilePath());
    }
  }
  if (files.isEmpty() || !SettleUnsavedChanges()) return;
  event.acceptProposedAction();
  for (const QString& file : files) {
    if (RefuseFullList()) break;
    AddCommandFile(file);
  }
}

void MainWindow::AddGroupEntry(const QString& absolutePath) {
  const int n = fileList_->count();
  auto& entry = asrSettings_.files[static_cast<std::size_t>(n)];
  entry.GroupID = n;
  entry.PathName = MakeRelativePath(services_.workingDirectory.text(), absolutePath.toStdU16String());
  AddSortedLine(*fileList_, ToQString(GroupLine(n, entry.PathName.view())));
  asrSettings_.count = fileList_->count();
  fileList_->setCurrentIndex(n);
}

void MainWindow::OnDeleteFile() {
  const int lines = fileList_->count();
  if (lines == 0 || !SettleUnsavedChanges()) return;
  const int selected = fileList_->currentIndex();
  fileList_->clear();
  for (int a = 0; a + 1 < lines; ++a) {
    auto& entry = asrSettings_.files[static_cast<std::size_t>(a)];
    // Group numbers stay with the places: later files move up one group.
    if (a >= selected) entry.PathName = asrSettings_.files[static_cast<std::size_t>(a + 1)].PathName;
    AddSortedLine(*fileList_, ToQString(GroupLine(entry.GroupID, entry.PathName.view())));
  }
  asrSettings_.files[static_cast<std::size_t>(lines - 1)] = {};
  asrSettings_.count = fileList_->count();

  if (fileList_->count() == 0) {
    ClearSentenceView();
    shownEntry_ = -1;
  } else {
    fileList_->setCurrentIndex(std::min(selected, fileList_->count() - 1));
    LoadSelectedGroup();
  }
  deleteFile_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::OnSaveList() {
  // Save List stays enabled after a failure: the list is still unsaved.
  if (const std::optional<UserMessage> failure = SaveFileList(services_.workingDirectory, asrSettings_)) {
    services_.messages->Show(*failure);
  }
}

}  // namespace quillon
