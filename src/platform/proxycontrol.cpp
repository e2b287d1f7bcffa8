#include "platform/proxycontrol.h"

#include "platform/webpane.h"

#include <QNetworkProxy>

bool QtProxyControl::ApplyProxy(bool useProxy, const QString &address, const QString &port)
{
    QNetworkProxy proxy(QNetworkProxy::NoProxy);
    if (useProxy) {
        bool isNumber = false;
        const uint number = port.trimmed().toUInt(&isNumber);
        if (!isNumber || number == 0 || number > 65535)
            return false;
        proxy = QNetworkProxy(QNetworkProxy::HttpProxy, address.trimmed(), quint16(number));
    }
    QNetworkProxy::setApplicationProxy(proxy);
    m_panes.networkSettingsChanged();
    return true;
}
