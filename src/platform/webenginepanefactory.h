#pragma once

#include "platform/webpane.h"

#include <memory>

class QWebEngineProfile;

// Owns the browser profile of the program's panes. It must outlive every pane it made.
class WebEnginePaneFactory final : public PaneFactory
{
public:
    // A page that has not finished loading after `loadTimeoutMs` ends as a failed load.
    explicit WebEnginePaneFactory(int loadTimeoutMs = 30000);
    ~WebEnginePaneFactory() override;

    WebPane *createPane(QWidget *parent, const QString &name) override;
    QWebEngineProfile *profile();

private:
    std::unique_ptr<QWebEngineProfile> m_profile;
    int m_loadTimeoutMs;
};
