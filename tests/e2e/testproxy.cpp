#include "testproxy.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <QUrl>

TestProxy::TestProxy(QObject *parent)
    : QObject(parent)
{
    m_server.setProxy(QNetworkProxy::NoProxy);
    connect(&m_server, &QTcpServer::newConnection, this, &TestProxy::accept);
}

bool TestProxy::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

bool TestProxy::saw(const QString &fragment) const
{
    for (const QString &r : m_requests)
        if (r.contains(fragment))
            return true;
    return false;
}

void TestProxy::accept()
{
    while (QTcpSocket *client = m_server.nextPendingConnection()) {
        auto *head = new QByteArray;
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QObject::destroyed, this, [head] { delete head; });
        connect(client, &QTcpSocket::readyRead, this, [this, client, head] {
            if (client->property("forwarding").toBool())
                return; // one request a connection: the origin closes after its answer
            *head += client->readAll();
            const qsizetype end = head->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            // "GET http://host:port/path HTTP/1.1": the origin is asked for /path on 127.0.0.1.
            const QList<QByteArray> lines = head->left(end).split('\n');
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            const QUrl url(QString::fromLatin1(first.value(1)));
            if (first.size() != 3 || !url.isValid() || url.port() <= 0) {
                client->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                client->disconnectFromHost();
                return;
            }
            m_requests << url.host() + QLatin1Char(':') + QString::number(url.port()) + url.path()
                    + (url.hasQuery() ? QLatin1Char('?') + url.query() : QString());
            QByteArray request = first[0] + ' ' + url.path(QUrl::FullyEncoded).toLatin1()
                + (url.hasQuery() ? '?' + url.query(QUrl::FullyEncoded).toLatin1() : QByteArray()) + " HTTP/1.1\r\n";
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const QByteArray line = lines[i].trimmed();
                const QByteArray name = line.left(line.indexOf(':')).toLower();
                if (name == "proxy-connection" || name == "connection" || line.isEmpty())
                    continue;
                request += line + "\r\n";
            }
            request += "Connection: close\r\n\r\n";
            client->setProperty("forwarding", true);

            auto *origin = new QTcpSocket(client);
            // The program under test sets the process's proxy: this one goes direct.
            origin->setProxy(QNetworkProxy::NoProxy);
            connect(origin, &QTcpSocket::connected, origin, [origin, request] { origin->write(request); });
            connect(origin, &QTcpSocket::readyRead, client, [origin, client] { client->write(origin->readAll()); });
            connect(origin, &QTcpSocket::disconnected, client, [client] { client->disconnectFromHost(); });
            connect(origin, &QTcpSocket::errorOccurred, client, [client](QAbstractSocket::SocketError) {
                client->disconnectFromHost();
            });
            origin->connectToHost(QHostAddress::LocalHost, quint16(url.port()));
        });
    }
}
