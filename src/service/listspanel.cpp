#include "service/listspanel.h"

#include "platform/clickablelabel.h"

#include <QFrame>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ListsPanel {

const char *tabName(int list)
{
    return list == 1 ? "TabSheet1" : list == 2 ? "TabSheet2" : "TabSheet5";
}

const char *separatorPrefix(int list)
{
    return list == 1 ? "Image_1_" : list == 2 ? "Img_2_" : "Image_3_";
}

const char *highlightPrefix(int list)
{
    return list == 1 ? "Img_Evidenziato2_" : list == 2 ? "Img_Evidenziato3_" : "Img_Evidenziato4_";
}

namespace {

QLabel *picture(QWidget *parent, const QString &name, const char *file, const QRect &place)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(QPixmap(QLatin1String(file)));
    label->setGeometry(place);
    return label;
}

// The panel that covers a tab: a dark picture with one centred text.
void coverPanel(QWidget *tab, const char *panelName, const char *labelName, const QString &text)
{
    auto *panel = new QFrame(tab);
    panel->setObjectName(QLatin1String(panelName));
    panel->setStyleSheet(QStringLiteral(
        "QFrame#%1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0b1a33, stop:1 #000000); }")
                             .arg(QLatin1String(panelName)));
    auto *layout = new QVBoxLayout(panel);
    auto *label = new QLabel(text, panel);
    label->setObjectName(QLatin1String(labelName));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(13);
    label->setFont(font);
    layout->addWidget(label);
    // The tab's only laid-out child: it always covers the whole tab.
    auto *cover = new QVBoxLayout(tab);
    cover->setContentsMargins(0, 0, 0, 0);
    cover->addWidget(panel);
    panel->raise();
}

QWidget *listTab(QTabWidget *panel, int list, const QString &caption)
{
    auto *tab = new QWidget;
    tab->setObjectName(QLatin1String(tabName(list)));
    if (list == 2)
        tab->setProperty("tag", 1);
    panel->addTab(tab, caption);
    tab->resize(130, 276);

    // Highlights sit at fixed row positions behind the rows.
    for (int j = 1; j <= Rows; ++j) {
        const int position = list == 1 ? 15 - j : j - 1;
        picture(tab, QLatin1String(highlightPrefix(list)) + QString::number(j), ":/service/pictures/highlight.png",
                QRect(0, position * RowPitch, 130, 15))
            ->hide();
    }
    // Rows and separators are stacked from the top; a hidden row takes no room.
    auto *stack = new QWidget(tab);
    stack->setObjectName(QStringLiteral("Stack_%1").arg(list));
    stack->setGeometry(0, 0, 130, Rows * RowPitch);
    auto *layout = new QVBoxLayout(stack);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int k = 1; k <= Rows; ++k) {
        auto *row = new ClickableLabel(QStringLiteral("Lbl_%1_%2").arg(list).arg(k), QString(), stack);
        row->setProperty("tag", k);
        row->setFixedSize(130, 15);
        row->setAlignment(Qt::AlignCenter);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        font.setBold(true);
        row->setFont(font);
        row->hide();
        layout->addWidget(row);
        if (k < Rows) {
            QLabel *line = picture(stack, QLatin1String(separatorPrefix(list)) + QString::number(k),
                                   ":/service/pictures/separator.png", QRect(0, 0, 130, 3));
            line->setFixedSize(130, 3);
            layout->addWidget(line);
        }
    }
    layout->addStretch(1);
    return tab;
}

} // namespace

void build(QWidget *pnlTv)
{
    for (const auto &[name, left, top] : {std::tuple{"Img_Evidenziato1_12", 587, 2},
                                           std::tuple{"Img_Evidenziato1_2", 588, 18},
                                           std::tuple{"Img_Evidenziato1_3", 588, 35}}) {
        QLabel *glow = picture(pnlTv, QLatin1String(name), ":/service/pictures/highlight.png", QRect(left, top, 127, 14));
        glow->setScaledContents(true);
        glow->hide();
        glow->lower();
    }

    auto *panel = new QTabWidget(pnlTv);
    panel->setObjectName(QStringLiteral("PageControl1"));
    panel->setAccessibleName(QStringLiteral("Liste delle emittenti"));
    panel->setTabPosition(QTabWidget::West);
    // The three tabs share the panel's height: their captions shrink rather than hide a tab.
    panel->setUsesScrollButtons(false);
    panel->tabBar()->setElideMode(Qt::ElideRight);
    QFont tabFont = panel->tabBar()->font();
    tabFont.setPixelSize(10);
    panel->tabBar()->setFont(tabFont);
    panel->tabBar()->setMouseTracking(true);
    panel->setGeometry(560, 59, 157, 276);

    QWidget *list1 = listTab(panel, 1, QString::fromUtf8("Le radio più cliccate"));
    QWidget *list2 = listTab(panel, 2, QStringLiteral("Le mie radio preferite"));
    QWidget *list3 = listTab(panel, 3, QStringLiteral("New"));
    for (int i = 0; i < panel->count(); ++i)
        panel->setTabToolTip(i, panel->tabText(i));
    coverPanel(list1, "Pnl_Caricamento1", "Lbl_CaricamentoClassifica", QStringLiteral("Caricamento emittenti in corso"));
    coverPanel(list2, "Pnl_NessunaEmittente", "Lbl_EmittentiPersonali",
               QStringLiteral("Nessuna emittente personale impostata"));
    coverPanel(list3, "Pnl_Caricamento2", "Lbl_CaricamentoNews", QStringLiteral("Caricamento emittenti in corso"));
}

} // namespace ListsPanel
