#include "service/stationlists.h"

#include "platform/languagetext.h"
#include "platform/plaintooltip.h"
#include "service/catalogue.h"
#include "service/listspanel.h"
#include "platform/clickablelabel.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const char *const TopBarControls[] = {"Label2", "Label3", "Lbl_SostieniSintonia", "ImgIndietro", "ImgAvanti"};
}

StationLists::StationLists(QWidget *pnlTv, QMenu *trayMenu, const CatalogueStore &store,
                           const LanguageTextSource &texts, QObject *parent)
    : QObject(parent)
    , m_pnlTv(pnlTv)
    , m_store(store)
    , m_texts(texts)
{
    for (int list : {1, 3}) {
        for (int k = 1; k <= ListsPanel::Rows; ++k) {
            auto *row = find<ClickableLabel>(QStringLiteral("Lbl_%1_%2").arg(list).arg(k));
            if (!row)
                continue;
            connect(row, &ClickableLabel::hovered, this, [this, list, k] { RowHover(list, k); });
            connect(row, &ClickableLabel::clicked, this, [this, list, k] { emit rowClicked(list, k); });
        }
    }
    for (const char *name : TopBarControls) {
        if (auto *control = find<QWidget>(QLatin1String(name))) {
            control->setMouseTracking(true);
            control->installEventFilter(this);
        }
    }
    m_pnlTv->setMouseTracking(true);
    m_pnlTv->installEventFilter(this);
    if (auto *panel = find<QTabWidget>(QStringLiteral("PageControl1")))
        panel->tabBar()->installEventFilter(this);
    if (trayMenu)
        buildTrayEntries(trayMenu);
}

template <typename T> T *StationLists::find(const QString &name) const
{
    return m_pnlTv->findChild<T *>(name);
}

void StationLists::buildTrayEntries(QMenu *trayMenu)
{
    const auto entries = [this](QMenu *submenu, int list, bool downwards, bool visible) {
        if (!submenu)
            return;
        for (int i = 1; i <= ListsPanel::Rows; ++i) {
            const int slot = downwards ? ListsPanel::Rows + 1 - i : i;
            QAction *entry = submenu->addAction(QString());
            entry->setObjectName(QStringLiteral("Radio_%1_%2").arg(list).arg(slot));
            entry->setData(slot);
            entry->setVisible(visible);
            if (list != 2)
                connect(entry, &QAction::triggered, this, [this, list, slot] { emit trayEntryChosen(list, slot); });
        }
    };
    entries(trayMenu->findChild<QMenu *>(QStringLiteral("Leradiopicliccate1")), 1, true, true);
    entries(trayMenu->findChild<QMenu *>(QStringLiteral("Lemieradiopreferite1")), 2, false, false);
    entries(trayMenu->findChild<QMenu *>(QStringLiteral("New1")), 3, false, true);
}

void StationLists::ShowCatalogueLists()
{
    showList(1);
    showList(3);
}

void StationLists::showList(int list)
{
    auto *stack = find<QWidget>(QStringLiteral("Stack_%1").arg(list));
    auto *layout = stack ? qobject_cast<QVBoxLayout *>(stack->layout()) : nullptr;
    QMenu *tray = m_pnlTv->window()->findChild<QMenu *>(QStringLiteral("PopupMenu1"));
    const auto moveToTop = [layout](QWidget *widget) {
        if (layout && widget) {
            layout->removeWidget(widget);
            layout->insertWidget(0, widget);
        }
    };
    for (int k = 1; k <= ListsPanel::Rows; ++k) {
        const CatalogueEntry &entry = *m_store.slot(list, k);
        if (entry.Name.isEmpty())
            continue;
        if (tray) {
            if (auto *item = tray->findChild<QAction *>(QStringLiteral("Radio_%1_%2").arg(list).arg(k)))
                item->setText(QString(entry.Name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        }
        if (auto *row = find<QLabel>(QStringLiteral("Lbl_%1_%2").arg(list).arg(k))) {
            row->setVisible(true);
            const QString hint = m_texts.LanguageText(65) + QStringLiteral(": ") + entry.Name;
            row->setToolTip(plainToolTip(hint));
            row->setText(entry.Caption);
            row->setAccessibleName(entry.Caption.isEmpty() ? entry.Name : entry.Caption);
            row->setAccessibleDescription(hint);
            moveToTop(row);
        }
        if (k < ListsPanel::Rows)
            moveToTop(find<QWidget>(QLatin1String(ListsPanel::separatorPrefix(list)) + QString::number(k)));
        if (k == ListsPanel::Rows) {
            if (auto *loading = find<QWidget>(list == 1 ? QStringLiteral("Pnl_Caricamento1")
                                                        : QStringLiteral("Pnl_Caricamento2")))
                loading->hide();
        }
    }
    if (layout) {
        layout->activate();
        followScreenOrder(layout);
    }
}

// Tab walks the rows as they stand on screen, from the top.
void StationLists::followScreenOrder(QLayout *layout)
{
    QWidget *previous = nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        auto *row = qobject_cast<ClickableLabel *>(layout->itemAt(i)->widget());
        if (!row)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, row);
        previous = row;
    }
}

void StationLists::ClearHighlights()
{
    for (const char *name : {"Img_Evidenziato1_2", "Img_Evidenziato1_3", "Img_Evidenziato1_12"}) {
        if (auto *glow = find<QWidget>(QLatin1String(name)))
            glow->hide();
    }
    for (int list = 1; list <= 3; ++list) {
        for (int j = 1; j <= ListsPanel::Rows; ++j) {
            if (auto *glow = find<QWidget>(QLatin1String(ListsPanel::highlightPrefix(list)) + QString::number(j)))
                glow->hide();
        }
    }
}

void StationLists::showDescription(const QString &text)
{
    if (auto *line = find<QLabel>(QStringLiteral("Lbl_DescrizioneTasto"))) {
        line->setText(text);
        line->setVisible(true);
    }
}

void StationLists::RowHover(int list, int slot)
{
    const CatalogueEntry *entry = m_store.slot(list, slot);
    if (!entry)
        return;
    ClearHighlights();
    const int highlight = list == 1 ? slot : ListsPanel::Rows + 1 - slot;
    if (auto *glow = find<QWidget>(QLatin1String(ListsPanel::highlightPrefix(list)) + QString::number(highlight)))
        glow->show();
    showDescription(m_texts.LanguageText(49) + QLatin1Char(' ') + entry->Name);
}

void StationLists::TopBarHover(const QString &control)
{
    struct Hover { const char *control; int key; const char *highlight; };
    static constexpr Hover hovers[] = {
        {"Label2", 87, "Img_Evidenziato1_2"},
        {"Label3", 88, "Img_Evidenziato1_3"},
        {"Lbl_SostieniSintonia", 13, "Img_Evidenziato1_12"},
        {"ImgIndietro", 93, nullptr},
        {"ImgAvanti", 94, nullptr},
    };
    for (const Hover &hover : hovers) {
        if (control != QLatin1String(hover.control))
            continue;
        if (hover.highlight) {
            ClearHighlights();
            if (auto *glow = find<QWidget>(QLatin1String(hover.highlight)))
                glow->show();
        }
        showDescription(m_texts.LanguageText(hover.key));
        return;
    }
}

void StationLists::Leave()
{
    if (auto *line = find<QLabel>(QStringLiteral("Lbl_DescrizioneTasto"))) {
        line->setText(QStringLiteral(" "));
        line->hide();
    }
}

bool StationLists::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter)
        return false;
    if (watched == m_pnlTv) {
        // Only the bare background counts; moves over its children pass through here too.
        if (event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (!m_pnlTv->childAt(at))
                Leave();
        }
        return false;
    }
    if (qobject_cast<QTabBar *>(watched)) {
        if (event->type() == QEvent::MouseMove)
            Leave();
        return false;
    }
    TopBarHover(watched->objectName());
    return false;
}
