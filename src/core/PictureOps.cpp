#include "core/PictureOps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VectorCode.h"

namespace PictureOps {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

// The picture's colour plane as RGB32: the picture itself, or a converted copy kept alive in holder.
const Picture& As32(const Picture& src, PicturePtr& holder) {
  if (src.Image().format() == QImage::Format_RGB32) return src;
  holder = src.CopyAtDepth(32);
  return *holder;
}

void Require32(const Picture& dst, int w, int h) {
  if (dst.Image().format() != QImage::Format_RGB32 || dst.Width() != w || dst.Height() != h)
    throw Platform::RuntimeException(QStringLiteral("The target picture is not a 32-bit picture of %1 x %2").arg(w).arg(h));
}

// Pixel planes: the first pixel and the distance between rows, in pixels.
struct ConstPlane {
  explicit ConstPlane(const Picture& p)
      : px(reinterpret_cast<const QRgb*>(p.Image().constBits())), stride(p.Image().bytesPerLine() / 4) {}
  const QRgb* Row(int y) const { return px + qsizetype(y) * stride; }
  const QRgb* px;
  qsizetype stride;
};
struct Plane {
  explicit Plane(Picture& p) : px(reinterpret_cast<QRgb*>(p.Image().bits())), stride(p.Image().bytesPerLine() / 4) {}
  QRgb* Row(int y) const { return px + qsizetype(y) * stride; }
  QRgb* px;
  qsizetype stride;
};

// Reports rows finished, one call per row.
void Report(const Progress& progress, int rows, int32_t unitsPerRow) {
  if (!progress) return;
  for (int i = 0; i < rows; ++i) progress(unitsPerRow);
}

// The whole number of a real by the program's conversion, for the coordinates of the free rotation.
inline int Floor(float v) {
  const int t = int(v);
  return t - (v < float(t));
}

// A quarter turn: dst is h wide and w high. Clockwise: dst(h-1-j, i) = src(i, j); otherwise
// dst(j, w-1-i) = src(i, j).
//
// When every target row starts on a cache line (64 bytes), the source is taken in bands of 16 rows,
// which give 16 neighbouring pixels (one whole cache line) of every target row: each target line is
// made in registers from four 4 x 4 blocks and written at once, past the caches (as a large memcpy
// writes), so that the target is neither read first nor left in the caches. The bands are taken in the
// order that fills each target row at rising addresses: from the bottom up for the clockwise turn, from
// the top down for the other; rows left over at the end (fewer than 16) go the general way.
//
// Otherwise the source is walked in bands of rows and blocks of columns so that both pictures are read
// and written in cache-sized pieces.
#if defined(__SSE2__)
// The 4 x 4 block of source rows r, r + ss, r + 2ss, r + 3ss (four pixels each) turned: out[k] is the
// k-th target row's four pixels, in target order.
template <bool Clockwise>
inline void TurnBlock4(const QRgb* r, qsizetype ss, __m128i out[4]) {
  const __m128i r0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r));
  const __m128i r1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + ss));
  const __m128i r2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + 2 * ss));
  const __m128i r3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + 3 * ss));
  // Target row k (source column k): r3[k], r2[k], r1[k], r0[k] clockwise, else r0[k], r1[k], r2[k], r3[k].
  const __m128i p0 = Clockwise ? r3 : r0, p1 = Clockwise ? r2 : r1, p2 = Clockwise ? r1 : r2, p3 = Clockwise ? r0 : r3;
  const __m128i t0 = _mm_unpacklo_epi32(p0, p1), t1 = _mm_unpacklo_epi32(p2, p3);
  const __m128i t2 = _mm_unpackhi_epi32(p0, p1), t3 = _mm_unpackhi_epi32(p2, p3);
  out[0] = _mm_unpacklo_epi64(t0, t1);
  out[1] = _mm_unpackhi_epi64(t0, t1);
  out[2] = _mm_unpacklo_epi64(t2, t3);
  out[3] = _mm_unpackhi_epi64(t2, t3);
}

// The whole cache lines of the turn, when every target row starts on one: bands of 16 source rows, from
// the first band of the turn's order, as many as there are; returns the number of source rows done.
template <bool Clockwise>
int QuarterTurnLines(const QRgb* sp, qsizetype ss, QRgb* dp, qsizetype ds, int w, int h, const Progress& progress) {
  const int bands = h / 16;
  for (int b = 0; b < bands; ++b) {
    // Target columns c0 to c0 + 15 of every target row: source rows h-1-c0 down to h-16-c0 (clockwise) or
    // c0 to c0 + 15.
    const int c0 = 16 * b;
    int i = 0;
    for (; i + 4 <= w; i += 4) {
      __m128i line[4][4];  // [target row][quarter of its line]
      for (int q = 0; q < 4; ++q) {
        __m128i out[4];
        // The q-th quarter of the line: target columns c0 + 4q to c0 + 4q + 3.
        const int j = Clockwise ? h - 4 - (c0 + 4 * q) : c0 + 4 * q;
        TurnBlock4<Clockwise>(sp + qsizetype(j) * ss + i, ss, out);
        for (int k = 0; k < 4; ++k) line[k][q] = out[k];
      }
      for (int k = 0; k < 4; ++k) {
        const qsizetype row = Clockwise ? i + k : w - 1 - (i + k);
        __m128i* o = reinterpret_cast<__m128i*>(dp + row * ds + c0);
        for (int q = 0; q < 4; ++q) _mm_stream_si128(o + q, line[k][q]);
      }
    }
    // The source columns left over (fewer than four), pixel by pixel.
    for (; i < w; ++i) {
      QRgb* o = dp + (Clockwise ? qsizetype(i) : qsizetype(w - 1 - i)) * ds + c0;
      for (int c = 0; c < 16; ++c) o[c] = sp[qsizetype(Clockwise ? h - 1 - (c0 + c) : c0 + c) * ss + i];
    }
    Report(progress, 16, w);
  }
  // The written lines reach memory before anything else is written.
  _mm_sfence();
  return 16 * bands;
}
#endif

template <bool Clockwise>
void QuarterTurn(const ConstPlane& s, int w, int h, const Plane& d, const Progress& progress) {
  constexpr int B = 128;
  // Pointers and strides in locals: the stores below cannot change them.
  const QRgb* const sp = s.px;
  QRgb* const dp = d.px;
  const qsizetype ss = s.stride, ds = d.stride;
  // Source rows [top, bottom) are left for the general way: those the whole lines did not take.
  int top = 0, bottom = h;
#if defined(__SSE2__)
  if (reinterpret_cast<quintptr>(dp) % 64 == 0 && ds % 16 == 0) {
    const int done = QuarterTurnLines<Clockwise>(sp, ss, dp, ds, w, h, progress);
    if (Clockwise) bottom = h - done;
    else top = done;
  }
#endif
  auto put = [&](int i, int j, QRgb c) {
    if (Clockwise) dp[qsizetype(i) * ds + (h - 1 - j)] = c;
    else dp[qsizetype(w - 1 - i) * ds + j] = c;
  };
  auto singleRow = [&](int j, int i0, int i1) {
    const QRgb* r = sp + qsizetype(j) * ss;
    for (int i = i0; i < i1; ++i) put(i, j, r[i]);
  };
  const int span = bottom - top;
  const int bands = (span + B - 1) / B;
  for (int b = 0; b < bands; ++b) {
    const int j0 = top + (Clockwise ? bands - 1 - b : b) * B, j1 = std::min(bottom, j0 + B);
    // Groups of four rows: clockwise from the band's bottom up, with the rows left over at its top;
    // otherwise from its top down, with the rows left over at its bottom.
    const int rest = (j1 - j0) % 4;
    const int g0 = Clockwise ? j0 + rest : j0, g1 = Clockwise ? j1 : j1 - rest;
    for (int i0 = 0; i0 < w; i0 += B) {
      const int i1 = std::min(w, i0 + B);
      for (int k = 0; k < (g1 - g0) / 4; ++k) {
        const int j = Clockwise ? g1 - 4 * (k + 1) : g0 + 4 * k;
        const QRgb* r = sp + qsizetype(j) * ss;
        int i = i0;
#if defined(__SSE2__)
        // Blocks of 4 x 4 pixels, turned in registers.
        for (; i + 4 <= i1; i += 4) {
          __m128i out[4];
          TurnBlock4<Clockwise>(r + i, ss, out);
          // Clockwise: columns h-4-j to h-1-j of rows i to i+3; otherwise columns j to j+3 of rows w-1-i
          // down to w-4-i.
          QRgb* o = Clockwise ? dp + qsizetype(i) * ds + (h - 4 - j) : dp + qsizetype(w - 1 - i) * ds + j;
          const qsizetype step = Clockwise ? ds : -ds;
          for (int m = 0; m < 4; ++m) _mm_storeu_si128(reinterpret_cast<__m128i*>(o + m * step), out[m]);
        }
#endif
        for (; i < i1; ++i)
          for (int jj = j; jj < j + 4; ++jj) put(i, jj, sp[qsizetype(jj) * ss + i]);
      }
      if (Clockwise)
        for (int j = g0 - 1; j >= j0; --j) singleRow(j, i0, i1);
      else
        for (int j = g1; j < j1; ++j) singleRow(j, i0, i1);
    }
    Report(progress, j1 - j0, w);
  }
}

// Mirrors the pixels of one plane (any pixel size) inside the picture, in place.
template <typename T>
void FlipInside(QImage& img, const QRect& a, bool horizontal) {
  const qsizetype stride = img.bytesPerLine();
  uchar* base = img.bits();
  auto row = [&](int y) { return reinterpret_cast<T*>(base + qsizetype(y) * stride) + a.left(); };
  if (horizontal) {
    for (int y = a.top(); y <= a.bottom(); ++y) std::reverse(row(y), row(y) + a.width());
  } else {
    for (int i = 0; i < a.height() / 2; ++i) std::swap_ranges(row(a.top() + i), row(a.top() + i) + a.width(), row(a.bottom() - i));
  }
}

// The same for an area that reaches outside the picture: the mirrored place of an outside pixel becomes
// white, as if the area had been copied into a white scratch picture and drawn back.
template <typename T>
void FlipPartly(QImage& img, const QRect& a, bool horizontal, T white) {
  const QRect in = a.intersected(QRect(0, 0, img.width(), img.height()));
  if (in.isEmpty()) return;
  const qsizetype stride = img.bytesPerLine();
  uchar* base = img.bits();
  auto at = [&](int x, int y) -> T& { return reinterpret_cast<T*>(base + qsizetype(y) * stride)[x]; };
  if (horizontal) {
    std::vector<T> line(size_t(in.width()));
    for (int y = in.top(); y <= in.bottom(); ++y) {
      for (int x = in.left(); x <= in.right(); ++x) {
        const int from = a.left() + a.right() - x;
        line[size_t(x - in.left())] = from >= in.left() && from <= in.right() ? at(from, y) : white;
      }
      for (int x = in.left(); x <= in.right(); ++x) at(x, y) = line[size_t(x - in.left())];
    }
  } else {
    std::vector<T> copy(size_t(in.width()) * size_t(in.height()));
    for (int y = in.top(); y <= in.bottom(); ++y)
      for (int x = in.left(); x <= in.right(); ++x) copy[size_t(y - in.top()) * in.width() + (x - in.left())] = at(x, y);
    for (int y = in.top(); y <= in.bottom(); ++y) {
      const int from = a.top() + a.bottom() - y;
      const bool inside = from >= in.top() && from <= in.bottom();
      for (int x = in.left(); x <= in.right(); ++x)
        at(x, y) = inside ? copy[size_t(from - in.top()) * in.width() + (x - in.left())] : white;
    }
  }
}

struct Pixel3 {
  uchar c[3];
};

void FlipPlane(QImage& img, const QRect& area, bool horizontal) {
  const bool inside = QRect(0, 0, img.width(), img.height()).contains(area);
  switch (img.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      if (inside) FlipInside<QRgb>(img, area, horizontal);
      else FlipPartly<QRgb>(img, area, horizontal, kWhite);
      break;
    case QImage::Format_RGB888:
      if (inside) FlipInside<Pixel3>(img, area, horizontal);
      else FlipPartly<Pixel3>(img, area, horizontal, Pixel3{{255, 255, 255}});
      break;
    case QImage::Format_Grayscale8:
      if (inside) FlipInside<uchar>(img, area, horizontal);
      else FlipPartly<uchar>(img, area, horizontal, uchar(255));
      break;
    default:
      throw Platform::RuntimeException(QStringLiteral("Pictures of this format cannot be flipped"));
  }
}

// The turned squares of one column of a band (see FreeRotateInto): corner, reach on each axis, and the
// offset in the target when the whole square lies inside. A plain loop for vector code.
PIXMURA_VECTOR_CLONES
void MapColumn(int n, double nx, double ny, double cdx, double sdx, const double* __restrict sdy,
               const double* __restrict cdy, int W, int H, int stride, int* __restrict fxa, int* __restrict fya,
               int* __restrict dxa, int* __restrict dya, int* __restrict offa) {
  for (int i = 0; i < n; ++i) {
    const float px = float(nx + (cdx - sdy[i])), py = float(ny + (sdx + cdy[i]));
    const int tx = int(px), ty = int(py);
    const int fx = tx - (px < float(tx)), fy = ty - (py < float(ty));
    fxa[i] = fx;
    fya[i] = fy;
    dxa[i] = px != float(fx);
    dya[i] = py != float(fy);
    const bool inside = unsigned(fx) < unsigned(W - 1) && unsigned(fy) < unsigned(H - 1);
    offa[i] = inside ? fy * stride + fx : -1;
  }
}

}  // namespace

// ---- Quarter and half turns ----

void Turn90Into(const Picture& src0, Picture& dst, const Progress& progress) {
  PicturePtr holder;
  const Picture& src = As32(src0, holder);
  Require32(dst, src.Height(), src.Width());
  QuarterTurn<true>(ConstPlane(src), src.Width(), src.Height(), Plane(dst), progress);
}

void Turn270Into(const Picture& src0, Picture& dst, const Progress& progress) {
  PicturePtr holder;
  const Picture& src = As32(src0, holder);
  Require32(dst, src.Height(), src.Width());
  QuarterTurn<false>(ConstPlane(src), src.Width(), src.Height(), Plane(dst), progress);
}

void Turn180Into(const Picture& src0, Picture& dst, const Progress& progress) {
  PicturePtr holder;
  const Picture& src = As32(src0, holder);
  const int w = src.Width(), h = src.Height();
  Require32(dst, w, h);
  const ConstPlane s(src);
  const Plane d(dst);
  for (int j = 0; j < h; ++j) {
    const QRgb* __restrict sr = s.Row(j);
    QRgb* __restrict dr = d.Row(h - 1 - j) + (w - 1);
    for (int i = 0; i < w; ++i) dr[-i] = sr[i];
    if (progress) progress(w);
  }
}

PicturePtr Turn(const Picture& src, int angle, const Progress& progress) {
  const bool quarter = angle == 90 || angle == 270;
  if (!quarter && angle != 180) throw Platform::RuntimeException(QStringLiteral("Not a turn by right angles: %1").arg(angle));
  // Every pixel of the turned picture is written: it is not made white first.
  PicturePtr out =
      Picture::CreateUnfilled(quarter ? src.Height() : src.Width(), quarter ? src.Width() : src.Height(), 32);
  if (angle == 90) Turn90Into(src, *out, progress);
  else if (angle == 270) Turn270Into(src, *out, progress);
  else Turn180Into(src, *out, progress);
  return out;
}

// ---- Free rotation ----

void SinCosDegrees(double degrees, double& s, double& c) {
  double v = std::fmod(degrees, 360.0);
  if (v < 0) v += 360.0;
  if (v == 0) { s = 0; c = 1; }
  else if (v == 90) { s = 1; c = 0; }
  else if (v == 180) { s = 0; c = -1; }
  else if (v == 270) { s = -1; c = 0; }
  else {
    const double r = v / 180.0 * 3.141592653589793;
    s = std::sin(r);
    c = std::cos(r);
  }
}

Rotation::Rotation(int srcW, int srcH, int dstW, int dstH, double degrees) {
  double sd, cd;
  SinCosDegrees(degrees, sd, cd);
  // Sine and cosine are held in single precision.
  const double s = float(sd), c = float(cd);
  const int ox = srcW / 2, oy = srcH / 2;
  nx = dstW / 2;
  ny = dstH / 2;
  cdx.resize(size_t(std::max(srcW, 1) + 1));
  sdx.resize(cdx.size());
  for (size_t x = 0; x < cdx.size(); ++x) {
    cdx[x] = c * double(int(x) - ox);
    sdx[x] = s * double(int(x) - ox);
  }
  sdy.resize(size_t(std::max(srcH, 1) + 1));
  cdy.resize(sdy.size());
  for (size_t y = 0; y < sdy.size(); ++y) {
    sdy[y] = s * double(int(y) - oy);
    cdy[y] = c * double(int(y) - oy);
  }
}

QSize FreeRotatedSize(int w, int h, double degrees) {
  // The corners turned about the source centre, kept there: the box's extent is what counts.
  const Rotation r(w, h, 2 * (w / 2), 2 * (h / 2), degrees);
  int minX = 0, maxX = 0, minY = 0, maxY = 0;
  const int corners[4][2] = {{0, 0}, {0, h}, {w, 0}, {w, h}};
  for (int k = 0; k < 4; ++k) {
    float px, py;
    r.Map(corners[k][0], corners[k][1], px, py);
    const int x = Platform::ToInt(px), y = Platform::ToInt(py);
    if (k == 0 || x < minX) minX = x;
    if (k == 0 || x > maxX) maxX = x;
    if (k == 0 || y < minY) minY = y;
    if (k == 0 || y > maxY) maxY = y;
  }
  return QSize(std::max(1, maxX - minX), std::max(1, maxY - minY));
}

void FreeRotateInto(const Picture& src0, Picture& dst, double degrees, const Progress& progress) {
  PicturePtr holder;
  const Picture& src = As32(src0, holder);
  const int w = src.Width(), h = src.Height();
  const int W = dst.Width(), H = dst.Height();
  Require32(dst, W, H);
  const Rotation rot(w, h, W, H, degrees);
  const ConstPlane s(src);
  const Plane d(dst);

  // The turned squares of the source pixels, one column of a band at a time: the corner at the floor of
  // the turned position and whether the square reaches one pixel further on each axis.
  struct Square {
    int fx, fy, dx, dy;
  };
  auto square = [&](int x, int y) {
    float px, py;
    rot.Map(x, y, px, py);
    const int fx = Floor(px), fy = Floor(py);
    return Square{fx, fy, px != float(fx), py != float(fy)};
  };
  // A square that reaches over the target's edge: only its pixels inside are written.
  auto splatAtEdge = [&](const Square& q, QRgb c) {
    const int cx = q.fx + q.dx, cy = q.fy + q.dy;
    const bool fxIn = unsigned(q.fx) < unsigned(W), cxIn = unsigned(cx) < unsigned(W);
    if (unsigned(q.fy) < unsigned(H)) {
      if (fxIn) d.Row(q.fy)[q.fx] = c;
      if (cxIn) d.Row(q.fy)[cx] = c;
    }
    if (unsigned(cy) < unsigned(H)) {
      if (fxIn) d.Row(cy)[q.fx] = c;
      if (cxIn) d.Row(cy)[cx] = c;
    }
  };

  // Walking whole columns of a tall picture touches a new cache line and page at every row, in the
  // source and in the target; the source is therefore walked in bands of rows, column by column within
  // each band. A band is never less than 3 rows high, so that the squares of one target pixel come from
  // at most two neighbouring bands.
  constexpr int kBand = 256;
  std::vector<int> bandStart;
  for (int y = 0; y < h; y += kBand) bandStart.push_back(y);
  if (bandStart.size() > 1 && h - bandStart.back() < 3) bandStart.pop_back();
  bandStart.push_back(h);

  // Per row of a band: the square's corner, whether it reaches one pixel further on each axis, and its
  // offset in the target when the whole square lies inside (-1 otherwise).
  std::vector<int> FX(kBand + 3), FY(kBand + 3), DX(kBand + 3), DY(kBand + 3), OFF(kBand + 3);
  const int stride = int(d.stride);
  for (size_t b = 0; b + 1 < bandStart.size(); ++b) {
    const int y0 = bandStart[b], y1 = bandStart[b + 1], n = y1 - y0;
    if (size_t(n) > FX.size()) {
      for (std::vector<int>* v : {&FX, &FY, &DX, &DY, &OFF}) v->resize(size_t(n));
    }
    const double nx = rot.nx, ny = rot.ny;
    const double* __restrict sdy = rot.sdy.data() + y0;
    const double* __restrict cdy = rot.cdy.data() + y0;
    int* __restrict fxa = FX.data();
    int* __restrict fya = FY.data();
    int* __restrict dxa = DX.data();
    int* __restrict dya = DY.data();
    int* __restrict offa = OFF.data();
    for (int x = 0; x < w; ++x) {
      const double cdx = rot.cdx[size_t(x)], sdx = rot.sdx[size_t(x)];
      MapColumn(n, nx, ny, cdx, sdx, sdy, cdy, W, H, stride, fxa, fya, dxa, dya, offa);
      const QRgb* col = s.Row(y0) + x;
      for (int i = 0; i < n; ++i) {
        const QRgb c = col[qsizetype(i) * s.stride];
        if (offa[i] >= 0) {
          // Inside: the two rows of the square, two pixels at a time.
          QRgb* r0 = d.px + offa[i];
          QRgb* r1 = r0 + (dya[i] ? stride : 0);
          if (dxa[i]) {
            const quint64 two = quint64(c) | (quint64(c) << 32);
            std::memcpy(r0, &two, 8);
            std::memcpy(r1, &two, 8);
          } else {
            *r0 = c;
            *r1 = c;
          }
        } else {
          splatAtEdge(Square{fxa[i], fya[i], dxa[i], dya[i]}, c);
        }
      }
    }
    Report(progress, n, w);
  }

  // Where the squares of two bands meet, the lower band was written last; a pixel of the upper band that
  // comes later in column order (a column further right) must win there. For each pixel of the two
  // rows above a seam, each target pixel of its square that is also reached from below the seam takes
  // its colour when no square from below that reaches it comes later in column order.
  std::vector<Square> below0(static_cast<size_t>(w)), below1(static_cast<size_t>(w));
  for (size_t b = 1; b + 1 < bandStart.size(); ++b) {
    const int S = bandStart[b];
    for (int x = 0; x < w; ++x) {
      below0[size_t(x)] = square(x, S);
      below1[size_t(x)] = square(x, S + 1);
    }
    for (int x = 0; x < w; ++x) {
      for (int y = S - 2; y < S; ++y) {
        const Square q = square(x, y);
        const QRgb c = s.Row(y)[x];
        for (int ty = q.fy; ty <= q.fy + q.dy; ++ty) {
          if (unsigned(ty) >= unsigned(H)) continue;
          for (int tx = q.fx; tx <= q.fx + q.dx; ++tx) {
            if (unsigned(tx) >= unsigned(W)) continue;
            // Squares of one target pixel come from pixels at most two rows and columns apart.
            const int lastRow = std::min(S + 1, y + 2);
            auto covers = [&](int lx, int ly) {
              const Square& o = (ly == S ? below0 : below1)[size_t(lx)];
              return tx >= o.fx && tx <= o.fx + o.dx && ty >= o.fy && ty <= o.fy + o.dy;
            };
            bool later = false;
            for (int ly = S; ly <= lastRow && !later; ++ly)
              for (int lx = x; lx <= std::min(w - 1, x + 2) && !later; ++lx) later = covers(lx, ly);
            if (later) continue;
            bool reached = false;
            for (int ly = S; ly <= lastRow && !reached; ++ly)
              for (int lx = std::max(0, x - 2); lx < x && !reached; ++lx) reached = covers(lx, ly);
            if (reached) d.Row(ty)[tx] = c;
          }
        }
      }
    }
  }
}

PicturePtr FreeRotate(const Picture& src, double degrees, const Progress& progress) {
  const QSize size = FreeRotatedSize(src.Width(), src.Height(), degrees);
  PicturePtr out = Picture::Create(size.width(), size.height(), 32);
  FreeRotateInto(src, *out, degrees, progress);
  return out;
}

// ---- Flips ----

void Flip(Picture& pic, const QRect& area, bool horizontal) {
  if (area.isEmpty()) return;
  FlipPlane(pic.Image(), area, horizontal);
  if (PicturePtr mask = pic.MaskIfAny()) FlipPlane(mask->Image(), area, horizontal);
}

// ---- Masks ----

void CopyToMask(const Picture& shape, Picture& target) {
  PicturePtr mask = target.Mask();
  if (!mask) return;
  QImage& m = mask->Image();
  const int w = std::min(shape.Width(), m.width()), h = std::min(shape.Height(), m.height());
  for (int y = 0; y < h; ++y) {
    uchar* row = m.scanLine(y);
    for (int x = 0; x < w; ++x) row[x] = uchar(qGray(Platform::ToQRgb(shape.Pixel(x, y))));
  }
}

// ---- Scaling and canvas size ----

namespace {

void ScaleRowScalar(const QRgb* __restrict src, const int* __restrict xs, QRgb* __restrict dst, int from, int to) {
  for (int x = from; x < to; ++x) dst[x] = src[xs[x]];
}

#if defined(__x86_64__)
// Sixteen target pixels at a time whose sources lie within 32 neighbouring pixels (as when a row is
// enlarged, or halved): those pixels are loaded and put in place by one permutation.
__attribute__((target("avx512f"))) void ScaleRowAvx512(const QRgb* src, int srcWidth, const int* xs, QRgb* dst, int w) {
  auto lanes = [](int avail) {
    return avail >= 16 ? __mmask16(0xFFFF) : avail <= 0 ? __mmask16(0) : __mmask16((1u << avail) - 1);
  };
  int x = 0;
  for (; x + 16 <= w; x += 16) {
    const int base = xs[x], span = xs[x + 15] - base;
    if (span >= 32) {
      ScaleRowScalar(src, xs, dst, x, x + 16);
      continue;
    }
    const __m512i index = _mm512_sub_epi32(_mm512_loadu_si512(xs + x), _mm512_set1_epi32(base));
    const __m512i low = _mm512_maskz_loadu_epi32(lanes(srcWidth - base), src + base);
    if (span < 16) {
      _mm512_storeu_si512(dst + x, _mm512_permutexvar_epi32(index, low));
    } else {
      const __m512i high = _mm512_maskz_loadu_epi32(lanes(srcWidth - base - 16), src + base + 16);
      _mm512_storeu_si512(dst + x, _mm512_permutex2var_epi32(low, index, high));
    }
  }
  ScaleRowScalar(src, xs, dst, x, w);
}
#endif

}  // namespace

void ScaleRow(const QRgb* src, int srcWidth, const int* xs, QRgb* dst, int w) {
#if defined(__x86_64__)
  static const bool avx512 = __builtin_cpu_supports("avx512f");
  if (avx512) {
    ScaleRowAvx512(src, srcWidth, xs, dst, w);
    return;
  }
#endif
  ScaleRowScalar(src, xs, dst, 0, w);
}

void ScaleInto(const Picture& src0, const QRect& area, Picture& dst) {
  PicturePtr holder;
  const Picture& src = As32(src0, holder);
  const int w = dst.Width(), h = dst.Height();
  Require32(dst, w, h);
  const Plane d(dst);
  if (area.width() <= 0 || area.height() <= 0) {
    dst.Image().fill(kWhite);
    return;
  }
  const ConstPlane s(src);
  // The source column of each target column: the pixel under the target pixel's centre.
  std::vector<int> xs(static_cast<size_t>(w));
  bool allInside = true;
  for (int x = 0; x < w; ++x) {
    const int sx = ScaledIndex(x, area.left(), area.width(), w);
    const bool in = sx >= 0 && sx < src.Width();
    xs[size_t(x)] = in ? sx : -1;
    allInside = allInside && in;
  }
  int lastSy = -1;
  for (int y = 0; y < h; ++y) {
    const int sy = ScaledIndex(y, area.top(), area.height(), h);
    QRgb* __restrict dr = d.Row(y);
    if (sy < 0 || sy >= src.Height()) {
      std::fill(dr, dr + w, kWhite);
      lastSy = -1;
      continue;
    }
    if (sy == lastSy) {
      std::memcpy(dr, d.Row(y - 1), size_t(w) * sizeof(QRgb));
      continue;
    }
    const QRgb* __restrict sr = s.Row(sy);
    const int* __restrict xi = xs.data();
    if (allInside) {
      ScaleRow(sr, src.Width(), xi, dr, w);
    } else {
      for (int x = 0; x < w; ++x) dr[x] = xi[x] >= 0 ? sr[xi[x]] : kWhite;
    }
    lastSy = sy;
  }
}

PicturePtr Scale(const Picture& src, const QRect& area, int w, int h, int depth) {
  PicturePtr out = Picture::CreateUnfilled(w, h, 32);  // every pixel is written
  ScaleInto(src, area, *out);
  return depth == 24 ? out->CopyAtDepth(24) : out;
}

void CanvasCopyInto(const Picture& src0, Picture& dst) {
  PicturePtr holder;
  const Picture& src = As32(src0, holder);
  Require32(dst, dst.Width(), dst.Height());
  const int w = std::min(src.Width(), dst.Width()), h = std::min(src.Height(), dst.Height());
  const ConstPlane s(src);
  const Plane d(dst);
  for (int y = 0; y < h; ++y) std::memcpy(d.Row(y), s.Row(y), size_t(w) * sizeof(QRgb));
}

PicturePtr CanvasResized(const Picture& src, int w, int h, int depth) {
  PicturePtr out = Picture::CreateUnfilled(w, h, 32);
  CanvasCopyInto(src, *out);
  // White only where the old picture does not reach: right of it and below it.
  const int cw = std::min(src.Width(), w), ch = std::min(src.Height(), h);
  const Plane d(*out);
  for (int y = 0; y < h; ++y) {
    QRgb* row = d.Row(y);
    const int from = y < ch ? cw : 0;
    std::fill(row + from, row + w, kWhite);
  }
  return depth == 24 ? out->CopyAtDepth(24) : out;
}

}  // namespace PictureOps
