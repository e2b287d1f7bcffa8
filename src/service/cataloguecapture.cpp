#include "service/cataloguecapture.h"

#include "platform/dialogs.h"
#include "platform/webpane.h"
#include "service/capture.h"

#include <QFile>

CatalogueCapture::CatalogueCapture(WebPane &webBrowser3, Dialogs &dialogs, QWidget *dialogParent,
                                   QString tempFolder, QObject *parent)
    : QObject(parent)
    , m_pane(webBrowser3)
    , m_dialogs(dialogs)
    , m_dialogParent(dialogParent)
    , m_tempFolder(std::move(tempFolder))
{
    connect(&m_pane, &WebPane::progressChange, this, &CatalogueCapture::WebBrowser3ProgressChange);
    connect(&m_pane, &WebPane::documentSaved, this, &CatalogueCapture::onDocumentSaved);
}

void CatalogueCapture::Reset()
{
    m_store.clear();
    m_captured = false;
    m_savePending = false;
    if (m_inFlight)
        m_stale = true;
}

void CatalogueCapture::WebBrowser3ProgressChange(int progress, int progressMax)
{
    if (progress != progressMax || m_captured)
        return;
    // Set first, so that a pane without a document also ends this request's capture.
    m_captured = true;
    if (!m_pane.hasDocument())
        return;
    if (m_inFlight) {
        // The previous request's save is still being written; this one follows it.
        m_savePending = true;
        return;
    }
    startSave();
}

void CatalogueCapture::startSave()
{
    m_inFlight = true;
    m_stale = false;
    const QString path = m_tempFolder + QLatin1String(Capture::CatalogueFile);
    if (!Capture::showsErrorPage(m_pane)) {
        m_pane.saveDocument(path);
        return;
    }
    // The mirror failed: its page is read as an empty one, and the capture goes on as after
    // any save, at the same later moment.
    const QString error = Capture::writeEmptyCapture(path);
    QMetaObject::invokeMethod(this, [this, path, error] {
        if (error.isEmpty()) {
            onDocumentSaved(path, true);
            return;
        }
        m_inFlight = false;
        if (!m_stale)
            m_dialogs.error(m_dialogParent, error);
        m_stale = false;
        if (m_savePending) {
            m_savePending = false;
            startSave();
        }
    }, Qt::QueuedConnection);
}

void CatalogueCapture::onDocumentSaved(const QString &filePath, bool ok)
{
    if (!m_inFlight || filePath != m_tempFolder + QLatin1String(Capture::CatalogueFile))
        return; // another capture of this pane
    m_inFlight = false;
    if (m_stale) {
        m_stale = false;
        if (m_savePending) {
            m_savePending = false;
            startSave();
        }
        return;
    }
    if (!ok)
        m_dialogs.message(m_dialogParent, QLatin1String(Capture::SaveFailedText));
    const QString error = Capture::ConvertBreaks(m_tempFolder);
    if (!error.isEmpty()) {
        m_dialogs.error(m_dialogParent, error);
        return;
    }
    QFile converted(m_tempFolder + QLatin1String(Capture::ConvertedCatalogueFile));
    if (!converted.open(QIODevice::ReadOnly)) {
        m_dialogs.error(m_dialogParent, converted.errorString());
        return;
    }
    // The parse needs only the first 124 lines; a page of megabytes is cut short.
    m_store = Catalogue::parse(converted.read(4 << 20));
    converted.close();
    QFile::remove(m_tempFolder + QLatin1String(Capture::CatalogueFile));
    emit catalogueParsed();
}
