#include "quillon/app/dialog_units.h"

#include <QFontMetrics>

namespace quillon {
namespace {

// units × base / divisor, rounded to the nearest pixel.
int Scale(int units, int base, int divisor) {
  const long long product = static_cast<long long>(units) * base;
  return static_cast<int>((product >= 0 ? product + divisor / 2 : product - divisor / 2) /
                          divisor);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& dialogFont) {
  const QFontMetrics metrics(dialogFont);
  // The average width of the 52 Latin letters, rounded, as dialog templates
  // have always measured their font.
  const int alphabetWidth = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseX_ = (alphabetWidth / 26 + 1) / 2;
  baseY_ = metrics.height();
}

int DialogUnits::ToPixelsX(int units) const { return Scale(units, baseX_, 4); }
int DialogUnits::ToPixelsY(int units) const { return Scale(units, baseY_, 8); }

QRect DialogUnits::ToPixels(const DialogRect& rect) const {
  return QRect(ToPixelsX(rect.x), ToPixelsY(rect.y), ToPixelsX(rect.width),
               ToPixelsY(rect.height));
}

}  // namespace quillon
