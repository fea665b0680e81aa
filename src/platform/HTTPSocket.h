#pragma once
// The HTTP client: a synchronous get of a text with a time-out, and an asynchronous get into a file that
// ends in one of two events. Subclasses handle the events.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <cstdint>
#include <memory>

#include "platform/FolderItem.h"

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;
class QTimer;

namespace Platform {

using HTTPHeaders = QList<QPair<QByteArray, QByteArray>>;

class HTTPSocket : public QObject {
  Q_OBJECT
 public:
  // Error codes of a download that are not the network layer's own (those keep their QNetworkReply
  // numbers, and a server's answer other than 200 is reported with its HTTP status).
  static constexpr int32_t kErrorTimeout = 4;        // nothing arrived for the idle time-out
  static constexpr int32_t kErrorFileWrite = 202;    // the file could not be written or put in place
  static constexpr int32_t kErrorEmptyBody = 299;    // the server answered 200 with nothing
  static constexpr int32_t kErrorIncomplete = 2;     // the body ended before its Content-Length (the
                                                     // network layer's "remote host closed")

  HTTPSocket();
  ~HTTPSocket() override;

  // While on, a synchronous get lets the program handle every other event while it waits; while off,
  // user input waits until the request has ended.
  bool Yield = false;

  // Fetches the address and returns the response body; empty on no connection, a time-out, an invalid
  // address, an HTTP error status (the body is then the server's error page) or a body larger than
  // maxBytes.
  QString Get(const QString& url, int timeoutSeconds, qint64 maxBytes = 64 * 1024);

  // Starts fetching the address into the file and returns at once. The body goes to a temporary file
  // beside the target, which replaces the target only when the server answered 200 with a body of the
  // length it announced and the transfer ended without error; the target is never touched otherwise. Ends in Event_DownloadComplete or Event_Error, raised later on the
  // event loop.
  void GetToFile(const QString& url, const FolderItemPtr& target);
  bool Downloading() const;

  // The owner gives up the socket: it deletes itself now, or once its download has raised its event.
  void Release();

  // Milliseconds without a byte after which a download gives up (tests shorten it).
  static int DownloadIdleTimeout();
  static void SetDownloadIdleTimeout(int ms);

 protected:
  virtual void Event_DownloadComplete(const QString& url, int32_t httpStatus, const HTTPHeaders& headers,
                                      const FolderItemPtr& file) {}
  virtual void Event_Error(int32_t code) {}

 private:
  void DownloadData();
  void DownloadFinished();
  void FailDownload(int32_t code);
  void EndDownload();

  QNetworkAccessManager* manager_ = nullptr;
  QNetworkReply* download_ = nullptr;
  std::unique_ptr<QSaveFile> file_;
  QTimer* idle_ = nullptr;
  QString downloadUrl_;
  FolderItemPtr target_;
  qint64 written_ = 0;
  bool timedOut_ = false;
  bool writeFailed_ = false;
  bool released_ = false;
};

}  // namespace Platform
