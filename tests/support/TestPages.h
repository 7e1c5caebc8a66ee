#pragma once

// Pages for the browser engine, served from 127.0.0.1 by a small HTTP server
// that runs on the test's own event loop.

#include <QHash>
#include <QTcpServer>
#include <QUrl>

class PageServer : public QTcpServer {
public:
    PageServer();
    void setPage(const QString& path, const QByteArray& html);
    QUrl url(const QString& path) const;
    // The address as the user types it, with backslashes after the scheme.
    QString typedAddress(const QString& path) const;

private:
    void serve(QTcpSocket* socket);
    QHash<QString, QByteArray> pages_;
};

// A page of four coloured blocks filling the viewport: red, green / blue, yellow.
QByteArray ColourBlocksPage();
// A page with two iframes.
QByteArray FramesPage(const QString& frame1, const QString& frame2);
QByteArray PlainPage(const QString& colour);
