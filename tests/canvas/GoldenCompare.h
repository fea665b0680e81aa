#pragma once
// Compares a drawn picture with a golden one kept in golden/ (looked at by eye).
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <cstdlib>

namespace Canvas {

inline QString Golden_Path(const QString& name) {
  return qEnvironmentVariable("PIXMURA_SOURCE_DIR") + QStringLiteral("/tests/canvas/golden/") + name + ".png";
}

// Empty when the picture matches the golden one: every channel within the tolerance, and with a
// tolerance at most 1 % of the pixels off at all. PIXMURA_WRITE_GOLDEN=1 writes the picture instead.
inline QString Against_Golden(const QImage& image, const QString& name, int tolerance) {
  const QString path = Golden_Path(name);
  if (qEnvironmentVariableIntValue("PIXMURA_WRITE_GOLDEN")) {
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path) ? QString() : QStringLiteral("cannot write ") + path;
  }
  const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
  if (golden.isNull()) return QStringLiteral("no golden picture ") + path;
  if (golden.size() != image.size()) return QStringLiteral("size differs from ") + path;
  int off = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb a = golden.pixel(x, y), b = image.pixel(x, y);
      const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
      if (d == 0) continue;
      ++off;
      if (d > tolerance || (tolerance == 0)) {
        const QString actual = QDir::tempPath() + "/" + name + "-actual.png";
        image.save(actual);
        return QStringLiteral("%1 differs at (%2, %3) by %4; drawn: %5").arg(path).arg(x).arg(y).arg(d).arg(actual);
      }
    }
  if (off * 100 > image.width() * image.height()) return QStringLiteral("%1: %2 pixels differ").arg(path).arg(off);
  return {};
}

}  // namespace Canvas
