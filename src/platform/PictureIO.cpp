#include "platform/PictureIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <cerrno>
#include <new>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "platform/Environment.h"
#include "platform/ImageConverter.h"
#include "platform/PngWriter.h"
#include "platform/RegularFiles.h"
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
    // The picture is within the size limit: it does not fit in memory now.
    d.outOfMemory = true;
  } catch (const std::bad_alloc&) {
    d.outOfMemory = true;
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
  // The decoder fills a picture of the size and format it asks for: asked for here first, a picture
  // that does not fit in memory is told apart from a damaged file. The decoders of the formats read
  // here use the picture given to them when it has their size and format.
  QImage img;
  const QImage::Format format = reader.imageFormat();
  if (claimed.isValid() && format != QImage::Format_Invalid) {
    try {
      img = AllocateImage(claimed.width(), claimed.height(), format);
    } catch (const OutOfMemoryException&) {
      d.outOfMemory = true;
      return d;
    }
  }
  if (!reader.read(&img) || img.isNull()) return d;
  return FromDecoded(img, DepthOf(img));
}

DecodedPicture ReadWithConverter(const QString& path, const QString& type) {
  DecodedPicture d;
  ConverterFolder folder;
  const QString input = QStringLiteral("in.") + type.toLower();
  if (!folder.Bring(path, input)) return d;
  // The size from the file's header: the conversion's time-out follows the pixels (a small file may
  // hold a large picture), and a picture larger than the program can hold is not converted at all.
  ConvertResult c;
  const QSize claimed = folder.HeaderSize(input, type, &c);
  if (!claimed.isValid()) {
    if (c.timedOut) d.error = c.output;
    return d;
  }
  d.size = claimed;
  if (!Picture::SizeAllowed(claimed.width(), claimed.height())) {
    d.tooLarge = true;
    return d;
  }
  // Always RGBA: whether the picture has transparency is seen in its pixels afterwards.
  c = folder.Run(input, type, QStringLiteral("out.png"), QStringLiteral("png32"),
                 qint64(claimed.width()) * claimed.height());
  if (!c.ok) {
    if (c.timedOut) d.error = c.output;
    return d;
  }
  QImageReader reader(folder.Path(QStringLiteral("out.png")), "png");
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

// Why the file at the path may not be replaced, or an empty text. Only a regular file is written (a
// link to a device would be written straight through). A file without any write permission
// is refused for every user: replacing it happens in its folder, where the file's own permission would
// not be asked, and a user who may write anything would otherwise not be asked at all.
QString Refusal(const QString& path) {
  const QString notRegular = WriteRefusal(path);
  if (!notRegular.isEmpty()) return notRegular;
  QFileInfo info(path);
  if (info.isSymLink()) info = QFileInfo(info.canonicalFilePath());
  if (!info.exists() || !info.isFile()) return QString();
  const QFileDevice::Permissions writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  if (info.permissions() & writable) return QString();
  return QStringLiteral("Existing file %1 is not writable").arg(info.absoluteFilePath());
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

// Ends a write to the file that is to replace its target: it does so only when every byte reached the
// file system. Returns why not, or an empty text: the file system's own reason where it gave one (a
// full disk), else the writer's.
QString Commit(QSaveFile& file, const QString& writerFailure) {
  // Qt keeps the last bytes in a buffer of its own: a full disk shows when they are pushed out.
  const bool flushed = file.flush();
  QString reason;
  if (file.error() != QFileDevice::NoError) reason = file.errorString();
  else if (!writerFailure.isEmpty()) reason = writerFailure;
  else if (!flushed) reason = QStringLiteral("The file could not be written.");
  if (!reason.isEmpty()) {
    file.cancelWriting();
    return reason;
  }
  errno = 0;
  if (file.commit()) return QString();
  const int err = errno;
  const QString said = file.errorString();
  if (err != 0 && (said.isEmpty() || said == QLatin1String("Unknown error"))) return SystemError(err);
  return said;
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
  r.error = Refusal(path);
  if (!r.error.isEmpty()) return r;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    r.error = file.errorString();
    return r;
  }
  r.error = Commit(file, WriteImage(image, file, format));
  r.ok = r.error.isEmpty();
  return r;
}

WriteResult PictureIO::WriteConverted(const QImage& image, const QString& path, const QString& converterFormat) {
  WriteResult r;
  // The file that replaces the target is opened first, so that a target that cannot be written (a
  // read-only file or folder) is known before any work. It replaces the file a link points to, as
  // every other save does.
  r.error = Refusal(path);
  if (!r.error.isEmpty()) return r;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    r.error = file.errorString();
    return r;
  }
  const auto fail = [&](const QString& why) {
    file.cancelWriting();
    r.error = why;
    return r;
  };
  ConverterFolder folder;
  if (!folder.IsValid()) return fail(QStringLiteral("No temporary folder could be made."));
  const QString input = QStringLiteral("in.png");
  const QString output = QStringLiteral("out.") + converterFormat.toLower();
  {
    QFile png(folder.Path(input));
    if (!png.open(QIODevice::WriteOnly)) return fail(png.errorString());
    const QString failed = WriteImage(image, png, "png");
    if (!failed.isEmpty()) return fail(failed);
    if (!png.flush()) return fail(png.errorString());
  }
  Environment::ProcessEvents();

  const qint64 pixels = qint64(image.width()) * image.height();
  const ConvertResult c = folder.Run(input, QStringLiteral("png"), output, converterFormat, pixels);
  Environment::ProcessEvents();
  if (!c.found) {
    file.cancelWriting();
    r.converterMissing = true;
    return r;
  }
  if (!c.ok) return fail(c.output);
  // A converter that reports success may still have written half a file: it must read back whole, at
  // the picture's size, before it replaces anything.
  QString why;
  const QSize back = folder.ReadBack(output, converterFormat, pixels, &why);
  if (!back.isValid()) return fail(why);
  if (back != image.size())
    return fail(QStringLiteral("The converter wrote a picture of %1 x %2 pixels instead of %3 x %4.")
                    .arg(back.width())
                    .arg(back.height())
                    .arg(image.width())
                    .arg(image.height()));

  QFile converted(folder.Path(output));
  if (!converted.open(QIODevice::ReadOnly)) return fail(converted.errorString());
  // A write that stops short (the disk filled up) is asked for the rest once more: only then does the
  // file system say why.
  QByteArray chunk;
  QString copyFailure;
  while (copyFailure.isEmpty() && !(chunk = converted.read(1 << 20)).isEmpty()) {
    for (qint64 done = 0; done < chunk.size();) {
      const qint64 n = file.write(chunk.constData() + done, chunk.size() - done);
      if (n <= 0) {
        copyFailure = QStringLiteral("The file could not be written.");
        break;
      }
      done += n;
    }
  }
  if (converted.error() != QFileDevice::NoError) return fail(converted.errorString());
  r.error = Commit(file, copyFailure);
  r.ok = r.error.isEmpty();
  return r;
}

}  // namespace Platform
