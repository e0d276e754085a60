// The sentence editor: the list of the shown command file's sentences, the
// in-place editor over a WORD cell, and Save File.
#include <QComboBox>
#include <QPushButton>

#include "quillon/app/command_file_loader.h"
#include "quillon/app/command_file_save.h"
#include "quillon/app/in_place_editor.h"
#include "quillon/app/sentence_table.h"
#include "quillon/app/main_window.h"
#include "quillon/config/number_text.h"
#include "quillon/config/user_message.h"

namespace quillon {

bool MainWindow::LoadCommandFile(const QString& absolutePath) {
  const CommandFileLoad load = services_.commandFiles->Load(absolutePath.toStdU16String());
  if (!load.ok()) {
    services_.messages->Show(*load.failure);
    return false;
  }
  const LoadedCommandFile& loaded = load.content;
  ClearSentenceView();
  const std::size_t count = std::min(loaded.records.size(), loaded.displayTexts.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::int32_t id = loaded.records[i].id;
    const std::u16string& text = loaded.displayTexts[i];
    sentences_.emplace(id, text);
    if (loaded.visibleIds.contains(id)) {
      sentenceTable_->AppendSentence(id, QString::fromStdU16String(text));
    }
  }
  shownFile_ = absolutePath;
  shownFileEncoding_ = loaded.encoding;
  return true;
}

void MainWindow::ClearSentenceView() {
  sentences_.clear();
  shownFile_.clear();
  sentenceTable_->DeleteAllItems();
  saveFile_->setEnabled(false);
}

void MainWindow::OnListDoubleClick(int row, int column) {
  if (column != SentenceTable::kWordColumn) return;
  editRow_ = row;
  editColumn_ = SentenceTable::kWordColumn;

  // The editor lies in the table's viewport, over the cell.
  inPlaceEditor_->setGeometry(sentenceTable_->visualItemRect(sentenceTable_->item(editRow_, editColumn_)));
  inPlaceEditor_->raise();
  inPlaceEditor_->setText(sentenceTable_->CellText(editRow_, editColumn_));
  inPlaceEditor_->show();
  inPlaceEditor_->end(false);
  inPlaceEditor_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::OnEditKillFocus() {
  if (editRow_ == -1 || editColumn_ == -1) return;
  const int row = editRow_;
  const int column = editColumn_;
  // Closed before hiding: hiding the editor must not commit twice.
  editRow_ = -1;
  editColumn_ = -1;
  const QString edited = inPlaceEditor_->text();
  if (edited != sentenceTable_->CellText(row, column)) {
    sentenceTable_->SetCellText(row, column, edited);
    saveFile_->setEnabled(true);
  }
  inPlaceEditor_->hide();
}

void MainWindow::OnSaveFile() {
  const QString target = SelectedFilePath();
  // The view may still show an earlier file after a failed load; its
  // sentences never go under another file's name.
  if (!target.isEmpty() && target == shownFile_) {
    for (int row = 0; row < sentenceTable_->rowCount(); ++row) {
      const std::int32_t id =
          ParseDecimal(sentenceTable_->CellText(row, SentenceTable::kIdColumn).trimmed().toStdU16String());
      const auto found = sentences_.find(id);
      if (found != sentences_.end()) {
        found->second = sentenceTable_->CellText(row, SentenceTable::kWordColumn).trimmed().toStdU16String();
      }
    }
    SaveCommandFile(target.toStdU16String(), sentences_, shownFileEncoding_, systemLocale_);
  }
  saveFile_->setEnabled(false);
  sentenceTable_->setFocus(Qt::OtherFocusReason);
}

}  // namespace quillon
