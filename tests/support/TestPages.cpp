#include "TestPages.h"

#include <QTcpSocket>

PageServer::PageServer()
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection())
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
    });
}

void PageServer::setPage(const QString& path, const QByteArray& html)
{
    pages_[path] = html;
}

QUrl PageServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
}

QString PageServer::typedAddress(const QString& path) const
{
    return QStringLiteral("http:\\\\127.0.0.1:%1%2").arg(serverPort()).arg(path);
}

void PageServer::serve(QTcpSocket* socket)
{
    const QByteArray request = socket->readAll();
    const QList<QByteArray> words = request.split(' ');
    const QString path = words.size() > 1 ? QString::fromLatin1(words[1]) : QString();
    const bool found = pages_.contains(path);
    const QByteArray body = found ? pages_[path] : QByteArray("not found");
    QByteArray response = found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n";
    response += "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\nConnection: close\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    socket->write(response);
    socket->disconnectFromHost();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

QByteArray ColourBlocksPage()
{
    return R"(<!doctype html><html><head><style>
html, body { margin: 0; height: 100%; overflow: hidden; }
div { position: absolute; width: 50%; height: 50%; }
</style></head><body>
<div style="left:0;top:0;background:#ff0000"></div>
<div style="left:50%;top:0;background:#00ff00"></div>
<div style="left:0;top:50%;background:#0000ff"></div>
<div style="left:50%;top:50%;background:#ffff00"></div>
</body></html>)";
}

QByteArray FramesPage(const QString& frame1, const QString& frame2)
{
    return QStringLiteral(R"(<!doctype html><html><body style="margin:0;background:#336699">
<iframe src="%1" width="200" height="100"></iframe>
<iframe src="%2" width="200" height="100"></iframe>
</body></html>)")
        .arg(frame1, frame2)
        .toUtf8();
}

QByteArray PlainPage(const QString& colour)
{
    return QStringLiteral("<!doctype html><html><body style=\"margin:0;background:%1\"></body></html>")
        .arg(colour)
        .toUtf8();
}
