#include "core/ColorMaps.h"

#include <algorithm>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "app/modProgress.h"
#include "core/EditingState.h"
#include "core/VectorCode.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

// ---- classColorMap ----

int32_t classColorMap::Red(int32_t i) const { return Platform::ToInt(R_Map[i]); }
void classColorMap::set_Red(int32_t i, float v) { R_Map[i] = v; }
void classColorMap::set_Green(int32_t i, float v) { G_Map[i] = v; }
void classColorMap::set_Blue(int32_t i, float v) { B_Map[i] = v; }
int32_t classColorMap::Green(int32_t i) const { return Platform::ToInt(G_Map[i]); }
int32_t classColorMap::Blue(int32_t i) const { return Platform::ToInt(B_Map[i]); }

namespace ColorOps {

namespace {

// The nine lookups of the sepia conversion as whole numbers: table[out * 3 + in][value], out and in being
// red 0, green 1, blue 2.
struct SepiaTables {
  uint16_t t[9][256];
  // For each table, a multiplier m with (value * m) >> 16 equal to the table at every value, when one
  // exists for all nine: the lookups are then computed instead of loaded, which vector code can do.
  uint16_t m[9];
  bool computable = true;
};

SepiaTables BuildTables(const classColorMap& red, const classColorMap& green, const classColorMap& blue) {
  SepiaTables st;
  const classColorMap* maps[3] = {&red, &green, &blue};
  for (int out = 0; out < 3; ++out) {
    for (int i = 0; i < 256; ++i) {
      st.t[out * 3 + 0][i] = uint16_t(std::clamp(maps[out]->Red(i), 0, 1023));
      st.t[out * 3 + 1][i] = uint16_t(std::clamp(maps[out]->Green(i), 0, 1023));
      st.t[out * 3 + 2][i] = uint16_t(std::clamp(maps[out]->Blue(i), 0, 1023));
    }
  }
  // (i * m) >> 16 == t[i] for every i holds exactly when t[0] is 0 and, for i >= 1,
  // t[i] * 65536 <= i * m < (t[i] + 1) * 65536.
  for (int k = 0; k < 9; ++k) {
    int64_t lo = 0, hi = 65535;
    if (st.t[k][0] != 0) hi = -1;
    for (int i = 1; i < 256 && lo <= hi; ++i) {
      lo = std::max<int64_t>(lo, (int64_t(st.t[k][i]) * 65536 + i - 1) / i);
      hi = std::min<int64_t>(hi, ((int64_t(st.t[k][i]) + 1) * 65536 - 1) / i);
    }
    if (lo > hi) st.computable = false;
    st.m[k] = uint16_t(lo <= hi ? lo : 0);
  }
  return st;
}

inline QRgb SepiaPixel(const SepiaTables& st, QRgb p) {
  const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
  const int R = std::min(255, st.t[0][r] + st.t[1][g] + st.t[2][b]);
  const int G = std::min(255, st.t[3][r] + st.t[4][g] + st.t[5][b]);
  const int B = std::min(255, st.t[6][r] + st.t[7][g] + st.t[8][b]);
  return 0xFF000000u | (QRgb(R) << 16) | (QRgb(G) << 8) | QRgb(B);
}

// One row of 32-bit pixels, each lookup computed as (value * m) >> 16. A plain loop for vector code.
PIXMURA_VECTOR_CLONES
void SepiaRowComputed(QRgb* __restrict px, int w, const uint16_t* m) {
  const uint16_t m0 = m[0], m1 = m[1], m2 = m[2], m3 = m[3], m4 = m[4], m5 = m[5], m6 = m[6], m7 = m[7], m8 = m[8];
  auto term = [](uint16_t v, uint16_t k) { return uint16_t((uint32_t(v) * k) >> 16); };
  for (int x = 0; x < w; ++x) {
    const QRgb p = px[x];
    const uint16_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
    uint16_t R = uint16_t(term(r, m0) + term(g, m1) + term(b, m2));
    uint16_t G = uint16_t(term(r, m3) + term(g, m4) + term(b, m5));
    uint16_t B = uint16_t(term(r, m6) + term(g, m7) + term(b, m8));
    R = R < 255 ? R : 255;
    G = G < 255 ? G : 255;
    B = B < 255 ? B : 255;
    px[x] = 0xFF000000u | (QRgb(R) << 16) | (QRgb(G) << 8) | QRgb(B);
  }
}

void SepiaRow(const SepiaTables& st, QRgb* px, int w) {
  if (st.computable) {
    SepiaRowComputed(px, w, st.m);
    return;
  }
  for (int x = 0; x < w; ++x) px[x] = SepiaPixel(st, px[x]);
}

// The first column from x on whose colour differs from key: a run of one colour is passed four pixels
// at a time.
int RunEnd(const QRgb* row, int x, int w, uint32_t key) {
#if defined(__SSE2__)
  const __m128i mask = _mm_set1_epi32(0xFFFFFF), wanted = _mm_set1_epi32(int(key));
  while (x + 4 <= w) {
    const __m128i v = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), mask);
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(v, wanted)) != 0xFFFF) break;
    x += 4;
  }
#endif
  while (x < w && (row[x] & 0xFFFFFFu) == key) ++x;
  return x;
}

}  // namespace

void Sepia(Platform::Picture& pic, const classColorMap& red, const classColorMap& green, const classColorMap& blue,
           const Progress& progress) {
  const SepiaTables st = BuildTables(red, green, blue);
  const int w = pic.Width(), h = pic.Height();
  QImage& img = pic.Image();
  if (img.format() == QImage::Format_RGB32) {
    uchar* base = img.bits();
    const qsizetype stride = img.bytesPerLine();
    for (int y = 0; y < h; ++y) {
      SepiaRow(st, reinterpret_cast<QRgb*>(base + qsizetype(y) * stride), w);
      if (progress) progress(w);
    }
    return;
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) pic.SetPixel(x, y, Platform::FromQRgb(SepiaPixel(st, Platform::ToQRgb(pic.Pixel(x, y)))));
    if (progress) progress(w);
  }
}

int32_t CountColors(const Platform::Picture& pic, bool& all_gray, bool stop_early) {
  constexpr int kAhead = 32;
  // One presence bit for every 24-bit colour (2 MB), made for this count and released after it.
  std::vector<uint64_t> seen(size_t(1) << 18, 0);
  all_gray = true;
  int32_t count = 0;
  const int w = pic.Width(), h = pic.Height();
  const bool rgb32 = pic.Image().format() == QImage::Format_RGB32;
  std::vector<QRgb> converted;
  if (!rgb32) converted.resize(size_t(w));
  for (int y = 0; y < h; ++y) {
    const QRgb* row;
    if (rgb32) {
      row = reinterpret_cast<const QRgb*>(pic.Image().constScanLine(y));
    } else {
      for (int x = 0; x < w; ++x) converted[size_t(x)] = pic.Pixel(x, y);
      row = converted.data();
    }
    uint32_t last = 0xFFFFFFFFu;  // no colour
    for (int x = 0; x < w; ++x) {
      // The flags of a colour a little further on are fetched while this one is looked at.
      if (x + kAhead < w) __builtin_prefetch(&seen[(row[x + kAhead] & 0xFFFFFFu) >> 6]);
      const uint32_t key = row[x] & 0xFFFFFFu;
      if (key == last) {
        // A run of one colour: on to its end.
        x = RunEnd(row, x + 1, w, key) - 1;
        continue;
      }
      last = key;
      uint64_t& word = seen[key >> 6];
      const uint64_t bit = uint64_t(1) << (key & 63);
      if (word & bit) continue;
      word |= bit;
      ++count;
      if (all_gray && (((key >> 16) & 255) != ((key >> 8) & 255) || ((key >> 8) & 255) != (key & 255))) all_gray = false;
    }
    if (stop_early && count > 256) break;
  }
  return count;
}

}  // namespace ColorOps

namespace modMAIN {

void Make_Maps() {
  Map_Sepia_R = std::make_shared<classColorMap>();
  Map_Sepia_G = std::make_shared<classColorMap>();
  Map_Sepia_B = std::make_shared<classColorMap>();
  Map_Gray = std::make_shared<classColorMap>();
  auto fill = [](classColorMap& m, int i, double r, double g, double b) {
    m.set_Red(i, float(i * r));
    m.set_Green(i, float(i * g));
    m.set_Blue(i, float(i * b));
  };
  for (int i = 0; i < 256; ++i) {
    fill(*Map_Sepia_R, i, 0.393, 0.769, 0.189);
    fill(*Map_Sepia_G, i, 0.349, 0.686, 0.168);
    fill(*Map_Sepia_B, i, 0.272, 0.534, 0.131);
    map_invert[i] = 255 - i;
    fill(*Map_Gray, i, 0.299, 0.587, 0.114);
  }
}

void image_Convert_Sepia() {
  DozerIvidEffectsLibrary::EFFECTS_Picture_GET();
  const PicturePtr target = DozerIvidEffectsLibrary::EFFECTS_Picture;
  const classColorMap& red = Platform::Deref(Map_Sepia_R, "Map_Sepia_R");
  const classColorMap& green = Platform::Deref(Map_Sepia_G, "Map_Sepia_G");
  const classColorMap& blue = Platform::Deref(Map_Sepia_B, "Map_Sepia_B");
  modProgress::Progress_Start(target ? target->Width() : 0, target ? target->Height() : 0);
  // The bar goes and the busy state ends with the conversion, however it ends.
  modProgress::Progress_Scope progress;
  // Reported per column of the target.
  if (target) ColorOps::Sepia(*target, red, green, blue, modProgress::Per_Column(target->Height()));
  DozerIvidEffectsLibrary::EFFECTS_Picture_PUT(true);
}

Platform::Color GrayPixel(Platform::Color colour, int32_t levels) {
  const int r = Platform::Red(colour), g = Platform::Green(colour), b = Platform::Blue(colour);
  int v;
  if (r == 255 && g == 255 && b == 255) {
    v = 255;
  } else {
    const classColorMap& m = Platform::Deref(Map_Gray, "Map_Gray");
    v = m.Red(r) + m.Green(g) + m.Blue(b);
    if (levels == 4) v &= 0xC0;
    else if (levels == 16) v &= 0xE0;
  }
  return Platform::RGB(v, v, v);
}

int32_t Count_Colors(bool& all_gray, bool stop_early) {
  return ColorOps::CountColors(*Platform::Checked(work_area, "work_area"), all_gray, stop_early);
}

}  // namespace modMAIN
