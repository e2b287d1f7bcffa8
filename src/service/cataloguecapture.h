#pragma once

#include "service/catalogue.h"

#include <QObject>
#include <QString>

class Dialogs;
class QWidget;
class WebPane;

// Captures the catalogue pane's page once per request, converts its breaks, parses it
// into the store and hands it on to be applied. The pane saves its document
// asynchronously: the steps after the save run when the file is complete.
class CatalogueCapture final : public QObject
{
    Q_OBJECT

signals:
    // The store holds a freshly parsed catalogue, ready to be applied.
    void catalogueParsed();

public:
    CatalogueCapture(WebPane &webBrowser3, Dialogs &dialogs, QWidget *dialogParent, QString tempFolder,
                     QObject *parent = nullptr);

    // Empties the store and arms the capture for the next completion of the pane.
    void Reset();
    void WebBrowser3ProgressChange(int progress, int progressMax);

    bool CatalogueCaptured() const { return m_captured; }
    bool captureInFlight() const { return m_inFlight; }
    const CatalogueStore &store() const { return m_store; }

private:
    void startSave();
    void onDocumentSaved(const QString &filePath, bool ok);

    WebPane &m_pane;
    Dialogs &m_dialogs;
    QWidget *m_dialogParent;
    QString m_tempFolder;
    CatalogueStore m_store;
    bool m_captured = false;
    bool m_inFlight = false;
    // Set when a request came while a save was running: its result is stale.
    bool m_stale = false;
    bool m_savePending = false;
};
