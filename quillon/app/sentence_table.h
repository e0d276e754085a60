// The sentence list of the file shown: a report view with grid lines and
// whole-row selection, an "ID" column of 80 pixels and a "WORD" column that
// takes the rest of the width; the user resizes neither. Tab moves on to the
// next control rather than from cell to cell.
#pragma once

#include <QTableWidget>

namespace quillon {

class SentenceTable final : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kIdColumn = 0;
  static constexpr int kWordColumn = 1;
  static constexpr int kIdColumnWidth = 80;
  static constexpr int kWordColumnWidth = 350;  // the least it is given

  explicit SentenceTable(QWidget* parent = nullptr);

  // Adds a row after the others: the ID as "%3d" and the sentence.
  void AppendSentence(int id, const QString& sentence);
  QString CellText(int row, int column) const;
  void SetCellText(int row, int column, const QString& text);
  void DeleteAllItems() { setRowCount(0); }

  // Both columns at their widths and a dozen rows; at least a few rows.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  QSize SizeFor(int columnsWidth, int rows) const;
};

}  // namespace quillon
