#include "service/catalogueapply.h"

#include "platform/webpane.h"
#include "service/catalogue.h"
#include "service/serveraddress.h"
#include "service/webaddress.h"
#include "platform/displaytext.h"

#include <QTabWidget>
#include <QWidget>

void ApplyCatalogue(const CatalogueStore &store, const CatalogueTargets &targets)
{
    if (store.PartnerName.size() > 2 && targets.mainWindow) {
        // A page's text: no control characters, and no longer than a title may be.
        const QString caption = QStringLiteral("Sintonia for ") + DisplayText::displayable(store.PartnerName);
        if (targets.mainWindow->windowTitle() != caption)
            targets.mainWindow->setWindowTitle(caption);
    }

    if (targets.sponsorPane) {
        // A partner page that is not a web page is never loaded; the community page
        // stands in for it.
        if (ServerAddress::CustomisationValue != 0 && !store.SponsorUrl.isEmpty()
            && WebAddress::isWebPage(store.SponsorUrl))
            targets.sponsorPane->navigate(store.SponsorUrl);
        else
            targets.sponsorPane->navigate(QStringLiteral("http://") + targets.productSite
                                          + QStringLiteral("/comunity/randomfacebook.asp"));
    }

    if (store.ExtraTabCaption.size() > 2 && store.ExtraTabUrl.size() > 2
        && WebAddress::isWebPage(store.ExtraTabUrl) && targets.pnlAscolta) {
        QWidget *page = targets.pnlAscolta->findChild<QWidget *>(QStringLiteral("Tb_Catalogo"));
        const int index = page ? targets.pnlAscolta->indexOf(page) : -1;
        if (index >= 0) {
            targets.pnlAscolta->setTabVisible(index, true);
            // Shown as it is: "&" marks no shortcut.
            targets.pnlAscolta->setTabText(
                index, DisplayText::displayable(store.ExtraTabCaption, 60).replace(QLatin1Char('&'), QStringLiteral("&&")));
            if (targets.cataloguePane)
                targets.cataloguePane->navigate(store.ExtraTabUrl);
            targets.pnlAscolta->setCurrentIndex(index);
        }
    }
}
