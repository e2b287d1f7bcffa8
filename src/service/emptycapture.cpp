// The capture of a failed server page, apart from the conversions, which need no panes.
#include "service/capture.h"

#include "platform/paneaddress.h"
#include "platform/webpane.h"

#include <QFile>

namespace Capture {

bool showsErrorPage(const WebPane &pane)
{
    return pane.locationUrl() == QLatin1String(PaneAddress::ErrorPageLocation);
}

QString writeEmptyCapture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return file.errorString();
    return {};
}

} // namespace Capture
