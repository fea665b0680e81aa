// Channel maps, saturation, sharpening and red-eye removal.
#include "effects/EffectFilters.h"

#include <algorithm>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "core/VectorCode.h"
#include "effects/PixelRows.h"
#include "platform/Numbers.h"

namespace EffectFilters {

using Platform::ToInt;

// ---- Channel maps ----

ChannelMap BrightnessMap(int32_t amount) {
  ChannelMap m;
  for (int i = 0; i < 256; ++i) {
    double s = double(int64_t(i) + amount);
    s = std::min(s, 255.0);
    s = std::max(s, 0.0);
    m[size_t(i)] = ToInt(s);
  }
  return m;
}

ChannelMap ContrastMap(double amount, int32_t pivot) {
  const double f = amount / 100;
  ChannelMap m;
  for (int i = 0; i < 256; ++i) {
    double v = i + f * double(int64_t(i) - pivot);
    v = std::max(v, 0.0);
    v = std::min(v, 255.0);
    m[size_t(i)] = ToInt(v);
  }
  return m;
}

ChannelMap ExposureMap(int32_t amount) {
  const double k = -(amount / 100.0);
  ChannelMap m;
  for (int i = 0; i < 256; ++i) {
    double v = i - k * i;
    v = std::min(v, 255.0);
    v = std::max(v, 0.0);
    m[size_t(i)] = ToInt(v);
  }
  return m;
}

void GainMaps(int32_t green, int32_t red, int32_t blue, ChannelMap& redMap, ChannelMap& greenMap, ChannelMap& blueMap) {
  // The gains are kept in single precision and widened again for each product.
  const float gainGreen = float(green / 100.0), gainRed = float(red / 100.0), gainBlue = float(blue / 100.0);
  auto level = [](int i, float gain) {
    double v = i + double(gain) * i;
    v = std::min(255.0, v);
    v = std::max(0.0, v);
    return ToInt(v);
  };
  for (int i = 0; i < 256; ++i) {
    greenMap[size_t(i)] = level(i, gainGreen);
    redMap[size_t(i)] = level(i, gainRed);
    blueMap[size_t(i)] = level(i, gainBlue);
  }
}

ChannelMap Compose(const ChannelMap& first, const ChannelMap& second) {
  ChannelMap m;
  for (size_t i = 0; i < 256; ++i) m[i] = second[size_t(Clamp255(first[i]))];
  return m;
}

bool IsIdentity(const ChannelMap& map) {
  for (int i = 0; i < 256; ++i)
    if (map[size_t(i)] != i) return false;
  return true;
}

RowMaps::RowMaps(const ChannelMap& all) : RowMaps(all, all, all) { one_ = true; }

RowMaps::RowMaps(const ChannelMap& red, const ChannelMap& green, const ChannelMap& blue) : one_(false) {
  for (size_t i = 0; i < 256; ++i) {
    red_[i] = uint8_t(Clamp255(red[i]));
    green_[i] = uint8_t(Clamp255(green[i]));
    blue_[i] = uint8_t(Clamp255(blue[i]));
  }
}

namespace {

void MapRowScalar(QRgb* px, int w, const uint8_t* red, const uint8_t* green, const uint8_t* blue) {
  for (int x = 0; x < w; ++x) {
    const QRgb p = px[x];
    px[x] = (p & 0xFF000000u) | (QRgb(red[(p >> 16) & 255]) << 16) | (QRgb(green[(p >> 8) & 255]) << 8) |
            QRgb(blue[p & 255]);
  }
}

#if defined(__x86_64__)
#define PIXMURA_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// Every byte of idx looked up in a 256-byte table held in four registers.
PIXMURA_VBMI inline __m512i Lookup(__m512i idx, __m512i t0, __m512i t1, __m512i t2, __m512i t3) {
  const __m512i lo = _mm512_permutex2var_epi8(t0, idx, t1);
  const __m512i hi = _mm512_permutex2var_epi8(t2, idx, t3);
  return _mm512_mask_blend_epi8(_mm512_movepi8_mask(idx), lo, hi);
}

// Sixteen pixels at a time, each byte looked up in the table of its component; the alpha bytes stay.
template <bool kOneMap>
PIXMURA_VBMI void MapRowVbmi(QRgb* row, int w, const uint8_t* red, const uint8_t* green, const uint8_t* blue) {
  const __m512i r0 = _mm512_load_si512(red), r1 = _mm512_load_si512(red + 64), r2 = _mm512_load_si512(red + 128),
                r3 = _mm512_load_si512(red + 192);
  const __m512i g0 = _mm512_load_si512(green), g1 = _mm512_load_si512(green + 64),
                g2 = _mm512_load_si512(green + 128), g3 = _mm512_load_si512(green + 192);
  const __m512i b0 = _mm512_load_si512(blue), b1 = _mm512_load_si512(blue + 64), b2 = _mm512_load_si512(blue + 128),
                b3 = _mm512_load_si512(blue + 192);
  constexpr __mmask64 kBlue = 0x1111111111111111ull, kGreen = 0x2222222222222222ull, kRed = 0x4444444444444444ull;
  for (int x = 0; x < w; x += 16) {
    const __mmask16 lanes = w - x >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << (w - x)) - 1);
    const __m512i v = _mm512_maskz_loadu_epi32(lanes, row + x);
    __m512i out;
    if constexpr (kOneMap) {
      out = _mm512_mask_blend_epi8(kBlue | kGreen | kRed, v, Lookup(v, r0, r1, r2, r3));
    } else {
      out = _mm512_mask_blend_epi8(kRed, v, Lookup(v, r0, r1, r2, r3));
      out = _mm512_mask_blend_epi8(kGreen, out, Lookup(v, g0, g1, g2, g3));
      out = _mm512_mask_blend_epi8(kBlue, out, Lookup(v, b0, b1, b2, b3));
    }
    _mm512_mask_storeu_epi32(row + x, lanes, out);
  }
}

bool HasVbmi() {
  static const bool has = __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
  return has;
}
#endif

}  // namespace

void RowMaps::Apply(QRgb* row, int w) const {
#if defined(__x86_64__)
  if (HasVbmi()) {
    if (one_) MapRowVbmi<true>(row, w, red_, green_, blue_);
    else MapRowVbmi<false>(row, w, red_, green_, blue_);
    return;
  }
#endif
  MapRowScalar(row, w, red_, green_, blue_);
}

void ApplyMaps(Picture& pic, const RowMaps& maps) {
  ForEachRow(pic, [&](QRgb* row, int w, int) { maps.Apply(row, w); });
}

void ApplyMap(Picture& pic, const ChannelMap& map) { ApplyMaps(pic, RowMaps(map)); }

void ApplyMaps(Picture& pic, const ChannelMap& red, const ChannelMap& green, const ChannelMap& blue) {
  ApplyMaps(pic, RowMaps(red, green, blue));
}

// ---- Grey-average filters ----

PIXMURA_VECTOR_CLONES
void SaturateRow(QRgb* __restrict px, int w, double f) {
  for (int x = 0; x < w; ++x) {
    const QRgb p = px[x];
    const int r = int((p >> 16) & 255), g = int((p >> 8) & 255), b = int(p & 255);
    const int a = (r + g + b) / 3;
    px[x] = Pack(Clamp255(r + Offset(f, r - a)), Clamp255(g + Offset(f, g - a)), Clamp255(b + Offset(f, b - a)));
  }
}

PIXMURA_VECTOR_CLONES
void SharpenRow(QRgb* __restrict px, const QRgb* __restrict blurred, int w, double f) {
  for (int x = 0; x < w; ++x) {
    const QRgb p = px[x];
    const int r = int((p >> 16) & 255), g = int((p >> 8) & 255), b = int(p & 255);
    const int o = Offset(f, (r + g + b) / 3 - GreyAverage(blurred[x]));
    px[x] = Pack(Clamp255(r + o), Clamp255(g + o), Clamp255(b + o));
  }
}

void Saturate(Picture& pic, int32_t amount, Progress* progress) {
  const double f = amount / 100.0;
  const int w = pic.Width(), h = pic.Height();
  ProgressJob job(progress, w - 1, h - 1);
  ForEachRow(pic, [&](QRgb* row, int width, int) {
    SaturateRow(row, width, f);
    job.Row(w - 1);
  });
}

// ---- Red eye ----

namespace {

PIXMURA_VECTOR_CLONES
void RedEyeRow(QRgb* __restrict px, int w) {
  for (int x = 0; x < w; ++x) {
    const QRgb p = px[x];
    const int r = int((p >> 16) & 255), g = int((p >> 8) & 255), b = int(p & 255);
    const int d = int(r * 0.5133333);
    const int weightedBlue = int(b * 0.1933333);
    double q = (g + weightedBlue) / 1.0266666;
    q = std::min(q, 255.0);
    q = std::max(q, 0.0);
    const bool red = r > 40 && g <= d && weightedBlue <= d;
    px[x] = red ? (p & 0xFF00FFFFu) | (QRgb(int(q)) << 16) : p;
  }
}

}  // namespace

void RemoveRedEye(Picture& pic) {
  ForEachRow(pic, [](QRgb* row, int w, int) { RedEyeRow(row, w); });
}

}  // namespace EffectFilters
