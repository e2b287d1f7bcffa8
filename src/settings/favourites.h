#pragma once

#include "settings/personalslots.h"

#include <QObject>

#include <functional>

class LanguageTextSource;
class QMenu;
class QWidget;

// "Le mie radio preferite": the personal stations as the second station list of the main
// window (Lbl_2_1 .. Lbl_2_15 with their separators) and as the tray submenu Radio_2_n.
class Favourites final : public QObject
{
    Q_OBJECT

signals:
    // Entry n was chosen: play station `stationId` with the now-playing code 20 + n.
    void stationChosen(int code, qint32 stationId);

public:
    // `stations` are the live personal stations; `clearHighlights` hides every row highlight.
    Favourites(PersonalSlots &stations, QWidget *pnlTv, QMenu *trayMenu, const LanguageTextSource &texts,
               std::function<void()> clearHighlights, QObject *parent = nullptr);

    void RefreshFavourites();
    void EntryClick(int n);
    void EntryHover(int n);
    // The station-list page control switched pages.
    void PageControl1Change(int index);

private:
    template <typename T> T *find(const QString &name) const;
    void showSeparators();

    PersonalSlots &m_slots;
    QWidget *m_pnlTv;
    QMenu *m_trayMenu;
    const LanguageTextSource &m_texts;
    std::function<void()> m_clearHighlights;
};
