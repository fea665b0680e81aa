#include "platform/FolderItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Platform {

FolderItem::FolderItem(QString path) : path_(QDir::cleanPath(std::move(path))) {}

FolderItemPtr FolderItem::FromPath(const QString& path) {
  if (path.isEmpty()) return nullptr;
  return std::make_shared<FolderItem>(QFileInfo(path).absoluteFilePath());
}

QString FolderItem::Name() const { return QFileInfo(path_).fileName(); }
bool FolderItem::Exists() const { return QFileInfo::exists(path_); }
bool FolderItem::Directory() const { return QFileInfo(path_).isDir(); }
qint64 FolderItem::Length() const { return QFileInfo(path_).size(); }

bool FolderItem::Delete() const {
  QFileInfo info(path_);
  if (info.isDir()) return QDir().rmdir(path_);
  return QFile::remove(path_);
}

bool FolderItem::CreateAsFolder() const { return QDir().mkpath(path_); }

FolderItemPtr FolderItem::Child(const QString& name) const {
  return std::make_shared<FolderItem>(path_ + QLatin1Char('/') + name);
}

FolderItemPtr FolderItem::Parent() const {
  QFileInfo info(path_);
  const QString parent = info.absolutePath();
  if (parent == path_) return nullptr;
  return std::make_shared<FolderItem>(parent);
}

FolderItemPtr FolderItem::ApplicationData() {
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
  return std::make_shared<FolderItem>(base);
}

FolderItemPtr FolderItem::Desktop() {
  QString path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (path.isEmpty()) path = QDir::homePath() + QStringLiteral("/Desktop");
  return std::make_shared<FolderItem>(path);
}

FolderItemPtr FolderItem::Temporary() { return std::make_shared<FolderItem>(QDir::tempPath()); }

QString FolderItem::ExecutableName() {
  const QString path = QCoreApplication::applicationFilePath();
  QString name = QFileInfo(path).fileName();
  // Test programs and tools stand in for the program itself.
  if (name.isEmpty() || name.startsWith(QLatin1String("test_")) || name.startsWith(QLatin1String("bench_")))
    name = QStringLiteral("pixmura");
  return name;
}

}  // namespace Platform
