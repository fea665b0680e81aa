#pragma once
// A file or folder of the file system, and the special folders the program uses.
#include <QString>
#include <memory>

namespace Platform {

class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;

class FolderItem {
 public:
  explicit FolderItem(QString path);
  static FolderItemPtr FromPath(const QString& path);

  // The name as the file system presents it (the last component of the path).
  QString Name() const;
  // The path used on command lines and kept in the recent files.
  QString ShellPath() const { return path_; }
  QString AbsolutePath() const { return path_; }
  bool Exists() const;
  bool Directory() const;
  qint64 Length() const;
  // Deletes the file (or an empty folder); false when it could not be deleted.
  bool Delete() const;
  // Makes the folder (and its parents); false when it could not be made.
  bool CreateAsFolder() const;
  FolderItemPtr Child(const QString& name) const;
  FolderItemPtr Parent() const;

  // Per-user application data ($XDG_DATA_HOME, or ~/.local/share).
  static FolderItemPtr ApplicationData();
  // The user's desktop folder; it may not exist.
  static FolderItemPtr Desktop();
  // The temporary folder.
  static FolderItemPtr Temporary();
  // The name of the program's executable file.
  static QString ExecutableName();

 private:
  QString path_;
};

}  // namespace Platform
