#include "platform/PngWriter.h"

#include <libdeflate.h>
#include <zlib.h>

#include <QIODevice>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "platform/VectorCode.h"
#include "platform/Picture.h"
#include "platform/RuntimeError.h"

namespace Platform {

namespace {

// The compression levels and the filters, as measured on 24-megapixel pictures (two photographs and a
// screenshot) against ImageMagick's files: each row is filtered by Sub or by Paeth, whichever leaves the
// smaller sum of differences. Sub suits photographs whose noise is shared by the channels of a pixel
// (their files came out 12 % smaller than with Paeth throughout), Paeth suits flat areas and text; the
// three other filters made photographs larger. Level 3 made the photographs' files smaller than
// ImageMagick's at less than half the time of level 7, but left the screenshot 20 % larger; level 7
// brings it within 2 %. Flat pictures compress quickly at any level: a band that level 3 makes eight
// times smaller or more is compressed again at level 7.
constexpr int kLevel = 3;
constexpr int kFlatLevel = 7;
constexpr size_t kFlatRatio = 8;
// The rows are compressed in bands of about this many filtered bytes (whole rows, at least one), each
// on whichever processor is free, and the bands are joined into one zlib stream. The bands depend on the
// picture alone, so the file is the same on every machine.
constexpr size_t kBandBytes = size_t(1) << 20;
// The largest IDAT chunk written; longer streams are split over several chunks.
constexpr size_t kMaxChunk = size_t(1) << 30;

enum ColourType : uchar { kGrey = 0, kRgb = 2, kPalette = 3, kRgba = 6 };

struct Layout {
  ColourType type = kRgb;
  int bitDepth = 8;
  int bytesPerPixel = 3;  // the distance to the left neighbour in filtering (1 below 8 bits)
  size_t rowBytes = 0;
  bool filtered = true;  // palette and 1-bit rows are written unfiltered
};

// An indexed image whose table is the 256 greys in order is written as grey.
bool GreyRamp(const QImage& image) {
  const QList<QRgb> table = image.colorTable();
  for (qsizetype i = 0; i < table.size(); ++i)
    if (table[i] != qRgb(int(i), int(i), int(i))) return false;
  return true;
}

Layout LayoutOf(const QImage& image) {
  Layout l;
  const size_t w = size_t(image.width());
  switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
      l.type = kRgb;
      l.bytesPerPixel = 3;
      break;
    case QImage::Format_ARGB32:
      l.type = kRgba;
      l.bytesPerPixel = 4;
      break;
    case QImage::Format_Grayscale8:
      l.type = kGrey;
      l.bytesPerPixel = 1;
      break;
    case QImage::Format_Indexed8:
      l.type = GreyRamp(image) ? kGrey : kPalette;
      l.bytesPerPixel = 1;
      l.filtered = l.type == kGrey;
      break;
    case QImage::Format_Mono:
      l.type = kPalette;
      l.bitDepth = 1;
      l.bytesPerPixel = 1;
      l.filtered = false;
      l.rowBytes = (w + 7) / 8;
      return l;
    default:
      break;
  }
  l.rowBytes = w * size_t(l.bytesPerPixel);
  return l;
}

// One row of the image in the file's byte order.
void PngRow(const QImage& image, int y, const Layout& l, uchar* out) {
  const uchar* src = image.constScanLine(y);
  const int w = image.width();
  switch (image.format()) {
    case QImage::Format_RGB32:
      Rgb32ToRgb888(reinterpret_cast<const QRgb*>(src), out, w);
      break;
    case QImage::Format_ARGB32: {
      const QRgb* s = reinterpret_cast<const QRgb*>(src);
      for (int x = 0; x < w; ++x) {
        const QRgb c = s[x];
        out[4 * x] = uchar(c >> 16);
        out[4 * x + 1] = uchar(c >> 8);
        out[4 * x + 2] = uchar(c);
        out[4 * x + 3] = uchar(c >> 24);
      }
      break;
    }
    case QImage::Format_Mono:
      std::memcpy(out, src, l.rowBytes);
      // The bits past the last pixel are written as 0.
      if (w % 8) out[l.rowBytes - 1] &= uchar(0xFF00 >> (w % 8));
      break;
    default:
      std::memcpy(out, src, l.rowBytes);
      break;
  }
}

// The Paeth filter of one row: each byte less the neighbour (left, above or above-left) nearest to
// left + above - above-left. The row above of the first row is zeros.
PIXMURA_VECTOR_CLONES
void PaethRow(const uchar* __restrict cur, const uchar* __restrict prev, uchar* __restrict out, size_t n, int bpp) {
  const size_t first = std::min(n, size_t(bpp));
  for (size_t i = 0; i < first; ++i) out[i] = uchar(cur[i] - prev[i]);
  for (size_t i = first; i < n; ++i) {
    const short a = cur[i - size_t(bpp)], b = prev[i], c = prev[i - size_t(bpp)];
    const short pa = short(std::abs(b - c)), pb = short(std::abs(a - c)), pc = short(std::abs(a + b - 2 * c));
    const short pred = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
    out[i] = uchar(cur[i] - pred);
  }
}

// The Sub filter of one row: each byte less the byte of the pixel to its left.
PIXMURA_VECTOR_CLONES
void SubRow(const uchar* __restrict cur, uchar* __restrict out, size_t n, int bpp) {
  const size_t first = std::min(n, size_t(bpp));
  for (size_t i = 0; i < first; ++i) out[i] = cur[i];
  for (size_t i = first; i < n; ++i) out[i] = uchar(cur[i] - cur[i - size_t(bpp)]);
}

// The sum of the filtered bytes taken as signed differences (0 to 128 each): the smaller, the better the
// row compresses as a rule.
PIXMURA_VECTOR_CLONES
uint64_t DifferenceSum(const uchar* __restrict row, size_t n) {
  uint64_t sum = 0;
  for (size_t i = 0; i < n; ++i) {
    const int v = row[i];
    sum += uint64_t(v < 128 ? v : 256 - v);
  }
  return sum;
}

void Put32(uchar* p, quint32 v) {
  p[0] = uchar(v >> 24);
  p[1] = uchar(v >> 16);
  p[2] = uchar(v >> 8);
  p[3] = uchar(v);
}

// Writes all the bytes. A write that took only some of them is followed by another for the rest: a
// file that cannot grow says why only on the write that takes nothing.
bool WriteAll(QIODevice& device, const void* data, qint64 size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const qint64 written = device.write(p, size);
    if (written <= 0) return false;
    p += written;
    size -= written;
  }
  return true;
}

// Writes one chunk: length, type, data and the CRC of type and data.
bool WriteChunk(QIODevice& device, const char type[4], const uchar* data, size_t size) {
  uchar head[8];
  Put32(head, quint32(size));
  std::memcpy(head + 4, type, 4);
  uint32_t crc = libdeflate_crc32(0, head + 4, 4);
  if (size) crc = libdeflate_crc32(crc, data, size);
  uchar tail[4];
  Put32(tail, crc);
  return WriteAll(device, head, 8) && WriteAll(device, data, qint64(size)) && WriteAll(device, tail, 4);
}

struct Compressor {
  explicit Compressor(int level) : c(libdeflate_alloc_compressor(level)) {
    if (!c) throw OutOfMemoryException(QStringLiteral("Not enough memory to compress the picture"));
  }
  ~Compressor() { libdeflate_free_compressor(c); }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
  libdeflate_compressor* c;
};

// Rows y0 to y1 - 1 of the image filtered, each led by its filter byte, into out.
void FilterRows(const QImage& image, const Layout& l, int y0, int y1, uchar* out) {
  const size_t lineBytes = l.rowBytes + 1;
  if (!l.filtered) {
    for (int y = y0; y < y1; ++y) {
      uchar* line = out + size_t(y - y0) * lineBytes;
      line[0] = 0;
      PngRow(image, y, l, line + 1);
    }
    return;
  }
  // The row above the band (zeros above the first row), the row itself and its Sub filtering.
  std::vector<uchar> rows(3 * l.rowBytes, 0);
  uchar* prev = rows.data();
  uchar* cur = prev + l.rowBytes;
  uchar* sub = cur + l.rowBytes;
  if (y0 > 0) PngRow(image, y0 - 1, l, prev);
  for (int y = y0; y < y1; ++y) {
    uchar* line = out + size_t(y - y0) * lineBytes;
    PngRow(image, y, l, cur);
    PaethRow(cur, prev, line + 1, l.rowBytes, l.bytesPerPixel);
    SubRow(cur, sub, l.rowBytes, l.bytesPerPixel);
    // Sub only where it is strictly better: Paeth otherwise.
    if (DifferenceSum(sub, l.rowBytes) < DifferenceSum(line + 1, l.rowBytes)) {
      line[0] = 1;
      std::memcpy(line + 1, sub, l.rowBytes);
    } else {
      line[0] = 4;
    }
    std::swap(cur, prev);
  }
}

// What one thread keeps from band to band: the compressor, zlib's inflater that walks the blocks, and
// the working memory.
struct Worker {
  Worker() {
    if (inflateInit2(&walker, -15) != Z_OK) throw OutOfMemoryException(QStringLiteral("Not enough memory to compress the picture"));
  }
  ~Worker() { inflateEnd(&walker); }
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  Compressor compressor{kLevel}, flatCompressor{kFlatLevel};
  z_stream walker{};
  std::unique_ptr<uchar[]> filtered, packed, scratch{new uchar[kScratch]};
  size_t filteredCapacity = 0, packedCapacity = 0;
  static constexpr size_t kScratch = size_t(1) << 16;
};

// Makes a raw deflate stream of whole blocks one that another stream may follow: its last block no longer
// ends the stream, and an empty stored block brings it to a whole byte (as zlib's sync flush does). The
// blocks are walked by zlib's inflater, which stops at each block boundary and tells at which bit it
// stands. False when the stream cannot be walked.
bool OpenTheEnd(std::vector<uchar>& packed, Worker& w) {
  z_stream& z = w.walker;
  if (inflateReset(&z) != Z_OK) return false;
  z.next_in = packed.data();
  z.avail_in = uInt(packed.size());
  uint64_t blockStart = 0, lastStart = 0, end = 0;
  bool found = false;
  while (!found) {
    z.next_out = w.scratch.get();
    z.avail_out = uInt(Worker::kScratch);
    if (inflate(&z, Z_BLOCK) != Z_OK) break;
    if (z.data_type & 128) {
      // At a block boundary: the bit after the block just decoded.
      const uint64_t at = uint64_t(z.next_in - packed.data()) * 8 - uint64_t(z.data_type & 7);
      if (z.data_type & 64) {
        lastStart = blockStart;
        end = at;
        found = true;
      }
      blockStart = at;
    }
  }
  if (!found) return false;
  packed[size_t(lastStart / 8)] &= uchar(~(1u << (lastStart % 8)));
  // The empty stored block: three zero bits (not final, stored), zeros to the byte's end, then the
  // length 0 and its complement. The unused bits of the last byte take the three bits where they can.
  const int unused = int((8 - end % 8) % 8);
  packed.resize(size_t((end + 7) / 8));
  if (unused) packed.back() &= uchar((1u << (8 - unused)) - 1);
  if (unused < 3) packed.push_back(0);
  for (uchar b : {uchar(0), uchar(0), uchar(0xFF), uchar(0xFF)}) packed.push_back(b);
  return true;
}

// One band's rows filtered and compressed; bands before the last are left open for the next to follow.
struct Band {
  int y0 = 0, y1 = 0;
  std::vector<uchar> packed;
  uint32_t adler = 1;     // of the band's filtered bytes
  size_t filteredSize = 0;
};

// Working memory of at least the size, kept for the next band.
uchar* Room(std::unique_ptr<uchar[]>& buffer, size_t& capacity, size_t size) {
  if (capacity < size) {
    buffer.reset(new uchar[size]);
    capacity = size;
  }
  return buffer.get();
}

void PackBand(const QImage& image, const Layout& l, Band& band, bool last, Worker& w) {
  const size_t size = size_t(band.y1 - band.y0) * (l.rowBytes + 1);
  uchar* filtered = Room(w.filtered, w.filteredCapacity, size);
  FilterRows(image, l, band.y0, band.y1, filtered);
  band.filteredSize = size;
  band.adler = libdeflate_adler32(1, filtered, size);
  const size_t bound = libdeflate_deflate_compress_bound(w.compressor.c, size);
  uchar* packed = Room(w.packed, w.packedCapacity, bound);
  size_t n = libdeflate_deflate_compress(w.compressor.c, filtered, size, packed, bound);
  if (n == 0) throw RuntimeException(QStringLiteral("The picture could not be compressed."));
  if (n * kFlatRatio <= size) {
    // A flat band: the higher level's stream where it is smaller (it fits where the first one did).
    const size_t flat = libdeflate_deflate_compress(w.flatCompressor.c, filtered, size, packed + n, bound - n);
    if (flat != 0 && flat < n) {
      std::memmove(packed, packed + n, flat);
      n = flat;
    }
  }
  // Room for the empty block that may follow.
  band.packed.reserve(n + 5);
  band.packed.assign(packed, packed + n);
  if (!last && !OpenTheEnd(band.packed, w)) throw RuntimeException(QStringLiteral("The picture could not be compressed."));
}

// Fills the bands on up to as many threads as the machine has processors, each taking the next band not
// yet taken. The first failure is passed on after every thread has stopped.
void PackBands(const QImage& image, const Layout& l, std::vector<Band>& bands) {
  const int threads = int(std::clamp<size_t>(std::thread::hardware_concurrency(), 1, bands.size()));
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto work = [&] {
    try {
      Worker worker;
      for (size_t i; !failed && (i = next++) < bands.size();) PackBand(image, l, bands[i], i + 1 == bands.size(), worker);
    } catch (...) {
      std::exception_ptr why = std::current_exception();
      try {
        std::rethrow_exception(why);
      } catch (const std::bad_alloc&) {
        why = std::make_exception_ptr(OutOfMemoryException(QStringLiteral("Not enough memory to compress the picture")));
      } catch (...) {
      }
      const std::lock_guard<std::mutex> hold(failureLock);
      if (!failure) failure = why;
      failed = true;
    }
  };
  {
    std::vector<std::jthread> workers;
    for (int t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

bool PngWriter::Handles(const QImage& image) {
  if (image.isNull()) return false;
  switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
    case QImage::Format_ARGB32:
    case QImage::Format_Grayscale8:
    case QImage::Format_Mono:
      return true;
    case QImage::Format_Indexed8:
      return image.colorCount() > 0;
    default:
      return false;
  }
}

QString PngWriter::Write(const QImage& image, QIODevice& device) {
  if (!Handles(image)) return QStringLiteral("The picture's format cannot be written as PNG.");
  const Layout l = LayoutOf(image);
  const int h = image.height();
  const size_t lineBytes = l.rowBytes + 1;

  // The bands of rows, filtered and compressed; the image is only read meanwhile.
  const int bandRows = int(std::clamp<size_t>(kBandBytes / lineBytes, 1, size_t(h)));
  std::vector<Band> bands(size_t((h + bandRows - 1) / bandRows));
  for (size_t i = 0; i < bands.size(); ++i) {
    bands[i].y0 = int(i) * bandRows;
    bands[i].y1 = std::min(h, bands[i].y0 + bandRows);
  }
  PackBands(image, l, bands);
  // The zlib stream: its header (deflate with a 32 KB window, the level's mark), the bands and the
  // Adler-32 of all filtered bytes.
  uLong adler = 1;
  for (const Band& b : bands) adler = adler32_combine(adler, b.adler, z_off_t(b.filteredSize));
  static const uchar kZlibHeader[2] = {0x78, 0x5E};
  uchar adlerBytes[4];
  Put32(adlerBytes, quint32(adler));

  static const uchar kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  uchar ihdr[13];
  Put32(ihdr, quint32(image.width()));
  Put32(ihdr + 4, quint32(h));
  ihdr[8] = uchar(l.bitDepth);
  ihdr[9] = l.type;
  ihdr[10] = ihdr[11] = ihdr[12] = 0;  // deflate, adaptive filtering, no interlace
  bool ok = WriteAll(device, kSignature, 8) && WriteChunk(device, "IHDR", ihdr, 13);
  if (ok && l.type == kPalette) {
    const QList<QRgb> table = image.colorTable();
    const size_t n = size_t(std::min<qsizetype>(table.size(), 256));
    std::vector<uchar> plte(3 * n), trns(n);
    size_t lastTranslucent = 0;
    for (size_t i = 0; i < n; ++i) {
      plte[3 * i] = uchar(qRed(table[qsizetype(i)]));
      plte[3 * i + 1] = uchar(qGreen(table[qsizetype(i)]));
      plte[3 * i + 2] = uchar(qBlue(table[qsizetype(i)]));
      trns[i] = uchar(qAlpha(table[qsizetype(i)]));
      if (trns[i] != 255) lastTranslucent = i + 1;
    }
    ok = WriteChunk(device, "PLTE", plte.data(), plte.size());
    if (ok && lastTranslucent) ok = WriteChunk(device, "tRNS", trns.data(), lastTranslucent);
  }
  // One IDAT chunk per band (split where a band is longer than a chunk may be): the header goes before
  // the first band, the checksum after the last.
  for (size_t i = 0; ok && i < bands.size(); ++i) {
    std::vector<uchar>& packed = bands[i].packed;
    if (i == 0) packed.insert(packed.begin(), kZlibHeader, kZlibHeader + 2);
    if (i + 1 == bands.size()) packed.insert(packed.end(), adlerBytes, adlerBytes + 4);
    for (size_t at = 0; ok && at < packed.size(); at += kMaxChunk)
      ok = WriteChunk(device, "IDAT", packed.data() + at, std::min(kMaxChunk, packed.size() - at));
    std::vector<uchar>().swap(packed);
  }
  if (ok) ok = WriteChunk(device, "IEND", nullptr, 0);
  if (!ok) return device.errorString().isEmpty() ? QStringLiteral("The file could not be written.") : device.errorString();
  return QString();
}

}  // namespace Platform
