#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class QWidget;
class WebPane;

// The page pane of a station picker window: every time a page has loaded, its document is
// saved as "tmp2SN.txt" in the temporary folder, where the options dialog reads the
// chosen station after the window closes.
class PickerCapture final : public QObject
{
    Q_OBJECT

signals:
    void captured(bool ok);

public:
    PickerCapture(WebPane &pane, Dialogs &dialogs, QWidget *dialogParent, QString tempFolder,
                  QObject *parent = nullptr);

    void PaneProgressChange(int progress, int progressMax);
    QString filePath() const;
    // A save has been asked for and has not finished yet.
    bool inFlight() const { return m_pending > 0; }

private:
    void onDocumentSaved(const QString &filePath, bool ok);

    WebPane &m_pane;
    Dialogs &m_dialogs;
    QWidget *m_dialogParent;
    QString m_tempFolder;
    int m_pending = 0;
};
