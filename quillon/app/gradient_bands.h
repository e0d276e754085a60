// The band arithmetic of the gradient progress bar: the filled part is a row of
// solid vertical bands stepping from the start colour towards the end colour,
// one band per colour step of the widest channel, the rest is background.
// Computed in single precision so the band edges land where users know them.
#pragma once

#include <cstdint>
#include <vector>

namespace quillon {

// 0x00BBGGRR, the colour layout the bar's settings are given in.
using ColorRef = std::uint32_t;

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline Rgb RgbFromColorRef(ColorRef color) {
  return {static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
          static_cast<std::uint8_t>(color >> 16)};
}

struct GradientBand {
  int left = 0;   // first column
  int right = 0;  // one past the last column
  Rgb color;
  bool operator==(const GradientBand&) const = default;
};

struct GradientLayout {
  std::vector<GradientBand> bands;
  // First background column (up to the bar's width), or -1 when the bands end
  // the bar and no background is drawn.
  int backgroundLeft = -1;
};

// Filled width for `position` of `upperBound` on a bar `width` pixels wide.
int FilledWidth(int position, int upperBound, int width);

// Bands for a bar `width` pixels wide filled up to `filledWidth`: bands are laid
// until the first whose right edge passes the filled width (that band is drawn
// whole), then the background takes the rest.
GradientLayout LayOutGradient(ColorRef start, ColorRef end, int width, int filledWidth);

}  // namespace quillon
