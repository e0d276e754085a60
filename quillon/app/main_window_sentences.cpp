// The sentence editor: the table of the shown command file's sentences with
// their pronunciations, the in-place editor over an ID or WORD cell, adding and
// deleting sentences, undo and redo, and Save File.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QUndoGroup>
#include <algorithm>

#include "quillon/app/command_file_document.h"
#include "quillon/app/command_file_loader.h"
#include "quillon/app/group_line.h"
#include "quillon/app/in_place_editor.h"
#include "quillon/app/main_window.h"
#include "quillon/app/polyphone_notes.h"
#include "quillon/app/pronunciation_column.h"
#include "quillon/app/sentence_table.h"
#include "quillon/config/user_message.h"
#include "quillon/recognition/recognition_messages.h"
#include "quillon/recognition/sentence_record.h"

namespace quillon {
namespace {

const QString kUnsavedMarker = QStringLiteral(" *");

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The loader's warnings for the status bar: how many, the first one, and
// every one in the tooltip, each with its line.
void ShowWarnings(QLabel& label, const std::filesystem::path& file, const std::vector<LineDiagnostic>& warnings) {
  if (warnings.empty()) {
    label.clear();
    label.setToolTip({});
    return;
  }
  const QString name = QString::fromStdString(file.filename().string());
  QStringList lines;
  for (const LineDiagnostic& warning : warnings) {
    lines.append(name + QLatin1Char(':') + QString::number(warning.line) + QStringLiteral(": ") +
                 ToQString(warning.message));
  }
  label.setText(QObject::tr("%n warning(s): %1", nullptr, static_cast<int>(warnings.size())).arg(lines.front()));
  label.setToolTip(lines.join(QLatin1Char('\n')));
}

// Why the ID typed over a sentence's ID was refused; the row keeps its ID.
UserMessage IdRefusedMessage(const SentenceRow& row, std::u16string_view problem) {
  const std::u16string id = QString::number(row.id).toStdU16String();
  return {u"The ID of the sentence \"" + row.text + u"\" stays " + id + u":\r\n" + std::u16string(problem) + u".",
          u"Sentence ID", MessageIcon::Warning};
}

}  // namespace

bool MainWindow::LoadCommandFile(const QString& absolutePath) {
  const std::filesystem::path path = absolutePath.toStdU16String();
  const CommandFileLoad load = services_.commandFiles->Load(path);
  ShowWarnings(*fileWarnings_, path, load.warnings);
  if (!load.ok()) {
    services_.messages->Show(*load.failure);
    return false;
  }
  ShowDocument(std::make_unique<CommandFileDocument>(path, load.content));
  return true;
}

void MainWindow::ClearSentenceView() {
  ShowDocument(nullptr);
  fileWarnings_->clear();
}

void MainWindow::ShowDocument(std::unique_ptr<CommandFileDocument> document) {
  pronunciations_->SetDocument(document.get());
  document_ = std::move(document);
  if (document_) {
    undoGroup_->addStack(&document_->undoStack());
    if (!downloadRunning_) undoGroup_->setActiveStack(&document_->undoStack());
    connect(document_.get(), &CommandFileDocument::modifiedChanged, this, [this] { ShowModifiedState(); });
  }
  sentenceTable_->DeleteAllItems();  // another file: no row of it is chosen yet
  FillSentenceTable();
  ShowModifiedState();
}

void MainWindow::FillSentenceTable() {
  // The table is filled again after every edit: the row the user was on
  // stays chosen, so Delete Sentence never removes another one.
  const int currentRow = sentenceTable_->currentRow();
  const int currentColumn = std::max(sentenceTable_->currentColumn(), 0);
  tableRows_ = document_ ? document_->VisibleRows() : std::vector<std::size_t>{};
  sentenceTable_->DeleteAllItems();
  for (std::size_t i = 0; i < tableRows_.size(); ++i) {
    const SentenceRow& row = document_->rows()[tableRows_[i]];
    sentenceTable_->AppendSentence(row.id, ToQString(row.text));
    ShowPronunciation(static_cast<int>(i));
  }
  if (currentRow >= 0 && sentenceTable_->rowCount() > 0) {
    sentenceTable_->setCurrentCell(std::min(currentRow, sentenceTable_->rowCount() - 1), currentColumn);
  }
}

void MainWindow::ShowPronunciation(int tableRow) {
  const std::size_t row = tableRows_[static_cast<std::size_t>(tableRow)];
  const SentencePronunciation* pronunciation = pronunciations_->At(row);
  if (pronunciation == nullptr) {
    sentenceTable_->SetPronunciation(tableRow, {}, {}, SentenceTable::Mark::None);
    return;
  }
  if (pronunciation->failure) {
    sentenceTable_->SetPronunciation(tableRow, ToQString(*pronunciation->failure), ToQString(*pronunciation->failure),
                                     SentenceTable::Mark::Failure);
    return;
  }
  QString shown = ToQString(pronunciation->display).trimmed();
  QStringList notes;
  if (!pronunciation->guessedWords.empty()) {
    QStringList words;
    for (const std::u16string& word : pronunciation->guessedWords) words.append(ToQString(word));
    shown += QStringLiteral("  [") + tr("guessed: %1").arg(words.join(QStringLiteral(", "))) + QLatin1Char(']');
    notes.append(tr("Read by letter-to-sound (no dictionary entry): %1").arg(words.join(QStringLiteral(", "))));
  }
  notes.append(PolyphoneNotes(document_->rows()[row].text, *pronunciation));
  sentenceTable_->SetPronunciation(tableRow, shown, notes.join(QLatin1Char('\n')),
                                   notes.isEmpty() ? SentenceTable::Mark::None : SentenceTable::Mark::Note);
}

void MainWindow::ShowModifiedState() {
  const bool modified = document_ && document_->isModified();
  // Save File writes the shown file while the box names it, so a failed
  // load of another file never leaves it saving the earlier one's rows.
  const bool shownIsSelected =
      document_ && SelectedFilePath() == QString::fromStdU16String(document_->file().u16string());
  setWindowModified(modified);
  // The file's entry carries the marker while it has unsaved edits.
  for (int i = 0; i < fileList_->count() && i < asrSettings_.count; ++i) {
    const auto& entry = asrSettings_.files[static_cast<std::size_t>(i)];
    const QString line = ToQString(GroupLine(entry.GroupID, entry.PathName.view()));
    const bool marked = modified && shownIsSelected && i == fileList_->currentIndex();
    fileList_->setItemText(i, marked ? line + kUnsavedMarker : line);
  }
  // An open editor counts as an edit: Ctrl+S while typing the first change
  // commits and saves it.
  const bool editing = editRow_ != -1;
  saveFile_->setEnabled((modified || editing) && shownIsSelected && !downloadRunning_);
  addSentence_->setEnabled(shownIsSelected && !downloadRunning_);
  deleteSentence_->setEnabled(shownIsSelected && !downloadRunning_ && sentenceTable_->selectionModel()->hasSelection());
}

void MainWindow::OnListDoubleClick(int row, int column) {
  if (column != SentenceTable::kWordColumn && column != SentenceTable::kIdColumn) return;
  editRow_ = row;
  editColumn_ = column;

  // The editor lies in the table's viewport, over the cell.
  inPlaceEditor_->setGeometry(sentenceTable_->visualItemRect(sentenceTable_->item(editRow_, editColumn_)));
  inPlaceEditor_->raise();
  // The ID cell pads its number; the editor holds the number alone.
  inPlaceEditor_->setText(sentenceTable_->CellText(editRow_, editColumn_).trimmed());
  inPlaceEditor_->show();
  inPlaceEditor_->end(false);
  inPlaceEditor_->setFocus(Qt::OtherFocusReason);
  ShowModifiedState();
}

void MainWindow::OnEditKillFocus() {
  if (editRow_ == -1 || editColumn_ == -1) return;
  const int row = editRow_;
  const int column = editColumn_;
  // Closed before hiding: hiding the editor must not commit twice.
  editRow_ = -1;
  editColumn_ = -1;
  const QString edited = inPlaceEditor_->text();
  inPlaceEditor_->hide();
  ShowModifiedState();  // the edit below shows itself again when it changes the file
  if (!document_ || row >= static_cast<int>(tableRows_.size())) return;
  const std::size_t documentRow = tableRows_[static_cast<std::size_t>(row)];
  if (column == SentenceTable::kWordColumn) {
    document_->SetText(documentRow, edited.toStdU16String());
    return;
  }
  const SentenceRow before = document_->rows()[documentRow];
  if (const std::optional<std::u16string> problem = document_->SetId(documentRow, edited.toStdU16String())) {
    services_.messages->Show(IdRefusedMessage(before, *problem));
  }
}

void MainWindow::OnSaveFile() {
  OnEditKillFocus();  // Ctrl+S while typing saves what is typed
  if (document_ && document_->isModified()) {
    if (const std::optional<UserMessage> failure = document_->Save(systemLocale_)) {
      // Save File stays enabled: the edits are still unsaved.
      services_.messages->Show(*failure);
    }
  }
  ShowModifiedState();
  sentenceTable_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::OnAddSentence() {
  if (!document_) return;
  const std::optional<std::size_t> added = document_->AddSentence();
  if (!added) {
    services_.messages->Show(TooManySentencesMessage(kMaxSentencesPerFile));
    return;
  }
  // The new row is the last one shown: its text is typed in at once.
  const int tableRow = sentenceTable_->rowCount() - 1;
  sentenceTable_->setCurrentCell(tableRow, SentenceTable::kWordColumn);
  sentenceTable_->scrollToItem(sentenceTable_->item(tableRow, SentenceTable::kWordColumn));
  OnListDoubleClick(tableRow, SentenceTable::kWordColumn);
}

void MainWindow::OnDeleteSentence() {
  // The row shown as selected, not merely the current one: the focus makes
  // the first row current without selecting it.
  const QModelIndexList chosen = sentenceTable_->selectionModel()->selectedRows();
  if (!document_ || chosen.isEmpty()) return;
  const int tableRow = chosen.front().row();
  if (tableRow >= static_cast<int>(tableRows_.size())) return;
  document_->DeleteSentence(tableRows_[static_cast<std::size_t>(tableRow)]);
  if (sentenceTable_->rowCount() > 0) {
    sentenceTable_->setCurrentCell(std::min(tableRow, sentenceTable_->rowCount() - 1), SentenceTable::kWordColumn);
  }
}

void MainWindow::OnDownloadRunning(bool running) {
  downloadRunning_ = running;
  // The download's worker converts with the engine: the column waits, and no
  // undo or redo may change a sentence until the download has ended.
  pronunciations_->SetDownloadRunning(running);
  undoGroup_->setActiveStack(running || !document_ ? nullptr : &document_->undoStack());
  ShowModifiedState();
}

bool MainWindow::SettleUnsavedChanges(UnsavedQuestion question) {
  // A menu command or a shortcut leaves the editor open: its text counts.
  OnEditKillFocus();
  return quillon::SettleUnsavedChanges(document_.get(), *services_.unsavedPrompt, *services_.messages, systemLocale_,
                                       this, question);
}

}  // namespace quillon
