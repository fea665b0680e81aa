#include "platform/PictureIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "platform/Environment.h"
#include "platform/ImageConverter.h"
#include "platform/PngWriter.h"
#include "platform/RuntimeError.h"

namespace Platform {

void PictureIO::RaiseAllocationLimit() {
  // Eight bytes a pixel covers the widest format a decoder produces (16 bits per channel with alpha).
  static const int limitMb = int(Picture::kMaxPixels * 8 / (1024 * 1024)) + 1;
  if (QImageReader::allocationLimit() != limitMb) QImageReader::setAllocationLimit(limitMb);
}

bool PictureIO::QtReads(const QString& type) {
  if (type.isEmpty()) return false;
  return QImageReader::supportedImageFormats().contains(type.toLower().toLatin1());
}

namespace {

bool AllOpaque(const QImage& argb) {
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x)
      if (qAlpha(row[x]) != 255) return false;
  }
  return true;
}

// Makes the program's picture from a decoded image; fileDepth below 24 gives a 32-bit picture.
DecodedPicture FromDecoded(const QImage& img, int fileDepth) {
  DecodedPicture d;
  d.size = img.size();
  d.fileDepth = fileDepth;
  try {
    d.picture = Picture::FromImage(img, fileDepth >= 24 ? fileDepth : 32);
  } catch (const OutOfMemoryException&) {
    d.tooLarge = true;
  }
  return d;
}

int DepthOf(const QImage& img) {
  if (img.depth() < 24) return img.depth();
  return img.hasAlphaChannel() ? 32 : 24;
}

// Reads with Qt's decoder; the claimed size is checked first.
DecodedPicture ReadWithQt(QImageReader& reader) {
  DecodedPicture d;
  const QSize claimed = reader.size();
  if (claimed.isValid()) {
    d.size = claimed;
    if (!Picture::SizeAllowed(claimed.width(), claimed.height())) {
      d.tooLarge = true;
      return d;
    }
  }
  QImage img = reader.read();
  if (img.isNull()) return d;
  return FromDecoded(img, DepthOf(img));
}

DecodedPicture ReadWithConverter(const QString& path, const QString& type) {
  DecodedPicture d;
  QTemporaryFile png(QDir::tempPath() + QStringLiteral("/pixmura-read-XXXXXX.png"));
  if (!png.open()) return d;
  png.close();
  // Always RGBA: whether the picture has transparency is seen in its pixels afterwards.
  const ConvertResult c = ImageConverter::Convert(path, type, png.fileName(), QStringLiteral("png32"));
  if (!c.ok) return d;
  QImageReader reader(png.fileName(), "png");
  d = ReadWithQt(reader);
  if (!d.picture) return d;
  if (!d.picture->HasMask() || AllOpaque(d.picture->ToARGB())) {
    // An opaque picture: keep it as the 24-bit picture it was.
    d.picture = d.picture->CopyAtDepth(24);
    d.fileDepth = 24;
  }
  return d;
}

QString SystemError(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// The permissions a new file gets: those of the file it replaces, else the usual ones less the umask.
void GivePermissions(const QString& tempPath, const QString& target) {
  QFileInfo old(target);
  if (old.exists() && old.isFile()) {
    QFile::setPermissions(tempPath, old.permissions());
    return;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(QFile::encodeName(tempPath).constData(), 0666 & ~mask);
}

// Writes the image to the device: PNG through the program's own writer where it takes the image's
// format, everything else through Qt's writers. Returns why it failed, or an empty text.
QString WriteImage(const QImage& image, QIODevice& device, const QByteArray& format) {
  if (format == "png" && PngWriter::Handles(image)) return PngWriter::Write(image, device);
  QImageWriter writer(&device, format);
  if (writer.write(image)) return QString();
  return writer.error() != QImageWriter::UnknownError || device.errorString().isEmpty() ? writer.errorString()
                                                                                       : device.errorString();
}

}  // namespace

DecodedPicture PictureIO::Read(const QString& path, const QString& type) {
  DecodedPicture d;
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable()) return d;
  RaiseAllocationLimit();
  if (!QtReads(type)) {
    if (ImageConverter::Available()) return ReadWithConverter(path, type);
    return d;
  }
  // The decoder is chosen by the contents, so a JPEG named .png still opens.
  QImageReader reader(path);
  if (!reader.canRead()) return d;
  return ReadWithQt(reader);
}

QImage PictureIO::ImageToWrite(const Picture& picture, const Picture* mask) {
  const QImage& colour = picture.Image();
  if (!mask || mask->Width() != picture.Width() || mask->Height() != picture.Height()) {
    if (colour.format() == QImage::Format_RGB32) return colour;
    return colour.convertToFormat(QImage::Format_RGB32);
  }
  QImage out = AllocateImage(picture.Width(), picture.Height(), QImage::Format_ARGB32);
  const QImage src = colour.format() == QImage::Format_RGB32 ? colour : colour.convertToFormat(QImage::Format_RGB32);
  const QImage& m = mask->Image();
  const int w = out.width();
  for (int y = 0; y < out.height(); ++y) {
    const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    const uchar* a = m.constScanLine(y);
    QRgb* d = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) d[x] = (s[x] & 0xFFFFFFu) | (QRgb(255 - a[x]) << 24);
  }
  return out;
}

WriteResult PictureIO::Write(const QImage& image, const QString& path, const QByteArray& format) {
  WriteResult r;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    r.error = file.errorString();
    return r;
  }
  const QString failed = WriteImage(image, file, format);
  if (!failed.isEmpty()) {
    r.error = failed;
    file.cancelWriting();
    return r;
  }
  if (!file.commit()) {
    r.error = file.errorString();
    return r;
  }
  r.ok = true;
  return r;
}

WriteResult PictureIO::WriteConverted(const QImage& image, const QString& path, const QString& converterFormat) {
  WriteResult r;
  const QFileInfo target(path);
  if (target.isDir()) {
    r.error = QStringLiteral("A folder of that name is in the way.");
    return r;
  }
  // The file beside the target first, so that a folder that cannot be written is known before any work.
  QTemporaryFile out(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
  if (!out.open()) {
    r.error = out.errorString();
    return r;
  }
  out.close();

  QTemporaryFile png(QDir::tempPath() + QStringLiteral("/pixmura-save-XXXXXX.png"));
  if (!png.open()) {
    r.error = png.errorString();
    return r;
  }
  const QString failed = WriteImage(image, png, "png");
  if (!failed.isEmpty() || !png.flush()) {
    r.error = !failed.isEmpty() ? failed : png.errorString();
    return r;
  }
  png.close();
  Environment::ProcessEvents();

  const ConvertResult c = ImageConverter::Convert(png.fileName(), QStringLiteral("png"), out.fileName(), converterFormat);
  Environment::ProcessEvents();
  if (!c.found) {
    r.converterMissing = true;
    return r;
  }
  if (!c.ok) {
    r.error = c.output;
    return r;
  }
  GivePermissions(out.fileName(), path);
  if (std::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
    r.error = SystemError(errno);
    return r;
  }
  out.setAutoRemove(false);
  r.ok = true;
  return r;
}

}  // namespace Platform
