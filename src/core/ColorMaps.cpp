#include "core/ColorMaps.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "app/modProgress.h"
#include "core/EditingState.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VectorCode.h"

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

// The presence table of the colour count: one bit for every 24-bit colour (2 MB), zero at first.
struct PresenceBits {
  PresenceBits() : bits(static_cast<uint64_t*>(std::calloc(kWords, sizeof(uint64_t)))) {
    if (!bits) throw Platform::OutOfMemoryException(QStringLiteral("Not enough memory to count the colours"));
  }
  ~PresenceBits() { std::free(bits); }
  PresenceBits(const PresenceBits&) = delete;
  PresenceBits& operator=(const PresenceBits&) = delete;
  static constexpr size_t kWords = size_t(1) << 18;
  uint64_t* bits;
};

// Marks the colours of one row as present and returns how many of them were new; notGrey takes the bits
// in which a marked colour's red, green and blue differ. A block of eight pixels of the colour marked last
// is passed with one vector compare; any other block is marked pixel by pixel without a branch.
int32_t MarkRowCounting(const QRgb* row, int w, uint64_t* __restrict seen, uint32_t& notGrey, uint32_t& last) {
  int32_t fresh = 0;
  uint32_t grey = 0;
  auto mark = [&](uint32_t key) {
    uint64_t& word = seen[key >> 6];
    const uint64_t was = word;
    fresh += int32_t(((was >> (key & 63)) & 1) ^ 1);
    word = was | (uint64_t(1) << (key & 63));
    grey |= (key ^ (key >> 8)) & 0xFFFFu;
  };
  int x = 0;
#if defined(__SSE2__)
  const __m128i mask = _mm_set1_epi32(0xFFFFFF);
  for (; x + 8 <= w; x += 8) {
    const __m128i wanted = _mm_set1_epi32(int(last));
    const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), mask);
    const __m128i b = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4)), mask);
    if (_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi32(a, wanted), _mm_cmpeq_epi32(b, wanted))) == 0xFFFF) continue;
    for (int k = 0; k < 8; ++k) mark(row[x + k] & 0xFFFFFFu);
    last = row[x + 7] & 0xFFFFFFu;
  }
#endif
  for (; x < w; ++x) mark(row[x] & 0xFFFFFFu);
  if (x > 0) last = row[x - 1] & 0xFFFFFFu;
  notGrey |= grey;
  return fresh;
}

inline void MarkColour(uint64_t* __restrict seen, uint32_t key) { seen[key >> 6] |= uint64_t(1) << (key & 63); }

// Blocks of 64 pixels with at most this many colour changes are marked change by change; busier blocks
// pixel by pixel, which costs less than a branch for each change.
constexpr int kSparseChanges = 16;

// Marks the colours of one row as present; notGrey takes the bits in which the red, green and blue of
// some pixel differ. Only the pixels whose colour differs from their left neighbour's are marked: the
// first pixel of every run of one colour carries the run's colour.
void MarkRow(const QRgb* row, int w, uint64_t* __restrict seen, uint32_t& notGrey) {
  if (w <= 0) return;
  uint32_t grey = 0;
  auto greyOf = [](uint32_t c) { return (c ^ (c >> 8)) & 0xFFFFu; };
  MarkColour(seen, row[0] & 0xFFFFFFu);
  grey |= greyOf(row[0]);
  int x = 1;
#if defined(__SSE2__)
  const __m128i colour = _mm_set1_epi32(0xFFFFFF);
  __m128i greys = _mm_setzero_si128();
  for (; x + 64 <= w; x += 64) {
    // Bit i of changed: pixel x + i differs from pixel x + i - 1.
    uint64_t changed = 0;
    for (int k = 0; k < 64; k += 4) {
      const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + k));
      const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + k - 1));
      greys = _mm_or_si128(greys, _mm_xor_si128(p, _mm_srli_epi32(p, 8)));
      const __m128i same = _mm_cmpeq_epi32(_mm_and_si128(_mm_xor_si128(p, q), colour), _mm_setzero_si128());
      changed |= uint64_t(~_mm_movemask_ps(_mm_castsi128_ps(same)) & 15) << k;
    }
    const QRgb* block = row + x;
    if (__builtin_popcountll(changed) > kSparseChanges) {
      for (int k = 0; k < 64; ++k) MarkColour(seen, block[k] & 0xFFFFFFu);
    } else {
      for (; changed; changed &= changed - 1) MarkColour(seen, block[__builtin_ctzll(changed)] & 0xFFFFFFu);
    }
  }
  alignas(16) uint32_t lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), greys);
  grey |= (lanes[0] | lanes[1] | lanes[2] | lanes[3]) & 0xFFFFu;
#endif
  for (; x < w; ++x) {
    MarkColour(seen, row[x] & 0xFFFFFFu);
    grey |= greyOf(row[x]);
  }
  notGrey |= grey;
}

// Gives rows of a picture as 32-bit pixels: a 32-bit plane's own rows, others converted into a buffer.
class RowSource {
 public:
  explicit RowSource(const Platform::Picture& pic)
      : pic_(pic), direct_(!pic.Tiles() && pic.Image().format() == QImage::Format_RGB32) {
    if (!direct_) buffer_.resize(size_t(pic.Width()));
  }
  const QRgb* Row(int y) {
    if (direct_) return reinterpret_cast<const QRgb*>(pic_.Image().constScanLine(y));
    pic_.ReadRow(y, buffer_.data());
    return buffer_.data();
  }

 private:
  const Platform::Picture& pic_;
  bool direct_;
  std::vector<QRgb> buffer_;
};

// The number of bits set in the table.
PIXMURA_VECTOR_CLONES
int32_t CountBits(const uint64_t* bits, size_t words) {
  int64_t n = 0;
  for (size_t i = 0; i < words; ++i) n += __builtin_popcountll(bits[i]);
  return int32_t(n);
}

PIXMURA_VECTOR_CLONES
void OrInto(uint64_t* __restrict into, const uint64_t* __restrict from, size_t words) {
  for (size_t i = 0; i < words; ++i) into[i] |= from[i];
}

// How many threads the count of a whole picture of this many pixels takes: one per megapixel,
// at most one per processor and eight in all.
int CountThreads(qint64 pixels) {
  const int cores = int(std::min(8u, std::max(1u, std::thread::hardware_concurrency())));
  return int(std::clamp<qint64>(pixels >> 20, 1, cores));
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

namespace {

// The fixed-point factor a with (i * a) >> 16 == table[i] for every i, when there is one: the grey map's
// whole-number shares are then worked out eight pixels at a time with exactly the map's results.
int32_t Fixed_Point_Factor(const uint16_t* table) {
  if (table[0] != 0) return -1;
  int64_t lo = 0, hi = 65535;
  for (int64_t i = 1; i < 256; ++i) {
    lo = std::max(lo, (table[i] * 65536 + i - 1) / i);
    hi = std::min(hi, ((table[i] + 1) * 65536 + i - 1) / i - 1);
  }
  return lo <= hi ? int32_t(lo) : -1;
}

// One row of pixels turned grey eight at a time; answers how many pixels it did.
int Gray_Row_Fixed(QRgb* row, int w, const int32_t factor[3], uint32_t mask) {
  const __m128i low = _mm_set1_epi32(0xFF), white = _mm_set1_epi32(0xFFFFFF), opaque = _mm_set1_epi32(int(0xFF000000u));
  const __m128i fr = _mm_set1_epi16(short(factor[0])), fg = _mm_set1_epi16(short(factor[1])),
                fb = _mm_set1_epi16(short(factor[2]));
  const __m128i levels = _mm_set1_epi16(short(mask)), top = _mm_set1_epi16(255);
  int x = 0;
  for (; x + 8 <= w; x += 8) {
    // The loop is long enough that the processor keeps few loads in flight: fetch ahead by hand.
    _mm_prefetch(reinterpret_cast<const char*>(row + x) + 1024, _MM_HINT_T0);
    const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
    const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4));
    const __m128i r = _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(p0, 16), low), _mm_and_si128(_mm_srli_epi32(p1, 16), low));
    const __m128i g = _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(p0, 8), low), _mm_and_si128(_mm_srli_epi32(p1, 8), low));
    const __m128i b = _mm_packs_epi32(_mm_and_si128(p0, low), _mm_and_si128(p1, low));
    __m128i v = _mm_add_epi16(_mm_add_epi16(_mm_mulhi_epu16(r, fr), _mm_mulhi_epu16(g, fg)), _mm_mulhi_epu16(b, fb));
    v = _mm_and_si128(_mm_min_epi16(v, top), levels);
    const __m128i isWhite = _mm_packs_epi32(_mm_cmpeq_epi32(_mm_and_si128(p0, white), white),
                                            _mm_cmpeq_epi32(_mm_and_si128(p1, white), white));
    v = _mm_or_si128(_mm_andnot_si128(isWhite, v), _mm_and_si128(isWhite, top));
    const __m128i zero = _mm_setzero_si128();
    for (int half = 0; half < 2; ++half) {
      const __m128i v32 = half == 0 ? _mm_unpacklo_epi16(v, zero) : _mm_unpackhi_epi16(v, zero);
      const __m128i out = _mm_or_si128(_mm_or_si128(opaque, v32), _mm_or_si128(_mm_slli_epi32(v32, 8), _mm_slli_epi32(v32, 16)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x + 4 * half), out);
    }
  }
  return x;
}

}  // namespace

void Gray(Platform::Picture& pic, const classColorMap& grey, int32_t levels, const Progress& progress) {
  // The grey value of a colour is the sum of three lookups, read here into plain tables. Where each table
  // is a fixed-point product (as the grey map's shares are), whole rows are done eight pixels at a time.
  uint16_t red[256], green[256], blue[256];
  for (int i = 0; i < 256; ++i) {
    red[i] = uint16_t(std::clamp(grey.Red(i), 0, 255));
    green[i] = uint16_t(std::clamp(grey.Green(i), 0, 255));
    blue[i] = uint16_t(std::clamp(grey.Blue(i), 0, 255));
  }
  const int32_t factor[3] = {Fixed_Point_Factor(red), Fixed_Point_Factor(green), Fixed_Point_Factor(blue)};
  const bool fixed = factor[0] >= 0 && factor[1] >= 0 && factor[2] >= 0;
  const uint32_t mask = levels == 4 ? 0xC0u : levels == 16 ? 0xF0u : 0xFFu;
  const int w = pic.Width(), h = pic.Height();
  QImage& img = pic.Image();
  if (img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32) {
    uchar* base = img.bits();
    const qsizetype stride = img.bytesPerLine();
    for (int y = 0; y < h; ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(base + qsizetype(y) * stride);
      for (int x = fixed ? Gray_Row_Fixed(row, w, factor, mask) : 0; x < w; ++x) {
        const QRgb c = row[x];
        uint32_t v = 255;
        if ((c & 0xFFFFFFu) != 0xFFFFFFu)
          v = std::min<uint32_t>(red[(c >> 16) & 0xFF] + green[(c >> 8) & 0xFF] + blue[c & 0xFF], 255u) & mask;
        row[x] = 0xFF000000u | (v * 0x010101u);
      }
      if (progress) progress(w);
    }
    return;
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) pic.SetPixel(x, y, modMAIN::GrayPixel(pic.Pixel(x, y), levels));
    if (progress) progress(w);
  }
}

int32_t CountColors(const Platform::Picture& pic, bool& all_gray, bool stop_early, int max_threads) {
  const int w = pic.Width(), h = pic.Height();
  uint32_t notGrey = 0;
  int32_t count = 0;
  const int threads = stop_early ? 1 : std::min(CountThreads(qint64(w) * h), max_threads > 0 ? max_threads : 8);
  if (stop_early) {
    // Row by row, so that the early stop sees the count after each row.
    PresenceBits seen;
    RowSource rows(pic);
    for (int y = 0; y < h; ++y) {
      uint32_t last = 0xFFFFFFFFu;  // no colour
      count += MarkRowCounting(rows.Row(y), w, seen.bits, notGrey, last);
      if (count > 256) break;
    }
  } else if (threads == 1) {
    // The colours marked, their bits counted once at the end.
    PresenceBits seen;
    RowSource rows(pic);
    for (int y = 0; y < h; ++y) MarkRow(rows.Row(y), w, seen.bits, notGrey);
    count = CountBits(seen.bits, PresenceBits::kWords);
  } else {
    // Each thread marks the colours of a band of rows in a table of its own; the tables are joined and
    // their bits counted. The picture is read by the threads together; nothing is written to it.
    if (pic.Tiles()) pic.Image();  // one plane for all threads to read
    std::vector<std::unique_ptr<PresenceBits>> tables;
    for (int t = 0; t < threads; ++t) tables.push_back(std::make_unique<PresenceBits>());
    std::vector<uint32_t> greys(size_t(threads), 0);
    auto band = [&](int t) {
      RowSource rows(pic);
      uint32_t grey = 0;
      for (int y = int(qint64(h) * t / threads); y < int(qint64(h) * (t + 1) / threads); ++y)
        MarkRow(rows.Row(y), w, tables[size_t(t)]->bits, grey);
      greys[size_t(t)] = grey;
    };
    {
      std::vector<std::jthread> workers;
      for (int t = 1; t < threads; ++t) workers.emplace_back(band, t);
      band(0);
    }
    for (int t = 1; t < threads; ++t) OrInto(tables[0]->bits, tables[size_t(t)]->bits, PresenceBits::kWords);
    for (uint32_t g : greys) notGrey |= g;
    count = CountBits(tables[0]->bits, PresenceBits::kWords);
  }
  all_gray = notGrey == 0;
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
  if (!DozerIvidEffectsLibrary::EFFECTS_Picture_GOT()) return;
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
    else if (levels == 16) v &= 0xF0;
  }
  return Platform::RGB(v, v, v);
}

int32_t Count_Colors(bool& all_gray, bool stop_early) {
  return ColorOps::CountColors(*Platform::Checked(work_area, "work_area"), all_gray, stop_early);
}

}  // namespace modMAIN
