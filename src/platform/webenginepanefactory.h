#pragma once

#include "platform/webpane.h"

#include <QString>

#include <memory>
#include <vector>

class QWebEngineProfile;

// Owns the browser profile of the program's panes. It must outlive every pane it made.
class WebEnginePaneFactory final : public PaneFactory
{
public:
    // A page that has not finished loading after `loadTimeoutMs` ends as a failed load.
    // `storageFolder`, when given, holds the profile's data and cache instead of the
    // user's data folder.
    explicit WebEnginePaneFactory(int loadTimeoutMs = 30000, QString storageFolder = {});
    ~WebEnginePaneFactory() override;

    WebPane *createPane(QWidget *parent, const QString &name) override;
    // The browser engine keeps a profile's proxy from its making: a change of proxy starts
    // a new profile, which every pane takes up at its next load.
    void networkSettingsChanged() override;
    // The profile of the pages made from now on.
    QWebEngineProfile *profile();

private:
    std::unique_ptr<QWebEngineProfile> m_profile;
    // Profiles of pages made before a change; they live as long as those pages may.
    std::vector<std::unique_ptr<QWebEngineProfile>> m_retired;
    int m_loadTimeoutMs;
    QString m_storageFolder;
};
