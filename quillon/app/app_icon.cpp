#include "quillon/app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quillon {
namespace {

// Draws the 64-unit picture of icons/quillon.svg scaled to `size` pixels.
QPixmap IconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 64.0, size / 64.0);
  const QColor tile(0x32, 0x32, 0xFF);
  const QColor ink(0xF0, 0xF0, 0xFF);
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile);
  painter.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
  painter.setBrush(ink);
  painter.drawRoundedRect(QRectF(26, 12, 12, 24), 6, 6);
  painter.drawRect(QRectF(30, 44, 4, 8));
  painter.drawRoundedRect(QRectF(22, 50, 20, 4), 2, 2);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(ink, 4));
  QPainterPath cup;
  cup.moveTo(18, 30);
  cup.arcTo(QRectF(18, 16, 28, 28), 180, 180);
  painter.drawPath(cup);
  return pixmap;
}

}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(IconPixmap(size));
  return icon;
}

}  // namespace quillon
