#include "scriptedhttp.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>

namespace {

QByteArray answerFor(const QUrl &url)
{
    const QString path = url.path();
    if (path == QLatin1String("/nocontent"))
        return "HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n";
    if (path == QLatin1String("/download")) {
        const QByteArray body(4096, 'x');
        return "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
               "Content-Disposition: attachment; filename=\"data.bin\"\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
    if (path == QLatin1String("/page")) {
        const QString title = QUrlQuery(url).queryItemValue(QStringLiteral("title"));
        const QByteArray body = "<html><head><title>" + title.toHtmlEscaped().toUtf8()
            + "</title></head><body>page</body></html>";
        return "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
    return "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
}

} // namespace

ScriptedHttp::ScriptedHttp(QObject *parent)
    : QObject(parent)
{
    m_server.setProxy(QNetworkProxy::NoProxy);
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedHttp::accept);
}

bool ScriptedHttp::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QString ScriptedHttp::address(const QString &pathAndQuery) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(pathAndQuery);
}

void ScriptedHttp::serve(const QString &path, const QByteArray &contentType, const QByteArray &body)
{
    m_files.insert(path, {contentType, body});
}

void ScriptedHttp::accept()
{
    while (QTcpSocket *client = m_server.nextPendingConnection()) {
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QTcpSocket::readyRead, client, [this, client] {
            QByteArray head = client->property("head").toByteArray() + client->readAll();
            client->setProperty("head", head);
            const qsizetype end = head.indexOf("\r\n\r\n");
            if (end < 0 || client->property("answered").toBool())
                return;
            client->setProperty("answered", true);
            const QList<QByteArray> first = head.left(head.indexOf("\r\n")).split(' ');
            const QUrl url(QStringLiteral("http://host") + QString::fromLatin1(first.value(1)));
            if (url.path() == QLatin1String("/hang"))
                return; // the connection stays open, silent
            ++m_requests[url.path()];
            const auto file = m_files.constFind(url.path());
            if (file != m_files.constEnd()) {
                client->write("HTTP/1.1 200 OK\r\nContent-Type: " + file->first + "\r\nContent-Length: "
                              + QByteArray::number(file->second.size())
                              + "\r\nAccess-Control-Allow-Origin: *\r\nConnection: close\r\n\r\n" + file->second);
            } else {
                client->write(answerFor(url));
            }
            client->disconnectFromHost();
        });
    }
}
