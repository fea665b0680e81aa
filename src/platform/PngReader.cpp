#include "platform/PngReader.h"

#include <libdeflate.h>

#include <QFile>
#include <cstring>
#include <memory>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/Picture.h"
#include "platform/RuntimeError.h"
#include "platform/VectorCode.h"

namespace Platform::PngReader {

namespace {

quint32 Get32(const uchar* p) { return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3]; }

// ---- Filters undone, one row at a time: cur from the filtered bytes and the row above (zeros above the
// first row). Sub, Average and Paeth take the pixel to the left as undone already, a pixel at a time.

PIXMURA_VECTOR_CLONES
void UndoUp(const uchar* __restrict raw, const uchar* __restrict prev, uchar* __restrict cur, size_t n) {
  for (size_t i = 0; i < n; ++i) cur[i] = uchar(raw[i] + prev[i]);
}

#if defined(__SSE2__)
// One pixel's bytes in the low lanes of a register, assembled in general registers (a short copy
// through memory would stall on every pixel).
template <int Bpp>
inline __m128i LoadPixel(const uchar* p) {
  uint32_t v;
  if constexpr (Bpp == 4) std::memcpy(&v, p, 4);
  else v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
  return _mm_cvtsi32_si128(int(v));
}
template <int Bpp>
inline void StorePixel(uchar* p, __m128i v) {
  const uint32_t u = uint32_t(_mm_cvtsi128_si32(v));
  if constexpr (Bpp == 4) {
    std::memcpy(p, &u, 4);
  } else {
    p[0] = uchar(u);
    p[1] = uchar(u >> 8);
    p[2] = uchar(u >> 16);
  }
}

template <int Bpp>
void UndoSub(const uchar* raw, uchar* cur, size_t n) {
  __m128i a = _mm_setzero_si128();
  for (size_t i = 0; i < n; i += Bpp) {
    a = _mm_add_epi8(LoadPixel<Bpp>(raw + i), a);
    StorePixel<Bpp>(cur + i, a);
  }
}

template <int Bpp>
void UndoAverage(const uchar* raw, const uchar* prev, uchar* cur, size_t n) {
  __m128i a = _mm_setzero_si128();
  const __m128i one = _mm_set1_epi8(1);
  for (size_t i = 0; i < n; i += Bpp) {
    const __m128i b = LoadPixel<Bpp>(prev + i);
    // floor((a + b) / 2): the rounded-up mean less the bit lost.
    const __m128i mean = _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), one));
    a = _mm_add_epi8(LoadPixel<Bpp>(raw + i), mean);
    StorePixel<Bpp>(cur + i, a);
  }
}

template <int Bpp>
void UndoPaeth(const uchar* raw, const uchar* prev, uchar* cur, size_t n) {
  const __m128i zero = _mm_setzero_si128();
  __m128i a = zero, c = zero;  // left and above-left, as 16-bit lanes
  for (size_t i = 0; i < n; i += Bpp) {
    const __m128i b = _mm_unpacklo_epi8(LoadPixel<Bpp>(prev + i), zero);
    const __m128i x = _mm_unpacklo_epi8(LoadPixel<Bpp>(raw + i), zero);
    // pa = |b - c|, pb = |a - c|, pc = |a + b - 2c|.
    const __m128i bc = _mm_sub_epi16(b, c), ac = _mm_sub_epi16(a, c);
    const __m128i sum = _mm_add_epi16(bc, ac);
    const __m128i pa = _mm_max_epi16(bc, _mm_sub_epi16(zero, bc));
    const __m128i pb = _mm_max_epi16(ac, _mm_sub_epi16(zero, ac));
    const __m128i pc = _mm_max_epi16(sum, _mm_sub_epi16(zero, sum));
    // a where pa is the least, else b where pb is no more than pc, else c.
    const __m128i useA = _mm_and_si128(_mm_cmpgt_epi16(_mm_add_epi16(pb, _mm_set1_epi16(1)), pa),
                                       _mm_cmpgt_epi16(_mm_add_epi16(pc, _mm_set1_epi16(1)), pa));
    const __m128i useB = _mm_cmpgt_epi16(_mm_add_epi16(pc, _mm_set1_epi16(1)), pb);
    const __m128i bOrC = _mm_or_si128(_mm_and_si128(useB, b), _mm_andnot_si128(useB, c));
    const __m128i pred = _mm_or_si128(_mm_and_si128(useA, a), _mm_andnot_si128(useA, bOrC));
    const __m128i value = _mm_and_si128(_mm_add_epi16(x, pred), _mm_set1_epi16(0xFF));
    StorePixel<Bpp>(cur + i, _mm_packus_epi16(value, zero));
    a = value;
    c = b;
  }
}
#else
template <int Bpp>
void UndoSub(const uchar* raw, uchar* cur, size_t n) {
  for (size_t i = 0; i < n; ++i) cur[i] = uchar(raw[i] + (i >= Bpp ? cur[i - Bpp] : 0));
}
template <int Bpp>
void UndoAverage(const uchar* raw, const uchar* prev, uchar* cur, size_t n) {
  for (size_t i = 0; i < n; ++i) cur[i] = uchar(raw[i] + (((i >= Bpp ? cur[i - Bpp] : 0) + prev[i]) >> 1));
}
template <int Bpp>
void UndoPaeth(const uchar* raw, const uchar* prev, uchar* cur, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const int a = i >= Bpp ? cur[i - Bpp] : 0, b = prev[i], c = i >= Bpp ? prev[i - Bpp] : 0;
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    cur[i] = uchar(raw[i] + (pa <= pb && pa <= pc ? a : pb <= pc ? b : c));
  }
}
#endif

// Undoes one row's filter; false for a filter that does not exist.
template <int Bpp>
bool UndoFilter(uchar filter, const uchar* raw, const uchar* prev, uchar* cur, size_t n) {
  switch (filter) {
    case 0:
      std::memcpy(cur, raw, n);
      return true;
    case 1:
      UndoSub<Bpp>(raw, cur, n);
      return true;
    case 2:
      UndoUp(raw, prev, cur, n);
      return true;
    case 3:
      UndoAverage<Bpp>(raw, prev, cur, n);
      return true;
    case 4:
      UndoPaeth<Bpp>(raw, prev, cur, n);
      return true;
    default:
      return false;
  }
}

// RGBA bytes to non-premultiplied ARGB32 pixels.
PIXMURA_VECTOR_CLONES
void RgbaToArgb32(const uchar* __restrict s, QRgb* __restrict d, int w) {
  for (int x = 0; x < w; ++x)
    d[x] = quint32(s[4 * x + 3]) << 24 | quint32(s[4 * x]) << 16 | quint32(s[4 * x + 1]) << 8 | s[4 * x + 2];
}

// The rows undone into the image: an RGB888 image takes them as they are, row y undone against the
// image's row y - 1; an ARGB32 image takes them from a pair of rows kept aside.
template <int Bpp>
bool UndoRows(const uchar* data, QImage& image) {
  const int w = image.width(), h = image.height();
  const size_t rowBytes = size_t(w) * Bpp;
  const bool direct = image.format() == QImage::Format_RGB888;
  std::vector<uchar> rows(direct ? rowBytes : 3 * rowBytes, 0);
  const uchar* prev = rows.data();  // zeros above the first row
  uchar* aside[2] = {direct ? nullptr : rows.data() + rowBytes, direct ? nullptr : rows.data() + 2 * rowBytes};
  for (int y = 0; y < h; ++y) {
    const uchar* line = data + size_t(y) * (rowBytes + 1);
    uchar* cur = direct ? image.scanLine(y) : aside[y % 2];
    if (!UndoFilter<Bpp>(line[0], line + 1, prev, cur, rowBytes)) return false;
    if (!direct) RgbaToArgb32(cur, reinterpret_cast<QRgb*>(image.scanLine(y)), w);
    prev = cur;
  }
  return true;
}

struct Decompressor {
  Decompressor() : d(libdeflate_alloc_decompressor()) {}
  ~Decompressor() { libdeflate_free_decompressor(d); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
  libdeflate_decompressor* d;
};

bool Decode(const uchar* file, qint64 size, QImage& image) {
  static const uchar kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < 8 || std::memcmp(file, kSignature, 8) != 0) return false;
  int bpp = 0;
  std::vector<std::pair<const uchar*, size_t>> idat;
  bool idatEnded = false, ended = false;
  for (qint64 at = 8; !ended;) {
    if (size - at < 12) return false;
    const quint32 length = Get32(file + at);
    if (length > 0x7FFFFFFFu || size - at - 12 < qint64(length)) return false;
    const uchar* type = file + at + 4;
    const uchar* body = type + 4;
    if (libdeflate_crc32(0, type, 4 + size_t(length)) != Get32(body + length)) return false;
    const bool first = at == 8;
    at += 12 + qint64(length);
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (!first || length != 13) return false;
      const quint32 w = Get32(body), h = Get32(body + 4);
      const uchar depth = body[8], colour = body[9];
      if (w != quint32(image.width()) || h != quint32(image.height()) || depth != 8) return false;
      if (body[10] != 0 || body[11] != 0 || body[12] != 0) return false;  // deflate, filters, no interlace
      if (colour == 2 && image.format() == QImage::Format_RGB888) bpp = 3;
      else if (colour == 6 && image.format() == QImage::Format_ARGB32) bpp = 4;
      else return false;
    } else if (first) {
      return false;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      if (idatEnded) return false;
      idat.emplace_back(body, size_t(length));
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      ended = true;
    } else {
      // Any other chunk may say something Qt's reader takes into the picture: Qt reads the file.
      return false;
    }
    if (!idat.empty() && std::memcmp(type, "IDAT", 4) != 0) idatEnded = true;
  }
  if (bpp == 0 || idat.empty()) return false;

  // The zlib stream, joined from the IDAT chunks where there are several.
  std::vector<uchar> joined;
  const uchar* stream = idat[0].first;
  size_t streamSize = idat[0].second;
  if (idat.size() > 1) {
    size_t total = 0;
    for (const auto& [p, n] : idat) total += n;
    joined.reserve(total);
    for (const auto& [p, n] : idat) joined.insert(joined.end(), p, p + n);
    stream = joined.data();
    streamSize = joined.size();
  }
  const size_t rawSize = (size_t(image.width()) * size_t(bpp) + 1) * size_t(image.height());
  LargeBuffer raw(rawSize);
  Decompressor decompressor;
  if (!decompressor.d) return false;
  size_t produced = 0;
  if (libdeflate_zlib_decompress(decompressor.d, stream, streamSize, raw.Data(), rawSize, &produced) !=
          LIBDEFLATE_SUCCESS ||
      produced != rawSize)
    return false;
  return bpp == 3 ? UndoRows<3>(raw.Data(), image) : UndoRows<4>(raw.Data(), image);
}

}  // namespace

bool DecodeInto(const QString& path, QImage& image) {
  if (image.isNull()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
  if (!mapped) return false;
  try {
    const bool done = Decode(mapped, size, image);
    file.unmap(const_cast<uchar*>(mapped));
    return done;
  } catch (const std::exception&) {
    // Not enough memory here: Qt's reader has its own way with the file.
    file.unmap(const_cast<uchar*>(mapped));
    return false;
  }
}

}  // namespace Platform::PngReader
