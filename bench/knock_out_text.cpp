// The knock-out of a styled text over a 24-megapixel box: the text's black-on-white picture read once,
// the floating picture and its mask written once.
#include <QPainter>
#include <QPen>

#include "BenchPictures.h"
#include "text/KnockOutText.h"

using namespace BenchPictures;

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

// A picture like the text's: black strokes on white in rows, with soft grey edges as anti-aliased
// letters have, and a few coloured pixels.
static Platform::PicturePtr Scratch() {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  QPainter p(&pic->Image());
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(Qt::black, 14));
  for (int y = 100; y < kHeight; y += 200)
    for (int x = 20; x + 120 < kWidth; x += 150) {
      p.drawEllipse(QRectF(x + 0.5, y + 0.5, 100, 120));
      p.drawLine(QPointF(x + 120.5, y), QPointF(x + 130.5, y + 130));
    }
  p.end();
  for (int x = 0; x < kWidth; x += 7) pic->SetPixel(x, kHeight / 2, Platform::RGB(200, 30, 30));
  return pic;
}

static void BM_KnockOut(benchmark::State& state) {
  const Platform::PicturePtr scratch = Scratch();
  auto floating = Platform::Picture::Create(kWidth, kHeight, 32);
  floating->Mask();
  for (auto _ : state) StyledTextDrawing::Knock_Out_Text(*scratch, *floating, 0xC00000);
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_KnockOut);
BENCHMARK_MAIN();
