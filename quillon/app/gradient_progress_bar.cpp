#include "quillon/app/gradient_progress_bar.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPalette>

namespace quillon {
namespace {

QColor ToQColor(ColorRef color) {
  const Rgb rgb = RgbFromColorRef(color);
  return QColor(rgb.red, rgb.green, rgb.blue);
}

ColorRef ToColorRef(const QColor& color) {
  return static_cast<ColorRef>(color.red()) | (static_cast<ColorRef>(color.green()) << 8) |
         (static_cast<ColorRef>(color.blue()) << 16);
}

}  // namespace

GradientProgressBar::GradientProgressBar(QWidget* parent)
    : QWidget(parent), background_(ToColorRef(QApplication::palette().color(QPalette::Button))) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize GradientProgressBar::sizeHint() const {
  return {fontMetrics().averageCharWidth() * kHintWidthInCharacters,
          fontMetrics().height() + kTextMargin};
}

QSize GradientProgressBar::minimumSizeHint() const { return {kTextMargin, sizeHint().height()}; }

void GradientProgressBar::SetRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
}

void GradientProgressBar::SetPos(int position) {
  position_ = position;
  update();
}

QPixmap GradientProgressBar::DrawGradient(int filledWidth) const {
  // Drawn at the screen's resolution, laid out in the widget's own units.
  QPixmap frame(size() * devicePixelRatioF());
  frame.setDevicePixelRatio(devicePixelRatioF());
  frame.fill(ToQColor(background_));
  QPainter painter(&frame);
  const GradientLayout layout = LayOutGradient(start_, end_, width(), filledWidth);
  for (const GradientBand& band : layout.bands) {
    const Rgb& c = band.color;
    painter.fillRect(QRect(band.left, 0, band.right - band.left, height() + 1),
                     QColor(c.red, c.green, c.blue));
  }
  if (layout.backgroundLeft >= 0 && layout.backgroundLeft < width()) {
    painter.fillRect(QRect(layout.backgroundLeft, 0, width() - layout.backgroundLeft, height()),
                     ToQColor(background_));
  }
  if (showText_) {
    painter.setFont(font());
    painter.setPen(ToQColor(textColor_));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
  }
  return frame;
}

void GradientProgressBar::paintEvent(QPaintEvent*) {
  if (lower_ < position_ && position_ <= upper_) {
    lastFrame_ = DrawGradient(FilledWidth(position_, upper_, width()));
  }
  if (lastFrame_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, lastFrame_);
}

}  // namespace quillon
