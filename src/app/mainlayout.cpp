#include "app/mainlayout.h"

#include "platform/webpane.h"
#include "service/listspanel.h"
#include "platform/clickablelabel.h"

#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>

namespace MainLayout {

namespace {

QWidget *panel(QWidget *parent, const QString &name, int left, int top, int width, int height)
{
    auto *widget = new QWidget(parent);
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

QWidget *namedPage(const QString &name)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    return page;
}

// A page of Pnl_Ascolta whose content fills it; returns the page's grid, in whose one
// cell the page's widgets lie above one another.
QGridLayout *addPage(QTabWidget *pages, const QString &name, const QString &caption)
{
    QWidget *page = namedPage(name);
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    pages->addTab(page, caption);
    return grid;
}

QLabel *loadingLabel(QGridLayout *grid, const QString &name)
{
    auto *label = new QLabel(grid->parentWidget());
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->hide();
    grid->addWidget(label, 0, 0, Qt::AlignBottom | Qt::AlignHCenter);
    return label;
}

void addPanePage(QTabWidget *pages, PaneFactory &panes, const QString &pageName, const QString &caption,
                 const QString &paneName, const QString &labelName)
{
    QGridLayout *grid = addPage(pages, pageName, caption);
    grid->addWidget(panes.createPane(grid->parentWidget(), paneName)->widget(), 0, 0);
    loadingLabel(grid, labelName);
}

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &place)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(place);
    return l;
}

// A picture that is clicked like a button.
QLabel *picture(QWidget *parent, const QString &name, const QString &file, const QString &what, const QRect &place)
{
    auto *l = new ClickableLabel(name, QString(), parent);
    l->setGeometry(place);
    l->setPixmap(QPixmap(file));
    l->setAccessibleName(what);
    return l;
}

} // namespace

void build(QWidget *pnlTv, PaneFactory &panes)
{
    // Labels and pictures lie beneath the panels and panes.
    label(pnlTv, QStringLiteral("Lbl_DescrizioneTasto"), QString(), QRect(0, 0, 561, 14));
    // The three links at the top right are clicked like station rows.
    const struct { const char *name; const char *text; int tag; QRect place; } links[] = {
        {"Lbl_SostieniSintonia", "Sostieni Sintonia", 12, QRect(587, 2, 127, 14)},
        {"Label2", "Ricerca radio", 2, QRect(588, 18, 127, 14)},
        {"Label3", "Visualizza tutte", 3, QRect(588, 35, 127, 14)},
    };
    for (const auto &link : links) {
        auto *row = new ClickableLabel(QLatin1String(link.name), QString::fromUtf8(link.text), pnlTv);
        row->setProperty("tag", link.tag);
        row->setGeometry(link.place);
    }
    picture(pnlTv, QStringLiteral("ImgAvanti"), QStringLiteral(":/app/pictures/forward.png"),
            QStringLiteral("Avanti"), QRect(560, 1, 27, 27))->setProperty("tag", 9);
    picture(pnlTv, QStringLiteral("ImgIndietro"), QStringLiteral(":/app/pictures/back.png"),
            QStringLiteral("Indietro"), QRect(560, 26, 27, 27))->setProperty("tag", 8);

    // Panels and panes lie above one another in the order they are made.
    QWidget *panel1 = panel(pnlTv, QStringLiteral("Panel1"), 1, 407, 559, 70);
    QWidget *panel2 = panel(panel1, QStringLiteral("Panel2"), 1, 1, 557, 68);
    auto *bannerGrid = new QGridLayout(panel2);
    bannerGrid->setContentsMargins(0, 0, 0, 0);
    bannerGrid->addWidget(panes.createPane(panel2, QStringLiteral("WebBrowser2"))->widget(), 0, 0);

    QWidget *catalogue = panes.createPane(pnlTv, QStringLiteral("WebBrowser3"))->widget();
    catalogue->setGeometry(40, 47, 465, 33);

    ListsPanel::build(pnlTv);

    QWidget *sponsorFrame = panel(pnlTv, QStringLiteral("Pnl_SponsorAgg"), 563, 332, 153, 145);
    panes.createPane(sponsorFrame, QStringLiteral("WB_SponsorAggiuntivi"))->widget()->setGeometry(4, 5, 145, 135);

    QWidget *sfondo = panel(pnlTv, QStringLiteral("Sfondo"), 0, 14, 560, 463);
    auto *pages = new QTabWidget(sfondo);
    pages->setObjectName(QStringLiteral("Pnl_Ascolta"));
    pages->setAccessibleName(QStringLiteral("Pnl_Ascolta"));
    pages->setGeometry(1, 1, 559, 459);

    QGridLayout *listening = addPage(pages, QStringLiteral("TabSheet3"), QStringLiteral("Radio - Web Site"));
    listening->addWidget(panes.createPane(listening->parentWidget(), QStringLiteral("Wb_Radio"))->widget(), 0, 0);
    // The home pane shows the access page in front of the listening pane until a play.
    listening->addWidget(panes.createPane(listening->parentWidget(), QStringLiteral("WB_Principale"))->widget(), 0, 0);
    loadingLabel(listening, QStringLiteral("Lbl_Caricamento"));

    // The recording and Sudoku pages lay out their own controls.
    pages->addTab(namedPage(QStringLiteral("TabSheet4")), QStringLiteral("Audio Recording"));
    addPanePage(pages, panes, QStringLiteral("Tb_Video"), QStringLiteral("Video"), QStringLiteral("WB_Video"),
                QStringLiteral("Lbl_CaricamentoVideo"));
    addPanePage(pages, panes, QStringLiteral("Tbl_Forum"), QStringLiteral("Forum"), QStringLiteral("WB_Forum"),
                QStringLiteral("Lbl_CaricamentoForum"));
    addPanePage(pages, panes, QStringLiteral("Tbl_Hotel"), QStringLiteral("Hotel"), QStringLiteral("WB_Hotel"),
                QStringLiteral("Lbl_CaricamentoHotel"));
    addPanePage(pages, panes, QStringLiteral("Tb_Community"), QStringLiteral("Community"),
                QStringLiteral("WB_Community"), QStringLiteral("Lbl_CaricamentoCommunity"));
    addPanePage(pages, panes, QStringLiteral("Tb_New"), QString::fromUtf8("Novità software"),
                QStringLiteral("WB_New"), QStringLiteral("Lbl_CaricamentoNew"));
    addPanePage(pages, panes, QStringLiteral("Tb_Catalogo"), QString(), QStringLiteral("Wb_Catalogo"),
                QStringLiteral("Lbl_caricamentoCatalogo"));
    pages->addTab(namedPage(QStringLiteral("Tb_Sudoku")), QStringLiteral("Sudoku"));
    for (int page : {VideoPage, ForumPage, HotelPage})
        pages->setTabVisible(page, false);
}

} // namespace MainLayout
