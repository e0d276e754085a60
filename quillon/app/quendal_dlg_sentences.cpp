// The sentence editor: the list of the shown command file's sentences, the
// in-place editor over a WORD cell, and Save File.
#include <QComboBox>
#include <QPushButton>

#include "quillon/app/command_file_loader.h"
#include "quillon/app/command_file_save.h"
#include "quillon/app/in_place_editor.h"
#include "quillon/app/my_list_ctrl.h"
#include "quillon/app/quendal_dlg.h"
#include "quillon/config/number_text.h"
#include "quillon/config/user_message.h"

namespace quillon {

bool CQuendalDlg::LoadCommandFile(const QString& absolutePath) {
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
      sentenceList_->AppendSentence(id, QString::fromStdU16String(text));
    }
  }
  shownFile_ = absolutePath;
  shownFileEncoding_ = loaded.encoding;
  return true;
}

void CQuendalDlg::ClearSentenceView() {
  sentences_.clear();
  shownFile_.clear();
  sentenceList_->DeleteAllItems();
  saveFile_->setEnabled(false);
}

void CQuendalDlg::OnListDoubleClick(const ControlNotification& notification) {
  if (notification.subItem != CMyListCtrl::kWordColumn) return;
  editRow_ = notification.item;
  editColumn_ = CMyListCtrl::kWordColumn;

  const QTableWidgetItem* cell = sentenceList_->item(editRow_, editColumn_);
  QRect place = sentenceList_->visualItemRect(cell);
  place.moveTopLeft(sentenceList_->viewport()->mapTo(this, place.topLeft()));
  inPlaceEditor_->setGeometry(place);
  inPlaceEditor_->raise();
  inPlaceEditor_->setText(sentenceList_->CellText(editRow_, editColumn_));
  inPlaceEditor_->show();
  inPlaceEditor_->end(false);
  inPlaceEditor_->setFocus(Qt::OtherFocusReason);
}

void CQuendalDlg::OnEditKillFocus(const ControlNotification&) {
  if (editRow_ == -1 || editColumn_ == -1) return;
  const int row = editRow_;
  const int column = editColumn_;
  // Closed before hiding: hiding the editor must not commit twice.
  editRow_ = -1;
  editColumn_ = -1;
  const QString edited = inPlaceEditor_->text();
  if (edited != sentenceList_->CellText(row, column)) {
    sentenceList_->SetCellText(row, column, edited);
    saveFile_->setEnabled(true);
  }
  inPlaceEditor_->hide();
}

void CQuendalDlg::OnSaveFile(const ControlNotification&) {
  const QString target = SelectedFilePath();
  // The view may still show an earlier file after a failed load; its
  // sentences never go under another file's name.
  if (!target.isEmpty() && target == shownFile_) {
    for (int row = 0; row < sentenceList_->rowCount(); ++row) {
      const std::int32_t id =
          ParseDecimal(sentenceList_->CellText(row, CMyListCtrl::kIdColumn).trimmed().toStdU16String());
      const auto found = sentences_.find(id);
      if (found != sentences_.end()) {
        found->second = sentenceList_->CellText(row, CMyListCtrl::kWordColumn).trimmed().toStdU16String();
      }
    }
    SaveCommandFile(target.toStdU16String(), sentences_, shownFileEncoding_, systemLocale_);
  }
  saveFile_->setEnabled(false);
  sentenceList_->setFocus(Qt::OtherFocusReason);
}

}  // namespace quillon
