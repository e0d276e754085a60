#include "quillon/app/gradient_bands.h"

#include <algorithm>
#include <cstdlib>

namespace quillon {

int FilledWidth(int position, int upperBound, int width) {
  if (upperBound == 0) return 0;
  return static_cast<int>(static_cast<float>(position) / static_cast<float>(upperBound) *
                          static_cast<float>(width));
}

GradientLayout LayOutGradient(ColorRef start, ColorRef end, int width, int filledWidth) {
  const Rgb from = RgbFromColorRef(start);
  const Rgb to = RgbFromColorRef(end);
  const int deltaRed = to.red - from.red;
  const int deltaGreen = to.green - from.green;
  const int deltaBlue = to.blue - from.blue;
  const int bandCount =
      std::max({std::abs(deltaRed), std::abs(deltaGreen), std::abs(deltaBlue)});

  GradientLayout layout;
  if (bandCount == 0) return layout;

  const float count = static_cast<float>(bandCount);
  const float bandWidth = static_cast<float>(width) / count;
  const float stepRed = static_cast<float>(deltaRed) / count;
  const float stepGreen = static_cast<float>(deltaGreen) / count;
  const float stepBlue = static_cast<float>(deltaBlue) / count;
  auto channel = [](std::uint8_t base, int index, float step) {
    return static_cast<std::uint8_t>(
        static_cast<int>(static_cast<float>(base) + static_cast<float>(index) * step) & 0xFF);
  };

  layout.bands.reserve(static_cast<std::size_t>(bandCount));
  for (int i = 0; i < bandCount; ++i) {
    GradientBand band;
    band.left = static_cast<int>(static_cast<float>(i) * bandWidth);
    band.right = static_cast<int>(static_cast<float>(i + 1) * bandWidth);
    band.color = {channel(from.red, i, stepRed), channel(from.green, i, stepGreen),
                  channel(from.blue, i, stepBlue)};
    layout.bands.push_back(band);
    if (band.right > filledWidth) {
      layout.backgroundLeft = band.right;
      break;
    }
  }
  return layout;
}

}  // namespace quillon
