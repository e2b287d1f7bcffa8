#include "service/pickercapture.h"

#include "platform/dialogs.h"
#include "platform/webpane.h"
#include "service/capture.h"

PickerCapture::PickerCapture(WebPane &pane, Dialogs &dialogs, QWidget *dialogParent, QString tempFolder,
                             QObject *parent)
    : QObject(parent)
    , m_pane(pane)
    , m_dialogs(dialogs)
    , m_dialogParent(dialogParent)
    , m_tempFolder(std::move(tempFolder))
{
    connect(&m_pane, &WebPane::progressChange, this, &PickerCapture::PaneProgressChange);
    connect(&m_pane, &WebPane::documentSaved, this, &PickerCapture::onDocumentSaved);
}

QString PickerCapture::filePath() const
{
    return m_tempFolder + QLatin1String(Capture::PickerFile);
}

void PickerCapture::PaneProgressChange(int progress, int progressMax)
{
    if (progress != progressMax || !m_pane.hasDocument())
        return;
    ++m_pending;
    if (!Capture::showsErrorPage(m_pane)) {
        m_pane.saveDocument(filePath());
        return;
    }
    // The server failed: its page is read as an empty one, at the moment a save would end.
    const QString error = Capture::writeEmptyCapture(filePath());
    QMetaObject::invokeMethod(this, [this, error] {
        if (error.isEmpty()) {
            onDocumentSaved(filePath(), true);
            return;
        }
        if (m_pending > 0)
            --m_pending;
        m_dialogs.error(m_dialogParent, error);
        emit captured(false);
    }, Qt::QueuedConnection);
}

void PickerCapture::onDocumentSaved(const QString &path, bool ok)
{
    if (path != filePath())
        return;
    if (m_pending > 0)
        --m_pending;
    if (!ok)
        m_dialogs.message(m_dialogParent, QLatin1String(Capture::SaveFailedText));
    emit captured(ok);
}
