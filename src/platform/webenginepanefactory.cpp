#include "platform/webenginepanefactory.h"

#include "platform/webenginepane.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

WebEnginePaneFactory::WebEnginePaneFactory(int loadTimeoutMs, QString storageFolder)
    : m_loadTimeoutMs(loadTimeoutMs)
    , m_storageFolder(std::move(storageFolder))
{
}

WebEnginePaneFactory::~WebEnginePaneFactory() = default;

void WebEnginePaneFactory::networkSettingsChanged()
{
    if (m_profile)
        m_retired.push_back(std::move(m_profile));
}

WebPane *WebEnginePaneFactory::createPane(QWidget *parent, const QString &name)
{
    return new WebEnginePane(this, parent, name, m_loadTimeoutMs);
}

QWebEngineProfile *WebEnginePaneFactory::profile()
{
    // Made at the first page, so that the proxy chosen at start-up is in force for it.
    if (!m_profile) {
        // The first keeps its data on disk; later ones, made after a change of proxy while
        // the first is still in use, keep theirs in memory.
        m_profile = m_retired.empty() ? std::make_unique<QWebEngineProfile>(QStringLiteral("sintonia"))
                                      : std::make_unique<QWebEngineProfile>();
        if (!m_storageFolder.isEmpty() && !m_profile->isOffTheRecord()) {
            m_profile->setPersistentStoragePath(m_storageFolder + QStringLiteral("/storage"));
            m_profile->setCachePath(m_storageFolder + QStringLiteral("/cache"));
        }
        QWebEngineSettings *settings = m_profile->settings();
        settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    }
    return m_profile.get();
}
