#include "settings/favourites.h"

#include "platform/clickablelabel.h"
#include "platform/languagetext.h"
#include "platform/plaintooltip.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

Favourites::Favourites(PersonalSlots &stations, QWidget *pnlTv, QMenu *trayMenu, const LanguageTextSource &texts,
                       std::function<void()> clearHighlights, QObject *parent)
    : QObject(parent)
    , m_slots(stations)
    , m_pnlTv(pnlTv)
    , m_trayMenu(trayMenu)
    , m_texts(texts)
    , m_clearHighlights(std::move(clearHighlights))
{
    for (int n = 1; n <= PersonalSlotCount; ++n) {
        if (auto *entry = find<ClickableLabel>(QStringLiteral("Lbl_2_%1").arg(n))) {
            connect(entry, &ClickableLabel::clicked, this, [this, n] { EntryClick(n); });
            connect(entry, &ClickableLabel::hovered, this, [this, n] { EntryHover(n); });
        }
        if (m_trayMenu) {
            if (auto *item = m_trayMenu->findChild<QAction *>(QStringLiteral("Radio_2_%1").arg(n)))
                connect(item, &QAction::triggered, this, [this, n] { EntryClick(n); });
        }
    }
    if (auto *pages = find<QTabWidget>(QStringLiteral("PageControl1")))
        connect(pages, &QTabWidget::currentChanged, this, &Favourites::PageControl1Change);
}

template <typename T> T *Favourites::find(const QString &name) const
{
    return m_pnlTv->findChild<T *>(name);
}

void Favourites::RefreshFavourites()
{
    CompactPersonalStations(m_slots);
    for (int n = 1; n <= PersonalSlotCount; ++n) {
        const TRadio &radio = *m_slots.slot(n);
        const bool filled = radio.Id != 0;
        QAction *item = m_trayMenu ? m_trayMenu->findChild<QAction *>(QStringLiteral("Radio_2_%1").arg(n)) : nullptr;
        if (item) {
            item->setVisible(filled);
            // A name is shown as it is: "&" marks no shortcut.
            item->setText(QString(radio.Name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        }
        if (auto *entry = find<QLabel>(QStringLiteral("Lbl_2_%1").arg(n))) {
            entry->setVisible(filled);
            entry->setText(radio.Caption);
            const QString hint = m_texts.LanguageText(65) + QStringLiteral(": ") + radio.Name;
            entry->setToolTip(plainToolTip(hint));
            entry->setAccessibleName(radio.Caption.isEmpty() ? radio.Name : radio.Caption);
            entry->setAccessibleDescription(hint);
        }
    }
    showSeparators();
}

// A separator follows every entry whose caption has two characters or more, except the
// last such entry, unless that is entry 15, which has none.
void Favourites::showSeparators()
{
    int lastCaptioned = 0;
    for (int n = 1; n <= PersonalSlotCount; ++n) {
        auto *entry = find<QLabel>(QStringLiteral("Lbl_2_%1").arg(n));
        const bool captioned = entry && entry->text().size() >= 2;
        if (captioned)
            lastCaptioned = n;
        if (n < PersonalSlotCount) {
            if (auto *line = find<QWidget>(QStringLiteral("Img_2_%1").arg(n)))
                line->setVisible(captioned);
        }
    }
    const int hidden = lastCaptioned == 0 ? 1 : lastCaptioned;
    if (hidden < PersonalSlotCount) {
        if (auto *line = find<QWidget>(QStringLiteral("Img_2_%1").arg(hidden)))
            line->hide();
    }
}

void Favourites::EntryClick(int n)
{
    if (const TRadio *radio = m_slots.slot(n))
        emit stationChosen(20 + n, radio->Id);
}

void Favourites::EntryHover(int n)
{
    const TRadio *radio = m_slots.slot(n);
    if (!radio)
        return;
    if (m_clearHighlights)
        m_clearHighlights();
    if (auto *line = find<QLabel>(QStringLiteral("Lbl_DescrizioneTasto"))) {
        line->setText(m_texts.LanguageText(49) + QLatin1Char(' ') + radio->Name);
        line->setVisible(true);
    }
    if (auto *glow = find<QWidget>(QStringLiteral("Img_Evidenziato3_%1").arg(n)))
        glow->show();
}

void Favourites::PageControl1Change(int index)
{
    auto *pages = find<QTabWidget>(QStringLiteral("PageControl1"));
    QWidget *page = pages ? pages->widget(index) : nullptr;
    if (!page || page->property("tag").toInt() != 1)
        return;
    bool named = false;
    for (const TRadio &radio : m_slots.radios)
        named = named || !radio.Name.isEmpty();
    if (auto *panel = find<QWidget>(QStringLiteral("Pnl_NessunaEmittente")))
        panel->setVisible(!named);
}
