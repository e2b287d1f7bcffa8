#pragma once

#include <QObject>

struct CatalogueStore;
class LanguageTextSource;
class QLayout;
class QMenu;
class QWidget;

// Lists 1 and 3 on screen and in the tray menu: rows and entries filled from the
// catalogue, the hover highlights of the window and the description line.
class StationLists final : public QObject
{
    Q_OBJECT

signals:
    // A row of list 1 or 3 was clicked (the listening pane takes the focus).
    void rowClicked(int list, int slot);
    // A tray entry of list 1 or 3 was chosen.
    void trayEntryChosen(int list, int slot);

public:
    StationLists(QWidget *pnlTv, QMenu *trayMenu, const CatalogueStore &store, const LanguageTextSource &texts,
                 QObject *parent = nullptr);

    void ShowCatalogueLists();
    void ClearHighlights();

    void RowHover(int list, int slot);
    void TopBarHover(const QString &control);
    void Leave();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTrayEntries(QMenu *trayMenu);
    void showList(int list);
    void showDescription(const QString &text);
    void followScreenOrder(QLayout *layout);
    template <typename T> T *find(const QString &name) const;

    QWidget *m_pnlTv;
    const CatalogueStore &m_store;
    const LanguageTextSource &m_texts;
};
