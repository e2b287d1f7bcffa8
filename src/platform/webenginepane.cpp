#include "platform/webenginepane.h"

#include "platform/paneaddress.h"
#include "platform/webenginepanefactory.h"

#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

// The page a new-window request gets when the pane hands such requests to the desktop:
// it takes the first address asked for, reports it, and goes.
class HandOverPage final : public QWebEnginePage
{
public:
    HandOverPage(QWebEngineProfile *profile, WebEnginePane *pane)
        : QWebEnginePage(profile, pane)
        , m_pane(pane)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (isMainFrame && !m_done) {
            m_done = true;
            emit m_pane->newWindowRequested(url.toString());
            deleteLater();
        }
        return false;
    }

private:
    WebEnginePane *m_pane;
    bool m_done = false;
};

// Pages never open windows of their own; a pane may hand the addresses to the desktop.
class NoWindowsPage final : public QWebEnginePage
{
public:
    NoWindowsPage(QWebEngineProfile *profile, QObject *parent, WebEnginePane *pane)
        : QWebEnginePage(profile, parent)
        , m_pane(pane)
    {
    }

protected:
    QWebEnginePage *createWindow(WebWindowType) override
    {
        return m_pane->handsNewWindowsOver() ? new HandOverPage(profile(), m_pane) : nullptr;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override
    {
    }

private:
    WebEnginePane *m_pane;
};

} // namespace

WebEnginePane::WebEnginePane(WebEnginePaneFactory *factory, QWidget *parent, const QString &name,
                             int loadTimeoutMs)
    : WebPane(parent)
    , m_factory(factory)
    , m_container(new QWidget(parent))
{
    setObjectName(name);
    m_container->setObjectName(name);
    auto *layout = new QVBoxLayout(m_container);
    layout->setContentsMargins(0, 0, 0, 0);
    m_loadTimeout.setSingleShot(true);
    m_loadTimeout.setInterval(loadTimeoutMs);
    connect(&m_loadTimeout, &QTimer::timeout, this, &WebEnginePane::onLoadTimeout);
}

WebEnginePane::~WebEnginePane() = default;

void WebEnginePane::ensureView()
{
    if (m_view) {
        ensureCurrentProfile();
        return;
    }
    QWebEngineProfile *profile = m_factory->profile();
    m_view = new QWebEngineView(m_container);
    m_view->setPage(new NoWindowsPage(profile, m_view, this));
    m_view->setContextMenuPolicy(Qt::PreventContextMenu);
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_container->layout()->addWidget(m_view);
    // Shown at once rather than when the layout next runs, so that the page is visible to
    // the engine from its first load.
    m_view->show();
    m_container->setFocusProxy(m_view);
    connectPage();
}

void WebEnginePane::ensureCurrentProfile()
{
    QWebEngineProfile *profile = m_factory->profile();
    QWebEnginePage *old = m_view->page();
    if (old->profile() == profile)
        return;
    // What the old page still plays stops with it; the next load runs on the new profile.
    old->disconnect(this);
    m_view->setPage(new NoWindowsPage(profile, m_view, this));
    old->deleteLater();
    connectPage();
}

void WebEnginePane::connectPage()
{
    connect(m_view->page(), &QWebEnginePage::loadingChanged, this, &WebEnginePane::onLoadingChanged);
    connect(m_view->page(), &QWebEnginePage::loadProgress, this, [this](int progress) {
        if (m_loading && progress < ProgressMax)
            emit progressChange(progress, ProgressMax);
    });
    connect(m_view->page(), &QWebEnginePage::titleChanged, this, &WebEnginePane::onTitleChanged);
}

void WebEnginePane::navigate(const QString &address)
{
    ensureView();
    m_navigated = address;
    // The load is ours from here on. The engine reports no new start when it replaces a
    // load that is still running, and a load it stopped may still report its end later.
    beginLoad();
    m_view->load(QUrl(address));
}

void WebEnginePane::beginLoad()
{
    m_loading = true;
    m_failed = false;
    m_titleReported = false;
    m_startReported = false;
    m_loadTimeout.start();
}

void WebEnginePane::refresh()
{
    if (!m_view)
        return;
    if (m_view->page()->profile() != m_factory->profile()) {
        // A reload after a change of proxy is a new load on the new profile.
        const QUrl url = m_view->url();
        ensureCurrentProfile();
        m_view->load(url);
        return;
    }
    m_view->reload();
}

bool WebEnginePane::goBack()
{
    if (!m_view || !m_view->history()->canGoBack())
        return false;
    m_view->back();
    return true;
}

bool WebEnginePane::goForward()
{
    if (!m_view || !m_view->history()->canGoForward())
        return false;
    m_view->forward();
    return true;
}

QString WebEnginePane::locationUrl() const
{
    if (m_failed)
        return QString::fromLatin1(PaneAddress::ErrorPageLocation);
    if (!m_view)
        return m_navigated;
    const QUrl url = m_view->url();
    if (url.isEmpty())
        return m_navigated;
    return QUrl(m_navigated) == url ? m_navigated : url.toString();
}

QString WebEnginePane::title() const
{
    return m_lastTitle;
}

bool WebEnginePane::hasDocument() const
{
    return m_view && !m_view->url().isEmpty();
}

QString WebEnginePane::documentProtocol() const
{
    if (!hasDocument())
        return {};
    if (m_failed)
        return QStringLiteral("chrome-error:");
    return m_view->url().scheme() + QLatin1Char(':');
}

void WebEnginePane::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    // The engine's own error page belongs to the load that failed: only the failure counts.
    if (info.isErrorPage() && info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        // A load the pane did not begin itself: a reload, the history, a page's own link.
        if (!m_loading)
            beginLoad();
        if (!m_startReported) {
            m_startReported = true;
            emit progressChange(0, ProgressMax);
        }
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        if (m_loading)
            finishLoad();
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (m_loading) {
            m_failed = true;
            finishLoad();
        }
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        // The end of a load stopped after its time-out, reported late: the pane has moved on.
        if (!m_loading || (!m_stoppedAddress.isEmpty() && info.url() == m_stoppedAddress
                           && info.url() != QUrl(m_navigated)))
            break;
        // The load ended without a document of its own (204 No Content, a download, an
        // aborted navigation): for the program it is a load that failed.
        m_failed = true;
        finishLoad();
        break;
    }
}

QString WebEnginePane::failedLoadTitle() const
{
    // The title the engine's error page carries: the host that could not be reached.
    const QUrl url(m_navigated);
    return url.host().isEmpty() ? m_navigated : url.host();
}

void WebEnginePane::onTitleChanged(const QString &title)
{
    const QString mapped = PaneAddress::titleForProgram(title, m_view->url(), m_navigated);
    // The error page's title has already been reported when the load failed.
    if (m_failed && mapped == m_lastTitle)
        return;
    reportTitle(mapped);
}

void WebEnginePane::reportTitle(const QString &title)
{
    m_lastTitle = title;
    m_titleReported = true;
    emit titleChange(title);
}

void WebEnginePane::finishLoad()
{
    m_loading = false;
    m_loadTimeout.stop();
    if (m_failed) {
        if (m_lastTitle != failedLoadTitle())
            reportTitle(failedLoadTitle());
    }
    else if (!m_titleReported)
        reportTitle(PaneAddress::titleForProgram(m_view->title(), m_view->url(), m_navigated));
    emit progressChange(ProgressMax, ProgressMax);
}

void WebEnginePane::onLoadTimeout()
{
    if (!m_loading || !m_view)
        return;
    // The engine is stopped before the end is reported: whoever takes the end as the cue
    // for a next load must find that load running, not stopped along with this one.
    m_failed = true;
    m_loading = false;
    m_stoppedAddress = QUrl(m_navigated);
    m_view->stop();
    finishLoad();
}

void WebEnginePane::saveDocument(const QString &filePath)
{
    if (!hasDocument() || m_failed) {
        QMetaObject::invokeMethod(this, [this, filePath] { emit documentSaved(filePath, false); },
                                  Qt::QueuedConnection);
        return;
    }
    QWebEngineProfile *profile = m_view->page()->profile();
    QWebEnginePage *page = m_view->page();
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(profile, &QWebEngineProfile::downloadRequested, this,
                          [this, page, filePath, connection](QWebEngineDownloadRequest *request) {
        if (request->page() != page || !request->isSavePageDownload())
            return;
        disconnect(*connection);
        connect(request, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, request, filePath] {
            if (!request->isFinished())
                return;
            const bool ok = request->state() == QWebEngineDownloadRequest::DownloadCompleted;
            // Let the engine finish its own handling of the download first.
            QMetaObject::invokeMethod(this, [this, filePath, ok] { emit documentSaved(filePath, ok); },
                                      Qt::QueuedConnection);
        });
        request->accept();
    });
    page->save(filePath, QWebEngineDownloadRequest::SingleHtmlSaveFormat);
}
