#include "quillon/app/sentence_table.h"

#include <QHeaderView>
#include <QScrollBar>

namespace quillon {
namespace {

constexpr int kPreferredRows = 12;
constexpr int kLeastRows = 2;

}  // namespace

SentenceTable::SentenceTable(QWidget* parent) : QTableWidget(0, 3, parent) {
  setHorizontalHeaderLabels({QStringLiteral("ID"), QStringLiteral("WORD"), QStringLiteral("PRONUNCIATION")});
  QHeaderView* header = horizontalHeader();
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Column borders can be neither dragged nor double-clicked to resize.
  header->setSectionResizeMode(kIdColumn, QHeaderView::Fixed);
  header->setSectionResizeMode(kWordColumn, QHeaderView::Stretch);
  header->setSectionResizeMode(kPronunciationColumn, QHeaderView::Fixed);
  setColumnWidth(kPronunciationColumn, kPronunciationColumnWidth);
  header->setSectionsMovable(false);
  setColumnWidth(kIdColumn, kIdColumnWidth);
  verticalHeader()->hide();
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Cells change only through the window's own in-place editor.
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
}

void SentenceTable::AppendSentence(int id, const QString& sentence) {
  const int row = rowCount();
  insertRow(row);
  setItem(row, kIdColumn, new QTableWidgetItem(QString::asprintf("%3d", id)));
  setItem(row, kWordColumn, new QTableWidgetItem(sentence));
  setItem(row, kPronunciationColumn, new QTableWidgetItem);
}

void SentenceTable::SetPronunciation(int row, const QString& text, const QString& toolTip, Mark mark) {
  QTableWidgetItem* cell = item(row, kPronunciationColumn);
  if (cell == nullptr) return;
  cell->setText(text);
  cell->setToolTip(toolTip.isEmpty() ? text : toolTip);
  cell->setForeground(mark == Mark::Failure ? QBrush(Qt::red) : QBrush());
  cell->setBackground(mark == Mark::Note ? QBrush(QColor(0xFF, 0xF4, 0xC8)) : QBrush());
}

QString SentenceTable::CellText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void SentenceTable::SetCellText(int row, int column, const QString& text) {
  if (QTableWidgetItem* cell = item(row, column)) {
    cell->setText(text);
  } else {
    setItem(row, column, new QTableWidgetItem(text));
  }
}

QSize SentenceTable::SizeFor(int columnsWidth, int rows) const {
  const int frame = 2 * frameWidth();
  const int scrollBar = verticalScrollBar()->sizeHint().width();
  return {columnsWidth + scrollBar + frame,
          horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize() +
              frame};
}

QSize SentenceTable::sizeHint() const {
  return SizeFor(kIdColumnWidth + kWordColumnWidth + kPronunciationColumnWidth, kPreferredRows);
}

QSize SentenceTable::minimumSizeHint() const {
  return SizeFor(kIdColumnWidth + kWordColumnWidth / 4 + kPronunciationColumnWidth, kLeastRows);
}

}  // namespace quillon
