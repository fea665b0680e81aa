#pragma once
// Small files the program keeps for itself (settings, gradients, the pattern sheet), which the user or
// another program may replace by anything: they are read only when they are regular files of a
// bounded size, and written only where a regular file is or may be made.
#include <QByteArray>
#include <QString>

namespace Platform {

// Reads the whole file into `bytes` when it is a regular file (or a link to one) of at most maxBytes.
// Empty when it was read; otherwise why not ("The file does not exist.", "It is a folder.", "It is not
// a file.", "The file is too large (over 8 MB).", or what the file system said). A device or a pipe is
// never opened, so nothing waits on it.
QString ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes);

// Why nothing may be written at the path, or an empty text when a file may be made or replaced there:
// nothing is there yet, or a regular file, or a link (through any number of links) to a regular file,
// whose file is then the one replaced. A folder, a device, a pipe, a socket, or a link to any of them
// or to nothing are refused.
QString WriteRefusal(const QString& path);

}  // namespace Platform
