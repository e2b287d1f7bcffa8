#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QTabWidget;
class WebPane;

// The application-wide key filter: keystrokes belong to the web pane of the page shown in
// the listening area, so that the page gets its own keys; on the recording and Sudoku
// pages every key goes its normal way.
class BrowserKeyFilter final : public QObject
{
    Q_OBJECT

public:
    explicit BrowserKeyFilter(QTabWidget *pnlAscolta, QObject *parent = nullptr);

    // The component name of the pane of page `page`, or empty for pages without one.
    static QString paneNameForPage(int page);
    // The pane of the page shown now, or nullptr.
    WebPane *currentPane() const;

    // Whether the last key event was handed to a pane.
    bool lastHandled() const { return m_lastHandled; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTabWidget *m_pages;
    bool m_lastHandled = false;
    const QEvent *m_lastEvent = nullptr;
    QPointer<QWidget> m_lastTarget;
};
