#include "support/Golden.h"

#include <QDir>
#include <QFileInfo>

namespace Golden {

QString Path(const QString& folder, const QString& name) {
  return qEnvironmentVariable("PIXMURA_SOURCE_DIR") + QStringLiteral("/tests/") + folder + QLatin1Char('/') + name +
         QStringLiteral(".png");
}

QString Compare(const QImage& picture, const QString& folder, const QString& name) {
  const QString path = Path(folder, name);
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  if (qEnvironmentVariableIntValue("PIXMURA_WRITE_GOLDEN")) {
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path) ? QString() : QStringLiteral("cannot write ") + path;
  }
  const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
  if (golden.isNull()) return QStringLiteral("no golden picture ") + path;
  if (golden.size() != image.size()) return QStringLiteral("size differs from ") + path;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (golden.pixel(x, y) != image.pixel(x, y)) {
        const QString actual = QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral("-actual.png");
        image.save(actual);
        return QStringLiteral("%1 differs at (%2, %3); drawn: %4").arg(path).arg(x).arg(y).arg(actual);
      }
  return {};
}

}  // namespace Golden
