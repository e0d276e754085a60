#include "quillon/app/my_list_ctrl.h"

#include <QHeaderView>

namespace quillon {

CMyListCtrl::CMyListCtrl(QWidget* parent) : QTableWidget(0, 2, parent) {
  setHorizontalHeaderLabels({QStringLiteral("ID"), QStringLiteral("WORD")});
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Column borders can be neither dragged nor double-clicked to resize.
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionsMovable(false);
  horizontalHeader()->setStretchLastSection(false);
  setColumnWidth(kIdColumn, 80);
  setColumnWidth(kWordColumn, 350);
  verticalHeader()->hide();
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Cells change only through the window's own in-place editor.
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
}

void CMyListCtrl::AppendSentence(int id, const QString& sentence) {
  const int row = rowCount();
  insertRow(row);
  setItem(row, kIdColumn, new QTableWidgetItem(QString::asprintf("%3d", id)));
  setItem(row, kWordColumn, new QTableWidgetItem(sentence));
}

QString CMyListCtrl::CellText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void CMyListCtrl::SetCellText(int row, int column, const QString& text) {
  if (QTableWidgetItem* cell = item(row, column)) {
    cell->setText(text);
  } else {
    setItem(row, column, new QTableWidgetItem(text));
  }
}

}  // namespace quillon
