// The diagonal blur with its half-size pyramid, sharpening against it, nearest-neighbour resampling
// and pixelation.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

#include "core/PictureOps.h"
#include "core/VectorCode.h"
#include "effects/EffectFilters.h"
#include "effects/PixelRows.h"
#include "platform/Graphics.h"
#include "platform/Numbers.h"

namespace EffectFilters {

using Platform::ToInt;

namespace {

// Rows are passed on one at a time. A source gives row y: a row of its picture, or the scratch row it
// filled. A sink says where row y of the result is to be written and hears when it is there.
using RowSource = std::function<const QRgb*(int y, QRgb* scratch)>;
struct RowSink {
  std::function<QRgb*(int y)> place;
  std::function<void(int y, QRgb* row)> done;
};

// True when drawing the picture onto white gives its own pixels: no mask level other than opaque (white
// shown as transparent over white is white again).
bool DrawsAsItself(const Picture& pic) {
  const PicturePtr mask = pic.MaskIfAny();
  if (!mask) return true;
  const QImage& m = mask->Image();
  for (int y = 0; y < m.height(); ++y) {
    const uchar* row = m.constScanLine(y);
    uchar any = 0;
    for (int x = 0; x < m.width(); ++x) any |= row[x];
    if (any) return false;
  }
  return true;
}

// What the filters draw from: the picture itself, or, where its mask lets white through, the picture as
// drawn at its own size onto a new white 32-bit picture.
PicturePtr DrawableSource(const PicturePtr& pic) {
  if (DrawsAsItself(*pic)) return pic;
  PicturePtr c = Picture::Create(pic->Width(), pic->Height(), 32);
  Platform::Graphics g = c->Graphics();
  g.DrawPicture(pic, 0, 0);
  return c;
}

// The rows of a picture: its own rows when it is a 32-bit picture, else 32-bit copies.
RowSource RowsOf(const Picture& pic) {
  if (pic.Image().format() == QImage::Format_RGB32)
    return [&pic](int y, QRgb*) { return reinterpret_cast<const QRgb*>(pic.Image().constScanLine(y)); };
  return [&pic](int y, QRgb* scratch) {
    ReadRow(pic, y, scratch);
    return static_cast<const QRgb*>(scratch);
  };
}

// Result rows written straight into a 32-bit picture, then run through the maps when given.
RowSink IntoPicture(Picture& pic, const RowMaps* then = nullptr) {
  RowSink sink;
  sink.place = [&pic](int y) { return reinterpret_cast<QRgb*>(pic.Image().scanLine(y)); };
  if (then) sink.done = [then, w = pic.Width()](int, QRgb* row) { then->Apply(row, w); };
  return sink;
}

// ---- The half-transparent draw ----
// The blend layer's mask level 127 lets the layer's component s through with weight 128/255 over the
// component d beneath with weight 127/255, each share rounded to a whole level as the masked draw of a
// picture rounds it: round(s x 128 / 255) + round(d x 127 / 255). For levels 0 to 255 that is exactly
// half of s rounded up plus half of d rounded down, so a colour mixed with itself stays that colour.
// dst[i] becomes the mix of shifted[i] over self[i], byte by byte (the alpha bytes stay 255).
PIXMURA_VECTOR_CLONES
void MixInto(uint8_t* __restrict dst, const uint8_t* __restrict self, const uint8_t* __restrict shifted, int bytes) {
  for (int i = 0; i < bytes; ++i) dst[i] = uint8_t(((shifted[i] + 1) >> 1) + (self[i] >> 1));
}

// One row of a step that draws the layer at a shift of n columns (to the left for fromRight, the layer
// then showing the pixel n columns to the right) over self: other is the row of the layer that lands on
// this row, none when it lies outside the picture. Pixels whose shifted place lies outside keep their
// colour.
void StepRow(QRgb* dst, const QRgb* self, const QRgb* other, int w, int n, bool fromRight) {
  if (!other) {
    std::memcpy(dst, self, size_t(w) * 4);
    return;
  }
  const int bytes = (w - n) * 4;
  auto b = [](const QRgb* p) { return reinterpret_cast<const uint8_t*>(p); };
  if (fromRight) {
    MixInto(reinterpret_cast<uint8_t*>(dst), b(self), b(other + n), bytes);
    std::memcpy(dst + (w - n), self + (w - n), size_t(n) * 4);
  } else {
    std::memcpy(dst, self, size_t(n) * 4);
    MixInto(reinterpret_cast<uint8_t*>(dst + n), b(self + n), b(other), bytes);
  }
}

// The diagonal pass of strength n over a w x h picture whose rows come from in, each finished row going
// to out in order. Its four steps draw the layer at (-n, -n), (-n, n), (n, n) and (n, -n), each mixing a
// pixel with the one the shift brings over it as the previous step left that pixel. The steps run
// together down the picture: row y of a step is made as soon as the rows of the step before that it
// needs are there, so only n + 1 rows of each step are kept. Row y of the result is placed after every
// row up to y + 2n has been taken from in, and no row above that is taken again, so the result may be
// written over the rows of the picture being read.
void DiagonalStream(int w, int h, int n, const RowSource& in, const RowSink& out) {
  const int keep = n + 1;
  std::vector<QRgb> buffers(size_t(keep) * 4 * size_t(w));
  auto ring = [&](int step, int y) { return buffers.data() + (size_t(step) * keep + size_t(y % keep)) * size_t(w); };
  std::vector<const QRgb*> source(size_t(keep), nullptr);
  auto fetch = [&](int y) { source[size_t(y % keep)] = in(y, ring(0, y)); };
  auto src = [&](int y) { return source[size_t(y % keep)]; };
  for (int y = 0; y < std::min(n, h); ++y) fetch(y);
  for (int k = 0; k < h + n; ++k) {
    if (k < h) {
      if (k + n < h) fetch(k + n);
      // Step 1 takes from row k + n, steps 2 and 3 from row k - n, of the step before.
      StepRow(ring(1, k), src(k), k + n < h ? src(k + n) : nullptr, w, n, true);
      StepRow(ring(2, k), ring(1, k), k >= n ? ring(1, k - n) : nullptr, w, n, true);
      StepRow(ring(3, k), ring(2, k), k >= n ? ring(2, k - n) : nullptr, w, n, false);
    }
    // Step 4 takes from row y + n of step 3.
    const int y = k - n;
    if (y < 0) continue;
    QRgb* row = out.place(y);
    StepRow(row, ring(3, y), y + n < h ? ring(3, y + n) : nullptr, w, n, false);
    if (out.done) out.done(y, row);
  }
}

// The whole of pic drawn scaled onto a new w x h picture; throws OutOfMemoryException when that picture
// cannot be made. The scaling writes every pixel: the picture is not made white first.
PicturePtr Scaled(const PicturePtr& pic, int32_t w, int32_t h) {
  PicturePtr out = Picture::CreateUnfilled(w, h, 32);
  const PicturePtr src = DrawableSource(pic);
  PictureOps::ScaleInto(*src, QRect(0, 0, src->Width(), src->Height()), *out);
  return out;
}

// The size of a picture scaled to percent %; empty when it is not to be scaled. A side that would come
// out as nothing keeps one pixel.
QSize PercentSize(const Picture& pic, double percent) {
  const double s = percent / 100;
  const double tw = s * pic.Width(), th = s * pic.Height();
  if (percent == 100 || tw == 0 || th == 0) return QSize();
  auto side = [](double v) {
    const int32_t n = ToInt(v);
    return n == 0 ? 1 : n;
  };
  return QSize(side(tw), side(th));
}

// The blur of src (drawn as itself, radius not 0), row by row into out. Every picture it needs is made
// here; one that cannot be made is an OutOfMemoryException.
void BlurRows(const PicturePtr& src, double radius, const RowSink& out) {
  const int w = src->Width(), h = src->Height();
  if (radius > 1) {
    // The pyramid: a half-size copy blurred less strongly, scaled back up and smoothed by one
    // strength-1 pass; the scaling up feeds the pass row by row.
    const int32_t smaller = ToInt(radius - std::round(radius * 0.4));
    const QSize half = PercentSize(*src, 50);
    PicturePtr c = half.isEmpty() ? Blur(src, smaller) : BlurOver(Scaled(src, half.width(), half.height()), smaller);
    std::vector<int> xs(size_t(w), 0);
    for (int x = 0; x < w; ++x) xs[size_t(x)] = PictureOps::ScaledIndex(x, 0, c->Width(), w);
    const RowSource small = RowsOf(*c);
    std::vector<QRgb> line(static_cast<size_t>(c->Width()));
    DiagonalStream(w, h, 1, [&](int y, QRgb* row) {
      PictureOps::ScaleRow(small(PictureOps::ScaledIndex(y, 0, c->Height(), h), line.data()), c->Width(), xs.data(), row, w);
      return static_cast<const QRgb*>(row);
    }, out);
    return;
  }
  // Passes of strength n down to 1; shifts of the whole width or height change nothing and are skipped.
  const int32_t strength = std::min(ToInt(std::abs(radius)), std::max(0, std::min(w, h) - 1));
  PicturePtr c = src;
  for (int n = strength; n >= 2; --n) {
    // Every row of it is written by the pass.
    PicturePtr next = Picture::CreateUnfilled(w, h, 32);
    DiagonalStream(w, h, n, RowsOf(*c), IntoPicture(*next));
    c = next;
  }
  if (strength >= 1) {
    DiagonalStream(w, h, 1, RowsOf(*c), out);
    return;
  }
  // A strength below 1: the copy itself.
  const RowSource rows = RowsOf(*c);
  std::vector<QRgb> scratch(static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {
    QRgb* row = out.place(y);
    const QRgb* from = rows(y, scratch.data());
    if (row != from) std::memcpy(row, from, size_t(w) * 4);
    if (out.done) out.done(y, row);
  }
}

}  // namespace

PicturePtr Blur(const PicturePtr& pic, double radius, const RowMaps* then) {
  if (radius == 0) return pic;
  if (!pic) return nullptr;
  // Every row of the result is written: it is not made white first.
  PicturePtr result = Picture::CreateUnfilled(pic->Width(), pic->Height(), 32);
  BlurRows(DrawableSource(pic), radius, IntoPicture(*result, then));
  return result;
}

PicturePtr BlurOver(const PicturePtr& pic, double radius, const RowMaps* then) {
  if (radius == 0 || !pic || pic->Image().format() != QImage::Format_RGB32) return Blur(pic, radius, then);
  BlurRows(DrawableSource(pic), radius, IntoPicture(*pic, then));
  return pic;
}

void Sharpen(const PicturePtr& pic, double amount, double radius, Progress* progress) {
  if (amount == 0 || !pic) return;
  if (radius < 1) radius = 1;
  const double f = amount / 100;
  const int w = pic->Width(), h = pic->Height();
  ProgressJob job(progress, w - 1, h - 1);
  // Each row is sharpened as soon as its blurred row is there: the blur has read what it needs of it.
  std::vector<QRgb> blurred(static_cast<size_t>(w)), own(static_cast<size_t>(w));
  const bool direct = pic->Image().format() == QImage::Format_RGB32;
  RowSink sink;
  sink.place = [&](int) { return blurred.data(); };
  sink.done = [&](int y, QRgb*) {
    QRgb* row = direct ? reinterpret_cast<QRgb*>(pic->Image().scanLine(y)) : own.data();
    if (!direct) ReadRow(*pic, y, row);
    SharpenRow(row, blurred.data(), w, f);
    if (!direct) WriteRow(*pic, y, row);
    job.Row(w - 1);
  };
  BlurRows(DrawableSource(pic), radius, sink);
}

PicturePtr ResizePercent(const PicturePtr& pic, double percent) {
  if (!pic) return nullptr;
  const QSize size = PercentSize(*pic, percent);
  if (size.isEmpty()) return pic;
  return ResizeTo(pic, size.width(), size.height());
}

PicturePtr ResizeTo(const PicturePtr& pic, int32_t w, int32_t h) {
  if (!pic) return nullptr;
  if (w == 0 && h == 0) return pic;
  try {
    return Scaled(pic, w, h);
  } catch (const Platform::OutOfMemoryException&) {
    return pic;
  }
}

void Pixelize(const PicturePtr& pic, double factor) {
  if (!(factor > 1) || !pic) return;
  const int w = pic->Width(), h = pic->Height();
  // Every side keeps at least one pixel.
  const int32_t sw = std::max(1, ToInt(std::round(w / factor)));
  const int32_t sh = std::max(1, ToInt(std::round(h / factor)));
  const PicturePtr small = Scaled(pic, sw, sh);
  const QRect whole(0, 0, sw, sh);
  if (pic->Image().format() == QImage::Format_RGB32) {
    PictureOps::ScaleInto(*small, whole, *pic);
    return;
  }
  const PicturePtr big = PictureOps::Scale(*small, whole, w, h, 32);
  ForEachRow(*pic, [&](QRgb* row, int width, int y) { std::memcpy(row, big->Image().constScanLine(y), size_t(width) * 4); });
}

}  // namespace EffectFilters
