#pragma once
// A small HTTP server on 127.0.0.1 that the tests start themselves: it answers each path with a status
// and a body, keeps quiet on request, and remembers the paths asked for.
#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

class LoopbackServer {
 public:
  struct Answer {
    int status = 200;
    QByteArray body;
    bool silent = false;  // accepts the request and never answers
    bool stall = false;   // sends the headers and half the body, then nothing more
    qint64 cutAfter = -1; // sends the headers and this many bytes of the body, then closes the connection
  };

  LoopbackServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    port_ = server_.serverPort();
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
      while (QTcpSocket* s = server_.nextPendingConnection()) Accept(s);
    });
  }

  void Serve(const QString& path, Answer answer) { answers_[path] = std::move(answer); }
  void Serve(const QString& path, const QByteArray& body, int status = 200) {
    Answer a;
    a.status = status;
    a.body = body;
    answers_[path] = a;
  }
  // Stops listening: later connections are refused.
  void Refuse() { server_.close(); }

  // The address without a scheme, as the Website setting holds it.
  QString Host() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
  quint16 Port() const { return port_; }
  const QStringList& Requests() const { return requests_; }

 private:
  void Accept(QTcpSocket* s) {
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, buffer] {
      buffer->append(s->readAll());
      if (!buffer->contains("\r\n\r\n")) return;
      const QList<QByteArray> first = buffer->left(buffer->indexOf("\r\n")).split(' ');
      buffer->clear();
      const QString path = first.size() > 1 ? QString::fromUtf8(first[1]) : QString();
      requests_ << path;
      Answer a;
      if (answers_.contains(path)) a = answers_[path];
      else a.status = 404, a.body = "Not Found";
      if (a.silent) return;
      QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + " Answer\r\nContent-Length: " +
                        QByteArray::number(a.body.size()) + "\r\nConnection: close\r\n\r\n";
      if (a.cutAfter >= 0) {
        s->write(head + a.body.left(a.cutAfter));
        s->disconnectFromHost();
        return;
      }
      if (a.stall) {
        s->write(head + a.body.left(a.body.size() / 2));
        return;
      }
      s->write(head + a.body);
      s->disconnectFromHost();
    });
  }

  QTcpServer server_;
  quint16 port_ = 0;
  QMap<QString, Answer> answers_;
  QStringList requests_;
};
