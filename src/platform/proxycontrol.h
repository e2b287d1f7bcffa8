#pragma once

#include <QString>

class PaneFactory;

// The proxy every browser pane goes through, process-wide.
class ProxyControl
{
public:
    virtual ~ProxyControl() = default;
    // `useProxy`: through address:port; otherwise directly. False when the setting was
    // refused (a port that is not a number 1..65535), which leaves the connection as it was.
    virtual bool ApplyProxy(bool useProxy, const QString &address, const QString &port) = 0;
};

// Qt's application proxy, which the browser engine follows. Pages already made keep the
// setting they were made with, so the panes are asked to take it up from their next load.
class QtProxyControl final : public ProxyControl
{
public:
    explicit QtProxyControl(PaneFactory &panes)
        : m_panes(panes)
    {
    }
    bool ApplyProxy(bool useProxy, const QString &address, const QString &port) override;

private:
    PaneFactory &m_panes;
};
