#include "platform/webenginepanefactory.h"

#include "platform/webenginepane.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

WebEnginePaneFactory::WebEnginePaneFactory(int loadTimeoutMs)
    : m_loadTimeoutMs(loadTimeoutMs)
{
}

WebEnginePaneFactory::~WebEnginePaneFactory() = default;

WebPane *WebEnginePaneFactory::createPane(QWidget *parent, const QString &name)
{
    return new WebEnginePane(this, parent, name, m_loadTimeoutMs);
}

QWebEngineProfile *WebEnginePaneFactory::profile()
{
    // Made at the first page, so that the proxy chosen at start-up is in force for it.
    if (!m_profile) {
        m_profile = std::make_unique<QWebEngineProfile>(QStringLiteral("sintonia"));
        QWebEngineSettings *settings = m_profile->settings();
        settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    }
    return m_profile.get();
}
