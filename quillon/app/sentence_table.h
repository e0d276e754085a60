// The sentence list of the file shown: a report view with grid lines and
// whole-row selection, an "ID" column of 80 pixels, a "WORD" column that takes
// the rest of the width and a "PRONUNCIATION" column (what the engine makes of
// the sentence, the full text in its tooltip); the user resizes none. Tab moves on to the
// next control rather than from cell to cell.
#pragma once

#include <QTableWidget>

namespace quillon {

class SentenceTable final : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kIdColumn = 0;
  static constexpr int kWordColumn = 1;
  static constexpr int kPronunciationColumn = 2;
  static constexpr int kIdColumnWidth = 80;
  static constexpr int kWordColumnWidth = 350;  // the least it is given
  static constexpr int kPronunciationColumnWidth = 220;

  explicit SentenceTable(QWidget* parent = nullptr);

  // Adds a row after the others: the ID as "%3d" and the sentence.
  void AppendSentence(int id, const QString& sentence);
  QString CellText(int row, int column) const;
  // A row's pronunciation and the tooltip that explains its marks: red for a
  // sentence that cannot be downloaded, tinted for one with something to check.
  enum class Mark { None, Note, Failure };
  void SetPronunciation(int row, const QString& text, const QString& toolTip, Mark mark);
  void SetCellText(int row, int column, const QString& text);
  void DeleteAllItems() { setRowCount(0); }

  // Both columns at their widths and a dozen rows; at least a few rows.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  QSize SizeFor(int columnsWidth, int rows) const;
};

}  // namespace quillon
