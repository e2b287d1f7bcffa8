#include "platform/paneaddress.h"

#include <QUrl>

namespace PaneAddress {

QString titleForProgram(const QString &title, const QUrl &url, const QString &navigated)
{
    if (title.isEmpty() || url.isEmpty())
        return title;
    QString bare = url.toString(QUrl::RemoveScheme);
    if (bare.startsWith(QLatin1String("//")))
        bare.remove(0, 2);
    QString bareNoSlash = bare;
    if (bareNoSlash.endsWith(QLatin1Char('/')))
        bareNoSlash.chop(1);
    if (title != bare && title != bareNoSlash)
        return title;
    // Prefer the address as the program wrote it, when this is still that document.
    if (!navigated.isEmpty() && QUrl(navigated) == url)
        return navigated;
    return url.toString();
}

} // namespace PaneAddress
