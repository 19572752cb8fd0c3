#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A one-page HTTP server on 127.0.0.1 (a free port) for tests: every request
// gets the same response, then the connection closes.
class LocalHttpServer : public QTcpServer {
public:
    explicit LocalHttpServer(QByteArray body, QByteArray status = "200 OK",
                             QByteArray contentType = "text/html; charset=utf-8")
        : body_(std::move(body)), status_(std::move(status)), contentType_(std::move(contentType))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost, 0);
    }

    QUrl url(const QString& path = QStringLiteral("/kurlar/today.html")) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }
    int requests = 0;

private:
    void answer(QTcpSocket* socket)
    {
        QByteArray& seen = pending_[socket];
        seen += socket->readAll();
        if (!seen.contains("\r\n\r\n"))
            return;
        pending_.remove(socket);
        ++requests;
        socket->write("HTTP/1.1 " + status_ + "\r\nContent-Type: " + contentType_ + "\r\nContent-Length: " +
                      QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
        socket->disconnectFromHost();
    }

    QByteArray body_;
    QByteArray status_;
    QByteArray contentType_;
    QHash<QTcpSocket*, QByteArray> pending_;
};
