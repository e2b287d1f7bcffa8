#include "app/windows.h"

#include "app/frm_sintonia.h"
#include "service/mirrors.h"
#include "news/frm_gestionenews.h"
#include "news/frm_news.h"
#include "settings/frm_gestioneopzioni.h"
#include "settings/frm_radiopersonale.h"
#include "settings/frm_radioprogrammata.h"
#include "web/frm_about.h"
#include "web/frm_googlefinder.h"

SintoniaWindows::SintoniaWindows(const PlatformServices &services)
{
    // Each window's creation runs to its end before the next one is made.
    const auto add = [this](QWidget *window) {
        m_windows.emplace_back(window);
        m_order.push_back(window);
    };
    m_main = new TFrm_Sintonia(services);
    add(m_main);
    auto *ticker = new TFrm_News(*services.panes);
    add(ticker);
    auto *newsSettings = new TFrm_GestioneNews;
    add(newsSettings);
    m_main->attachNews(ticker, newsSettings);
    auto *options = new TFrm_GestioneOpzioni;
    add(options);
    m_main->attachOptionsDialog(options);
    auto *scheduledPicker = new TFrm_RadioProgrammata(*services.panes, *services.dialogs, services.tempFolder);
    add(scheduledPicker);
    auto *about = new TFrm_About(*services.shell, m_main->mirrors().endpoints().mainSite,
                                 m_main->mirrors().endpoints().secondSite);
    add(about);
    auto *finder = new TFrm_GoogleFinder(*services.panes, m_main->searchWindowSetup());
    add(finder);
    m_main->attachWebWindows(about, finder);
    auto *personalPicker = new TFrm_RadioPersonale(*services.panes, *services.dialogs, services.tempFolder);
    add(personalPicker);
    m_main->attachPickers(personalPicker, scheduledPicker);
}

SintoniaWindows::~SintoniaWindows()
{
    // The last made goes first, the main window last.
    while (!m_windows.empty())
        m_windows.pop_back();
}
