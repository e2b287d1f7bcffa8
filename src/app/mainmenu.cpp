#include "app/mainmenu.h"

#include "service/endpoints.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace MainMenu {

namespace {

QMenu *menu(QWidget *parent, const char *name, const QString &title)
{
    auto *m = new QMenu(title, parent);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("_action"));
    return m;
}

QAction *item(QMenu *m, const char *name, const QString &text, int tag = 0)
{
    QAction *a = m->addAction(text);
    a->setObjectName(QLatin1String(name));
    if (tag)
        a->setData(tag);
    return a;
}

void separator(QMenu *m, const char *name)
{
    m->addSeparator()->setObjectName(QLatin1String(name));
}

} // namespace

void build(QMainWindow *window, const Endpoints &endpoints)
{
    QMenuBar *bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = menu(bar, "File1", QStringLiteral("File"));
    item(file, "Esci2", QStringLiteral("Esci"));

    // The language names never change; the component names of English and French are
    // crossed over, as they always were.
    QMenu *language = menu(bar, "Lingua1", QStringLiteral("Lingua"));
    const struct { const char *name; const char *caption; int tag; const char *picture; } languages[] = {
        {"Italiano1", "Italiano", 1, "lang_it"},
        {"Francese1", "English", 2, "lang_en"},
        {"Inglese1", "Français", 3, "lang_fr"},
        {"Spagnolo1", "Español", 4, "lang_es"},
    };
    for (const auto &l : languages) {
        QAction *a = item(language, l.name, QString::fromUtf8(l.caption), l.tag);
        a->setIcon(QIcon(QStringLiteral(":/app/pictures/%1.png").arg(QLatin1String(l.picture))));
    }

    QMenu *view = menu(bar, "Visualizza1", QStringLiteral("Visualizza"));
    item(view, "Rimpicciolisciinalto1", QStringLiteral("Rimpicciolisci in alto"));
    separator(view, "N3");
    item(view, "Riduciaicona1", QStringLiteral("Riduci a icona"));
    separator(view, "N9");
    item(view, "Atuttoschermo1", QStringLiteral("A tutto schermo"));

    QMenu *links = menu(bar, "Linkutili1", QStringLiteral("Link utili"));
    item(links, "NVentagliocom1", QStringLiteral("Ventaglio.com"));
    item(links, "SintoniaversioneWeb1", QStringLiteral("Sintonia versione Web"));
    item(links, "NDuemarcecom1", QStringLiteral("Duemarce.com"));
    item(links, "Grafologa1", QStringLiteral("Grafologia"));
    separator(links, "N5");
    item(links, "WindowsMediaPlayer1", QStringLiteral("Windows Media Player"));
    item(links, "RealPlayer1", QStringLiteral("Real Player"));
    separator(links, "N6");
    item(links, "SostieniSintonia1", QStringLiteral("Sostieni Sintonia"));

    QMenu *options = menu(bar, "Opzioni1", QStringLiteral("Opzioni"));
    item(options, "Opzionidiavvio1", QStringLiteral("Opzioni di avvio"));
    item(options, "Radiopersonali1", QStringLiteral("Emittenti personali"));
    item(options, "Radioinplaylist1", QStringLiteral("Emittenti in playlist"));
    item(options, "Gestioneproxy1", QStringLiteral("Gestione Proxy"));
    item(options, "NewseMeteo1", QStringLiteral("News e Meteo"));

    QMenu *radio = menu(bar, "RadioMenu", QStringLiteral("Radio"));
    item(radio, "Visualizzatutteleemittenti1", QStringLiteral("Visualizza tutte le emittenti"));
    item(radio, "Ricercaradio1", QStringLiteral("Ricerca radio"));
    item(radio, "Radioositowebpersonale1", QStringLiteral("Radio o sito web personale"));

    QMenu *help = menu(bar, "Help1", QStringLiteral("?"));
    item(help, "About2", QStringLiteral("About"));
    item(help, "PubblicitsuSintonia1", QString::fromUtf8("Pubblicità su Sintonia"));
    item(help, "Helpforum1", QStringLiteral("Help - Forum"));
    separator(help, "N4");
    item(help, "Newsletter1", QStringLiteral("Iscrizione Newsletter"));
    // Desktop window managers keep the window menu to themselves, so the maker's site,
    // which other systems offer on the window menu, closes the menu "?".
    separator(help, "SystemMenuSeparator");
    item(help, "SystemMenuSite", QStringLiteral("http://") + endpoints.mainSite);

    for (QMenu *m : {file, language, view, links, options, radio, help})
        bar->addMenu(m);
}

QMenu *buildTrayMenu(QMainWindow *window)
{
    QMenu *tray = menu(window, "PopupMenu1", QString());
    item(tray, "esci1", QStringLiteral("Esci"));
    separator(tray, "N2");
    QAction *restore = item(tray, "Ripristina1", QStringLiteral("Ripristina"));
    QFont bold = restore->font();
    bold.setBold(true);
    restore->setFont(bold);
    tray->setDefaultAction(restore);
    separator(tray, "N1");
    QMenu *change = menu(tray, "CambiaRadio1", QStringLiteral("Cambia Radio"));
    tray->addMenu(change);
    change->addMenu(menu(change, "Leradiopicliccate1", QString::fromUtf8("Le radio più cliccate")));
    change->addMenu(menu(change, "Lemieradiopreferite1", QStringLiteral("Le radio preferite")));
    change->addMenu(menu(change, "New1", QStringLiteral("New")));
    return tray;
}

} // namespace MainMenu
