#pragma once

// A tiny HTTP server for the pane's end-to-end tests, with answers a real server gives
// now and then: none at all, "204 No Content", a download instead of a page.
//   /hang            never answers
//   /nocontent       204 No Content
//   /download        a file sent as an attachment
//   /page?title=T    a page titled T
#include <QObject>
#include <QTcpServer>

class ScriptedHttp final : public QObject
{
    Q_OBJECT

public:
    explicit ScriptedHttp(QObject *parent = nullptr);
    bool listen();
    QString address(const QString &pathAndQuery) const;

private:
    void accept();

    QTcpServer m_server;
};
