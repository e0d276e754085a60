// The sentence list: a report view with grid lines and whole-row selection,
// columns "ID" (80 px) and "WORD" (350 px) that the user cannot resize.
#pragma once

#include <QTableWidget>

namespace quillon {

class CMyListCtrl final : public QTableWidget {
 public:
  static constexpr int kIdColumn = 0;
  static constexpr int kWordColumn = 1;

  explicit CMyListCtrl(QWidget* parent = nullptr);

  // Adds a row after the others: the ID as "%3d" and the sentence.
  void AppendSentence(int id, const QString& sentence);
  QString CellText(int row, int column) const;
  void SetCellText(int row, int column, const QString& text);
  void DeleteAllItems() { setRowCount(0); }
};

}  // namespace quillon
