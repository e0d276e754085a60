// The download progress bar: a left-to-right gradient of solid bands over a
// background colour, with an optional centred text. The owner writes the fields
// and repaints; painting reads only the fields.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include "quillon/app/gradient_bands.h"

namespace quillon {

class GradientProgressBar final : public QWidget {
  Q_OBJECT

 public:
  explicit GradientProgressBar(QWidget* parent = nullptr);

  void SetRange(int lower, int upper);
  // Stores the position and asks for a repaint.
  void SetPos(int position);
  int GetPos() const { return position_; }
  int LowerBound() const { return lower_; }
  int UpperBound() const { return upper_; }

  void SetStartColor(ColorRef color) { start_ = color; }
  void SetEndColor(ColorRef color) { end_ = color; }
  void SetBkColor(ColorRef color) { background_ = color; }
  void SetTextColor(ColorRef color) { textColor_ = color; }
  void SetShowText(bool show) { showText_ = show; }
  void SetText(const QString& text) { text_ = text; }

  // As tall as a line of its text with a little room; any width.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  static constexpr int kHintWidthInCharacters = 40;
  static constexpr int kTextMargin = 4;

  // Draws the bands, the background and the text off screen, so the widget
  // receives the whole bar in one copy.
  QPixmap DrawGradient(int filledWidth) const;

  int lower_ = 0;
  int upper_ = 100;
  int position_ = 0;
  ColorRef start_ = 0x0000FF;
  ColorRef end_ = 0xFF0000;
  ColorRef background_;
  ColorRef textColor_ = 0xFFFFFF;
  bool showText_ = false;
  QString text_;
  // Out of range the bar keeps showing what it drew last.
  QPixmap lastFrame_;
};

}  // namespace quillon
