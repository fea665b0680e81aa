// Channel maps, saturation, sharpening and red-eye removal.
#include "effects/EffectFilters.h"

#include <algorithm>
#include <cmath>
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

namespace {

PIXMURA_VECTOR_CLONES
void SaturateRowScalar(QRgb* __restrict px, int w, double f) {
  for (int x = 0; x < w; ++x) {
    const QRgb p = px[x];
    const int r = int((p >> 16) & 255), g = int((p >> 8) & 255), b = int(p & 255);
    const int a = (r + g + b) / 3;
    px[x] = Pack(Clamp255(r + Offset(f, r - a)), Clamp255(g + Offset(f, g - a)), Clamp255(b + Offset(f, b - a)));
  }
}

#if defined(__x86_64__)
// Sixteen pixels at a time: each component's distance from its pixel's average looked up as a byte,
// added or taken away with the sums kept in 0..255; the alpha bytes stay.
PIXMURA_VBMI void SaturateRowVbmi(QRgb* row, int w, const uint8_t* offsets, bool negative) {
  const __m512i t0 = _mm512_load_si512(offsets), t1 = _mm512_load_si512(offsets + 64),
                t2 = _mm512_load_si512(offsets + 128), t3 = _mm512_load_si512(offsets + 192);
  const __m512i low = _mm512_set1_epi32(0xFF), third = _mm512_set1_epi32(43691), spread = _mm512_set1_epi32(0x010101);
  constexpr __mmask64 kColour = 0x7777777777777777ull;
  for (int x = 0; x < w; x += 16) {
    const __mmask16 lanes = w - x >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << (w - x)) - 1);
    const __m512i v = _mm512_maskz_loadu_epi32(lanes, row + x);
    const __m512i sum = _mm512_add_epi32(_mm512_add_epi32(_mm512_and_si512(_mm512_srli_epi32(v, 16), low),
                                                          _mm512_and_si512(_mm512_srli_epi32(v, 8), low)),
                                         _mm512_and_si512(v, low));
    // sum / 3 as (sum x 43691) >> 17, exact for sums up to 765; spread over the three colour bytes.
    const __m512i average = _mm512_mullo_epi32(_mm512_srli_epi32(_mm512_mullo_epi32(sum, third), 17), spread);
    const __m512i distance = _mm512_sub_epi8(_mm512_max_epu8(v, average), _mm512_min_epu8(v, average));
    const __m512i offset = Lookup(distance, t0, t1, t2, t3);
    const __mmask64 above = _mm512_cmpgt_epu8_mask(v, average);
    const __mmask64 up = negative ? __mmask64(~above) : above;
    const __m512i moved = _mm512_mask_blend_epi8(up, _mm512_subs_epu8(v, offset), _mm512_adds_epu8(v, offset));
    _mm512_mask_storeu_epi32(row + x, lanes, _mm512_mask_blend_epi8(kColour, v, moved));
  }
}
#endif

}  // namespace

SaturationRows::SaturationRows(int32_t amount) : f_(amount / 100.0), bytes_(false), negative_(amount < 0) {
  const double magnitude = std::abs(f_);
  if (magnitude > 1) return;
  bytes_ = true;
  for (int n = 0; n < 256; ++n) offsets_[n] = uint8_t(Offset(magnitude, n));
}

void SaturationRows::Apply(QRgb* row, int w) const {
#if defined(__x86_64__)
  if (bytes_ && HasVbmi()) {
    SaturateRowVbmi(row, w, offsets_, negative_);
    return;
  }
#endif
  SaturateRowScalar(row, w, f_);
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
  const SaturationRows saturation(amount);
  const int w = pic.Width(), h = pic.Height();
  ProgressJob job(progress, w - 1, h - 1);
  ForEachRow(pic, [&](QRgb* row, int width, int) {
    saturation.Apply(row, width);
    job.Row(w - 1);
  });
}

// ---- Red eye ----

namespace {

// Red's limit d = R x 0.5133333, the weighted blue B x 0.1933333 and the new red (G + weighted blue) /
// 1.0266666, each made a whole number.
int RedLimit(int r) { return int(r * 0.5133333); }
int WeightedBlue(int b) { return int(b * 0.1933333); }
int NewRed(int sum) { return int(std::max(std::min(sum / 1.0266666, 255.0), 0.0)); }

PIXMURA_VECTOR_CLONES
void RedEyeRowScalar(QRgb* __restrict px, int w) {
  for (int x = 0; x < w; ++x) {
    const QRgb p = px[x];
    const int r = int((p >> 16) & 255), g = int((p >> 8) & 255), b = int(p & 255);
    const int d = RedLimit(r), weightedBlue = WeightedBlue(b);
    const bool red = r > 40 && g <= d && weightedBlue <= d;
    px[x] = red ? (p & 0xFF00FFFFu) | (QRgb(NewRed(g + weightedBlue)) << 16) : p;
  }
}

#if defined(__x86_64__)
struct RedEyeTables {
  alignas(64) uint8_t limit[256];
  alignas(64) uint8_t blue[256];
  alignas(64) uint8_t newRed[256];
};

// Sixteen pixels at a time, the three quantities looked up as bytes. Where red is changed, green is at
// most d (130) and the weighted blue at most 49, so their sum indexes the new red's table.
PIXMURA_VBMI void RedEyeRowVbmi(QRgb* row, int w, const RedEyeTables& t) {
  const __m512i l0 = _mm512_load_si512(t.limit), l1 = _mm512_load_si512(t.limit + 64),
                l2 = _mm512_load_si512(t.limit + 128), l3 = _mm512_load_si512(t.limit + 192);
  const __m512i b0 = _mm512_load_si512(t.blue), b1 = _mm512_load_si512(t.blue + 64),
                b2 = _mm512_load_si512(t.blue + 128), b3 = _mm512_load_si512(t.blue + 192);
  const __m512i n0 = _mm512_load_si512(t.newRed), n1 = _mm512_load_si512(t.newRed + 64),
                n2 = _mm512_load_si512(t.newRed + 128), n3 = _mm512_load_si512(t.newRed + 192);
  const __m512i low = _mm512_set1_epi32(0xFF), forty = _mm512_set1_epi32(40), keep = _mm512_set1_epi32(int(0xFF00FFFFu));
  for (int x = 0; x < w; x += 16) {
    const __mmask16 lanes = w - x >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << (w - x)) - 1);
    const __m512i v = _mm512_maskz_loadu_epi32(lanes, row + x);
    const __m512i r = _mm512_and_si512(_mm512_srli_epi32(v, 16), low);
    const __m512i g = _mm512_and_si512(_mm512_srli_epi32(v, 8), low);
    const __m512i d = _mm512_and_si512(_mm512_srli_epi32(Lookup(v, l0, l1, l2, l3), 16), low);
    const __m512i weightedBlue = _mm512_and_si512(Lookup(v, b0, b1, b2, b3), low);
    const __mmask16 red = _mm512_cmpgt_epi32_mask(r, forty) & _mm512_cmple_epi32_mask(g, d) &
                          _mm512_cmple_epi32_mask(weightedBlue, d);
    const __m512i sum = _mm512_min_epi32(_mm512_add_epi32(g, weightedBlue), low);
    const __m512i newRed = _mm512_and_si512(Lookup(sum, n0, n1, n2, n3), low);
    const __m512i changed = _mm512_or_si512(_mm512_and_si512(v, keep), _mm512_slli_epi32(newRed, 16));
    _mm512_mask_storeu_epi32(row + x, lanes, _mm512_mask_blend_epi32(red, v, changed));
  }
}
#endif

}  // namespace

void RemoveRedEye(Picture& pic) {
#if defined(__x86_64__)
  if (HasVbmi()) {
    RedEyeTables t;
    for (int i = 0; i < 256; ++i) {
      t.limit[i] = uint8_t(RedLimit(i));
      t.blue[i] = uint8_t(WeightedBlue(i));
      t.newRed[i] = uint8_t(NewRed(i));
    }
    ForEachRow(pic, [&](QRgb* row, int w, int) { RedEyeRowVbmi(row, w, t); });
    return;
  }
#endif
  ForEachRow(pic, [](QRgb* row, int w, int) { RedEyeRowScalar(row, w); });
}

}  // namespace EffectFilters
