// The gradient progress bar: band arithmetic and the pixels it paints.
#include <QImage>
#include <QtTest>

#include "quillon/app/gradient_bands.h"
#include "quillon/app/gradient_progress_bar.h"

using quillon::GradientProgressBar;

namespace {

constexpr quillon::ColorRef kStart = 0xFF3232;
constexpr quillon::ColorRef kEnd = 0xFFF0F0;
constexpr quillon::ColorRef kBackground = 0xFF9696;
const QColor kBackgroundColor(0x96, 0x96, 0xFF);

// A bar with the main window's colours.
void SetUpLikeTheWindow(GradientProgressBar& bar, int width) {
  bar.SetRange(0, 100);
  bar.SetStartColor(kStart);
  bar.SetEndColor(kEnd);
  bar.SetBkColor(kBackground);
  bar.SetTextColor(0x000000);
  bar.SetShowText(true);
  bar.resize(width, 20);
}

QImage Paint(GradientProgressBar& bar) { return bar.grab().toImage(); }

}  // namespace

class ProgressBarTest : public QObject {
  Q_OBJECT

 private slots:
  void HalfOfA380PixelBarEndsInTheBandAfter190() {
    const auto layout = quillon::LayOutGradient(kStart, kEnd, 380, quillon::FilledWidth(50, 100, 380));
    QCOMPARE(quillon::FilledWidth(50, 100, 380), 190);
    QCOMPARE(layout.bands.size(), std::size_t{96});
    QCOMPARE(layout.bands.back().left, 190);
    QCOMPARE(layout.bands.back().right, 192);
    QCOMPARE(layout.backgroundLeft, 192);
    QCOMPARE(layout.bands.front().color, (quillon::Rgb{50, 50, 255}));
    QCOMPARE(layout.bands[95].color, (quillon::Rgb{145, 145, 255}));
  }

  void FullBarHas190BandsAndNoBackground() {
    const auto layout = quillon::LayOutGradient(kStart, kEnd, 380, 380);
    QCOMPARE(layout.bands.size(), std::size_t{190});
    QCOMPARE(layout.bands.back().right, 380);
    QCOMPARE(layout.backgroundLeft, -1);
    QCOMPARE(layout.bands.back().color, (quillon::Rgb{239, 239, 255}));
  }

  void EqualColoursGiveNoBands() {
    const auto layout = quillon::LayOutGradient(0x123456, 0x123456, 380, 190);
    QVERIFY(layout.bands.empty());
  }

  void BandEdgesTruncateFractionalWidths() {
    // 190 bands on 300 pixels: 1.5789... pixels each.
    const auto layout = quillon::LayOutGradient(kStart, kEnd, 300, 300);
    QCOMPARE(layout.bands[1].left, 1);
    QCOMPARE(layout.bands[1].right, 3);
    QCOMPARE(layout.bands.back().right, 300);
  }

  void PaintsBandsTo192ThenBackground() {
    GradientProgressBar bar;
    SetUpLikeTheWindow(bar, 380);
    bar.SetPos(50);
    const QImage image = Paint(bar);
    QCOMPARE(image.pixelColor(0, 10), QColor(50, 50, 255));
    QCOMPARE(image.pixelColor(2, 0), QColor(51, 51, 255));
    QCOMPARE(image.pixelColor(191, 19), QColor(145, 145, 255));
    QCOMPARE(image.pixelColor(192, 10), kBackgroundColor);
    QCOMPARE(image.pixelColor(379, 19), kBackgroundColor);
  }

  void FullPositionPaintsNoBackground() {
    GradientProgressBar bar;
    SetUpLikeTheWindow(bar, 380);
    bar.SetPos(100);
    const QImage image = Paint(bar);
    QCOMPARE(image.pixelColor(379, 10), QColor(239, 239, 255));
  }

  void EqualColoursShowTheBackground() {
    GradientProgressBar bar;
    SetUpLikeTheWindow(bar, 380);
    bar.SetEndColor(kStart);
    bar.SetPos(50);
    const QImage image = Paint(bar);
    QCOMPARE(image.pixelColor(0, 0), kBackgroundColor);
    QCOMPARE(image.pixelColor(379, 19), kBackgroundColor);
  }

  void OutOfRangeKeepsTheLastDrawing() {
    GradientProgressBar bar;
    SetUpLikeTheWindow(bar, 380);
    bar.SetPos(100);
    Paint(bar);
    bar.SetPos(0);
    const QImage image = Paint(bar);
    QCOMPARE(image.pixelColor(379, 10), QColor(239, 239, 255));
  }
};

QTEST_MAIN(ProgressBarTest)
#include "app_progress_bar_test.moc"
