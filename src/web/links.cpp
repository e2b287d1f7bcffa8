#include "web/links.h"

#include "platform/clickablelabel.h"
#include "platform/shell.h"
#include "service/endpoints.h"

#include <QAction>
#include <QWidget>

namespace Links {

namespace {

QString http(const QString &host, const char *path)
{
    return QStringLiteral("http://") + host + QLatin1String(path);
}

} // namespace

QString addressOf(const QString &item, const Endpoints &e)
{
    const struct { const char *item; QString address; } links[] = {
        {"NVentagliocom1", http(e.mainSite, "/")},
        {"SintoniaversioneWeb1", http(e.productSite, "/")},
        {"NDuemarcecom1", http(e.sisterSite, "/")},
        {"Grafologa1", http(QLatin1String(GraphologySite), "/")},
        {"WindowsMediaPlayer1",
         http(QLatin1String(MediaPlayerVendor), "/windows/windowsmedia/9series/gettingstarted/download/download.asp")},
        {"RealPlayer1",
         http(QLatin1String(RealPlayerVendor), "/real/realone/intl/focus.html?loc=it&lang=en&tagtype=ie&type=dlrhap_rh")},
        {"SostieniSintonia1", http(e.mainSite, "/Pagamenti/Donazioni.htm")},
        {"Lbl_SostieniSintonia", http(e.mainSite, "/Pagamenti/Donazioni.htm")},
        {"PubblicitsuSintonia1", http(e.productSite, "/pubblicitasoftware.asp")},
        {"Helpforum1", http(e.secondSite, "/forum")},
    };
    for (const auto &link : links) {
        if (item == QLatin1String(link.item))
            return link.address;
    }
    return {};
}

void connectAll(QWidget *window, const Endpoints &endpoints, Shell &shell)
{
    const QList<QAction *> actions = window->findChildren<QAction *>();
    for (QAction *action : actions) {
        const QString address = addressOf(action->objectName(), endpoints);
        if (!address.isEmpty())
            QObject::connect(action, &QAction::triggered, window, [&shell, address] { shell.open(address); });
    }
    if (auto *label = window->findChild<ClickableLabel *>(QStringLiteral("Lbl_SostieniSintonia"))) {
        const QString address = addressOf(label->objectName(), endpoints);
        QObject::connect(label, &ClickableLabel::clicked, window, [&shell, address] { shell.open(address); });
    }
}

} // namespace Links
