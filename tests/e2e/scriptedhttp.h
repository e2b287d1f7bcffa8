#pragma once

// A tiny HTTP server for the pane's end-to-end tests, with answers a real server gives
// now and then: none at all, "204 No Content", a download instead of a page.
//   /hang            never answers
//   /nocontent       204 No Content
//   /download        a file sent as an attachment
//   /page?title=T    a page titled T
// and whatever the test adds with serve(), open to pages of any origin.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>

class ScriptedHttp final : public QObject
{
    Q_OBJECT

public:
    explicit ScriptedHttp(QObject *parent = nullptr);
    bool listen();
    QString address(const QString &pathAndQuery) const;
    void serve(const QString &path, const QByteArray &contentType, const QByteArray &body);
    int requestsFor(const QString &path) const { return m_requests.value(path); }

private:
    void accept();

    QTcpServer m_server;
    QHash<QString, QPair<QByteArray, QByteArray>> m_files; // path -> content type, body
    QHash<QString, int> m_requests;
};
