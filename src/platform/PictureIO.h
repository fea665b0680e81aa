#pragma once
// Reading and writing picture files. Reading checks the size a file claims before anything is
// allocated; writing goes to a temporary file in the target's folder that replaces the target only
// when the whole file (and its conversion) was written, so a failed save leaves the old file whole.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "platform/Picture.h"

namespace Platform {

struct DecodedPicture {
  PicturePtr picture;     // nullptr when nothing could be decoded
  int fileDepth = 0;      // bits per pixel of the file: below 24 for indexed, grey and 16-bit pictures
  bool tooLarge = false;     // the file holds a picture larger than the program can hold
  bool outOfMemory = false;  // the picture is within that size but does not fit in memory now
  QSize size;             // the size the file claims, when it could be read
  QString error;          // why a picture that may be fine could not be read (the converter's time-out)
};

struct WriteResult {
  bool ok = false;
  bool converterMissing = false;  // a converted type was asked for and the converter is not there
  QString error;                  // why the file could not be written
};

class PictureIO {
 public:
  // Lets Qt's decoders allocate pictures as large as Picture::kMaxPixels (Qt's own limit is 256 MB).
  static void RaiseAllocationLimit();

  // Decodes the file. `type` is the type of its name; types that Qt cannot read (PICT, TIFF) go through
  // the image converter when it is there, read strictly as that type. A picture of fewer than 24 bits
  // per pixel comes back at 32 bits; an alpha channel becomes the mask.
  static DecodedPicture Read(const QString& path, const QString& type);
  // Decodes a picture held in memory, the decoder chosen by the contents, as Read does a file; only
  // when its header tells its size, and that size is at most maxPixels (else tooLarge).
  static DecodedPicture ReadData(const QByteArray& data, qint64 maxPixels);

  // The image to write for a picture: its colour plane, and alpha from the mask when one is given
  // (white in the mask is transparent).
  static QImage ImageToWrite(const Picture& picture, const Picture* mask = nullptr);

  // Writes the image in Qt's format ("png", "jpeg", "bmp") with the writer's default quality.
  static WriteResult Write(const QImage& image, const QString& path, const QByteArray& format);

  // Writes the image through the converter into `converterFormat` ("gif", "tiff"): a PNG in a private
  // temporary folder is converted there, read back whole and, when it has the image's size, copied into
  // a temporary file beside the target that then replaces the target (the file a link points to).
  static WriteResult WriteConverted(const QImage& image, const QString& path, const QString& converterFormat);

  // True when Qt has a decoder for the type.
  static bool QtReads(const QString& type);
};

}  // namespace Platform
