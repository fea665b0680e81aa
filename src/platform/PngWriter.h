#pragma once
// The program's own PNG writer: the picture's rows filtered and packed by libdeflate in bands on all
// processors, the bands joined into one zlib stream, written as IHDR, PLTE and tRNS where the colour
// type needs them, IDAT (one chunk per band) and IEND. The file depends on the picture alone, not on the
// number of processors. It writes the
// colour type and bit depth that Qt's PNG writer gives the same image: 8-bit RGB for 32-bit pictures,
// RGB with alpha for pictures with an alpha channel, grey for grey images and for palettes that are the
// 256 greys in order, a palette for other indexed images, 1-bit palette for black and white.
#include <QImage>
#include <QString>

class QIODevice;

namespace Platform {

class PngWriter {
 public:
  // True when the image's format is one this writer encodes; other images go through Qt's writer.
  static bool Handles(const QImage& image);
  // Writes the whole file to the device; returns why it failed, or an empty text. Throws
  // OutOfMemoryException when the working memory cannot be had.
  static QString Write(const QImage& image, QIODevice& device);
};

}  // namespace Platform
