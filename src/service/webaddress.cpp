#include "service/webaddress.h"

#include <QUrl>

namespace WebAddress {

bool isWebPage(const QString &address)
{
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty();
}

QString fromTyped(const QString &typed)
{
    const QString scheme = QUrl::fromUserInput(typed).scheme();
    if (scheme.isEmpty() || typed.startsWith(scheme + QLatin1Char(':'), Qt::CaseInsensitive))
        return typed;
    return scheme + QLatin1String("://") + typed;
}

} // namespace WebAddress
