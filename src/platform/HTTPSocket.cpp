#include "platform/HTTPSocket.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>

namespace Platform {

namespace {
int& IdleTimeout() {
  static int ms = 30000;
  return ms;
}

bool UsableAddress(const QUrl& url) {
  return url.isValid() && !url.host().isEmpty() &&
         (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}
}  // namespace

int HTTPSocket::DownloadIdleTimeout() { return IdleTimeout(); }
void HTTPSocket::SetDownloadIdleTimeout(int ms) { IdleTimeout() = ms; }

HTTPSocket::HTTPSocket() : manager_(new QNetworkAccessManager(this)), idle_(new QTimer(this)) {
  idle_->setSingleShot(true);
  connect(idle_, &QTimer::timeout, this, [this] {
    timedOut_ = true;
    if (download_) download_->abort();
  });
}

HTTPSocket::~HTTPSocket() = default;

QString HTTPSocket::Get(const QString& url, int timeoutSeconds, qint64 maxBytes) {
  const QUrl address(url);
  if (!UsableAddress(address)) return QString();
  QNetworkReply* reply = manager_->get(QNetworkRequest(address));
  bool tooBig = false;
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  connect(&timer, &QTimer::timeout, reply, &QNetworkReply::abort);
  connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  connect(reply, &QNetworkReply::readyRead, reply, [&] {
    if (reply->bytesAvailable() > maxBytes) {
      tooBig = true;
      reply->abort();
    }
  });
  timer.start(timeoutSeconds * 1000);
  if (!reply->isFinished()) loop.exec(Yield ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  // The loop also ends when the program quits; an unfinished request is then given up.
  if (!reply->isFinished()) reply->abort();
  // An answer with an error status is the server's error page, not the text that was asked for, even
  // when it reads like one ("404 page not found").
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const bool failedStatus = status != 0 && (status < 200 || status > 299);
  QByteArray body;
  if (!tooBig && !failedStatus && reply->error() != QNetworkReply::OperationCanceledError) body = reply->readAll();
  reply->deleteLater();
  return QString::fromUtf8(body);
}

bool HTTPSocket::Downloading() const { return target_ != nullptr; }

void HTTPSocket::GetToFile(const QString& url, const FolderItemPtr& target) {
  if (Downloading() || !target) return;
  downloadUrl_ = url;
  target_ = target;
  written_ = 0;
  timedOut_ = writeFailed_ = false;
  const QUrl address(url);
  file_ = std::make_unique<QSaveFile>(target->ShellPath());
  if (!UsableAddress(address) || !file_->open(QIODevice::WriteOnly)) {
    const int32_t code = UsableAddress(address) ? kErrorFileWrite : int32_t(QNetworkReply::ProtocolUnknownError);
    // Events always come later, from the event loop, never inside the call that started the download.
    QTimer::singleShot(0, this, [this, code] { FailDownload(code); });
    return;
  }
  QNetworkRequest request(address);
  // The body as the server stores it, never compressed on the way: its length is then the
  // Content-Length that tells a whole download from one cut short.
  request.setRawHeader("Accept-Encoding", "identity");
  download_ = manager_->get(request);
  connect(download_, &QNetworkReply::readyRead, this, &HTTPSocket::DownloadData);
  connect(download_, &QNetworkReply::finished, this, &HTTPSocket::DownloadFinished);
  idle_->start(IdleTimeout());
}

void HTTPSocket::DownloadData() {
  if (!download_ || writeFailed_) return;
  idle_->start(IdleTimeout());
  const QByteArray bytes = download_->readAll();
  if (bytes.isEmpty()) return;
  if (file_->write(bytes) != bytes.size()) {
    writeFailed_ = true;
    download_->abort();
    return;
  }
  written_ += bytes.size();
}

void HTTPSocket::DownloadFinished() {
  idle_->stop();
  if (!timedOut_ && !writeFailed_) DownloadData();
  const int status = download_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  int32_t code = 0;
  if (timedOut_) code = kErrorTimeout;
  else if (writeFailed_) code = kErrorFileWrite;
  else if (status != 0 && status != 200) code = status;
  else if (download_->error() != QNetworkReply::NoError) code = int32_t(download_->error());
  else if (status != 200) code = int32_t(QNetworkReply::ProtocolFailure);
  else if (written_ == 0) code = kErrorEmptyBody;
  else if (const QVariant length = download_->header(QNetworkRequest::ContentLengthHeader);
           length.isValid() && length.toLongLong() != written_)
    code = kErrorIncomplete;
  if (code != 0) {
    FailDownload(code);
    return;
  }
  const HTTPHeaders headers = download_->rawHeaderPairs();
  if (!file_->commit()) {
    FailDownload(kErrorFileWrite);
    return;
  }
  const QString url = downloadUrl_;
  const FolderItemPtr file = target_;
  EndDownload();
  const auto release = qScopeGuard([this] {
    if (released_) deleteLater();
  });
  Event_DownloadComplete(url, status, headers, file);
}

void HTTPSocket::FailDownload(int32_t code) {
  if (file_) file_->cancelWriting();
  EndDownload();
  const auto release = qScopeGuard([this] {
    if (released_) deleteLater();
  });
  Event_Error(code);
}

void HTTPSocket::EndDownload() {
  idle_->stop();
  if (download_) {
    download_->disconnect(this);
    download_->deleteLater();
    download_ = nullptr;
  }
  file_.reset();
  target_.reset();
}

void HTTPSocket::Release() {
  released_ = true;
  if (!Downloading()) deleteLater();
}

}  // namespace Platform
