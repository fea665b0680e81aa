#pragma once
// Helpers of the picture-file tests: test pictures, files and the document made from them.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTest>
#include <QWindow>

#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/PictureFiles.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/FolderItem.h"
#include "platform/ImageConverter.h"
#include "support/Fixture.h"

namespace FileTests {

// A picture of six flat colours in stripes, with pure white in the top-left 4 x 4 corner and a black
// diagonal: few colours (so that GIF keeps it exactly), some white (for transparency).
inline QImage Striped(int w = 40, int h = 30) {
  QImage img(w, h, QImage::Format_RGB32);
  const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 160, 60), qRgb(40, 70, 210),
                          qRgb(240, 200, 20), qRgb(120, 40, 160), qRgb(250, 250, 250)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, colours[(x / 7) % 6]);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) img.setPixel(x, y, qRgb(255, 255, 255));
  for (int i = 0; i < std::min(w, h); ++i) img.setPixel(i, i, qRgb(0, 0, 0));
  return img;
}

// Writes the image under the test's home in the format and returns the path.
inline QString WriteImage(const QString& relativePath, const QImage& img, const char* format = "png") {
  const QString path = Fixture::Home() + QLatin1Char('/') + relativePath;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QImageWriter w(path, format);
  if (!w.write(img)) qWarning() << "cannot write" << path << w.errorString();
  return path;
}

inline Platform::FolderItemPtr Item(const QString& path) { return Platform::FolderItem::FromPath(path); }

inline QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Makes the image the document: the only history state, untitled, unmodified.
inline void UseDocument(const QImage& img) {
  using namespace modMAIN;
  pic_Stack.clear();
  pic_Stack.Append(Platform::Picture::FromImage(img.convertToFormat(QImage::Format_RGB32), 32));
  Current_Picture = 0;
  Working_Color_Depth = 32;
  Save_as_Transparent = false;
  image_FolderObject.reset();
  Move_to_WorkArea();
  winMAIN::instance()->SetWindowModified(false);
  winMAIN::instance()->Update_Display();
}

// Paints one pixel of the working picture and commits it, as a tool would: the document is modified.
inline void Scribble(Platform::Color c = 0x123456) {
  modMAIN::work_area->SetPixel(1, 1, c);
  winMAIN::instance()->Draw_Complete();
}

// The working picture's colour plane as an RGB32 image.
inline QImage Shown() { return modMAIN::work_area->Image().convertToFormat(QImage::Format_RGB32); }

// Empty when the two are equal in every pixel's colour; else the first difference.
inline QString Compare(const QImage& a, const QImage& b, int tolerance = 0) {
  if (a.size() != b.size()) return QStringLiteral("size %1x%2 vs %3x%4").arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height());
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
          std::abs(qBlue(p) - qBlue(q)) > tolerance)
        return QStringLiteral("pixel (%1,%2): %3 vs %4").arg(x).arg(y).arg(p & 0xFFFFFF, 6, 16).arg(q & 0xFFFFFF, 6, 16);
    }
  return QString();
}

// The title as the window shows it: a "*" follows the name while there are unsaved changes.
inline QString Title() {
  const QWindow* window = winMAIN::instance()->windowHandle();
  return window ? window->title() : QStringLiteral("<no window>");
}

// The unsaved-changes question for a document of that name, answered with `answer`.
inline void ExpectSaveQuestion(const QString& name, const QString& answer) {
  Fixture::ExpectAlert(QStringLiteral("Do you want to save the changes you made in\nthe picture '") + name +
                           QStringLiteral("'?"),
                       QStringLiteral("Your changes will be lost if you don't save them."), answer,
                       {QStringLiteral("Save"), QStringLiteral("Don\u2019t Save"), QStringLiteral("Cancel")});
}

// The unreadable-file notice.
inline void ExpectUnreadable(const QString& name, const QString& type) {
  Fixture::ExpectAlert(QStringLiteral("The selected file '") + name + QLatin1Char('\''),
                       QStringLiteral("Is not a valid '") + type + QStringLiteral("' file."), QStringLiteral("OK"),
                       {QStringLiteral("OK")});
}

// Files in the folder whose names start with the prefix (left-over temporary files).
inline QStringList FilesStartingWith(const QString& folder, const QString& prefix) {
  QStringList out;
  for (const QString& n : QDir(folder).entryList(QDir::Files | QDir::Hidden))
    if (n.startsWith(prefix)) out << n;
  return out;
}

// ---- A PNG file that claims a size ----
inline quint32 Crc32(const QByteArray& data) {
  quint32 c = 0xFFFFFFFFu;
  for (uchar b : data) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}
inline QByteArray Chunk(const char* type, const QByteArray& body) {
  QByteArray out;
  const quint32 n = quint32(body.size());
  out.append(char(n >> 24)).append(char(n >> 16)).append(char(n >> 8)).append(char(n));
  const QByteArray typed = QByteArray(type) + body;
  out += typed;
  const quint32 crc = Crc32(typed);
  out.append(char(crc >> 24)).append(char(crc >> 16)).append(char(crc >> 8)).append(char(crc));
  return out;
}
// The start of a PNG file that claims the size; its pixel data never follows.
inline QByteArray PngHeader(quint32 w, quint32 h) {
  QByteArray ihdr;
  for (quint32 v : {w, h}) ihdr.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
  ihdr.append(char(8)).append(char(2)).append(char(0)).append(char(0)).append(char(0));
  return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", QByteArray("\x78\x9c", 2)) +
         Chunk("IEND", QByteArray());
}

}  // namespace FileTests
