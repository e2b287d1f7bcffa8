#pragma once

#include <QString>

struct CatalogueStore;
class QTabWidget;
class QWidget;
class WebPane;

// What the partner fields of a catalogue change in the main window: its caption, the
// sponsor pane and the extra tab of the listening area.
struct CatalogueTargets
{
    QWidget *mainWindow = nullptr;
    WebPane *sponsorPane = nullptr;    // WB_SponsorAggiuntivi
    WebPane *cataloguePane = nullptr;  // Wb_Catalogo
    QTabWidget *pnlAscolta = nullptr;
    QString productSite;               // host[:port] of the product's web site
};

// Applies the partner fields; the caller then shows the two lists.
void ApplyCatalogue(const CatalogueStore &store, const CatalogueTargets &targets);
