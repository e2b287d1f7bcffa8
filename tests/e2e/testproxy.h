#pragma once

// A small HTTP proxy for the end-to-end tests: it takes requests for any host name,
// sends them to the same port on 127.0.0.1, and remembers what it was asked for.
#include <QObject>
#include <QStringList>
#include <QTcpServer>

class TestProxy final : public QObject
{
    Q_OBJECT

public:
    explicit TestProxy(QObject *parent = nullptr);
    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    // "host:port/path" of every request, in order.
    const QStringList &requests() const { return m_requests; }
    bool saw(const QString &fragment) const;

private:
    void accept();

    QTcpServer m_server;
    QStringList m_requests;
};
