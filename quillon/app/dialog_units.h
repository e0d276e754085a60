// Dialog units: control positions are given in units of the dialog font (a
// quarter of its average character width across, an eighth of its height
// down), so the window keeps its proportions whatever font the system has.
#pragma once

#include <QFont>
#include <QRect>

namespace quillon {

struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& dialogFont);
  DialogUnits(int baseUnitX, int baseUnitY) : baseX_(baseUnitX), baseY_(baseUnitY) {}

  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  QRect ToPixels(const DialogRect& rect) const;

  int BaseUnitX() const { return baseX_; }
  int BaseUnitY() const { return baseY_; }

 private:
  int baseX_;
  int baseY_;
};

}  // namespace quillon
