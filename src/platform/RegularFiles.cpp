#include "platform/RegularFiles.h"

#include <QFile>
#include <QFileInfo>

namespace Platform {

QString ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes) {
  bytes.clear();
  const QFileInfo info(path);
  if (!info.exists()) return QStringLiteral("The file does not exist.");
  if (info.isDir()) return QStringLiteral("It is a folder.");
  if (!info.isFile()) return QStringLiteral("It is not a file.");
  const QString tooLarge = QStringLiteral("The file is too large (over %1 MB).").arg(maxBytes / (1024 * 1024));
  if (info.size() > maxBytes) return tooLarge;
  QFile file(info.absoluteFilePath());
  if (!file.open(QIODevice::ReadOnly)) return file.errorString();
  // One byte more than allowed tells a file that grew while it was read from one that did not.
  bytes = file.read(maxBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    bytes.clear();
    return file.errorString();
  }
  if (bytes.size() > maxBytes) {
    bytes.clear();
    return tooLarge;
  }
  return QString();
}

QString WriteRefusal(const QString& path) {
  const QFileInfo info(path);
  // exists() and the kinds below follow links to their end.
  if (!info.exists()) {
    if (info.isSymLink()) return QStringLiteral("It is a link to something that does not exist.");
    return QString();
  }
  if (info.isDir()) return QStringLiteral("A folder of that name is in the way.");
  if (!info.isFile()) return QStringLiteral("It is not a regular file.");
  return QString();
}

}  // namespace Platform
