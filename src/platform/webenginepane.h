#pragma once

#include "platform/webpane.h"

#include <QTimer>
#include <QUrl>

#include <memory>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

// A pane over QtWebEngine. The view is created on the first navigation, so panes that
// never show a page cost no renderer.
class WebEnginePane final : public WebPane
{
    Q_OBJECT

public:
    WebEnginePane(class WebEnginePaneFactory *factory, QWidget *parent, const QString &name, int loadTimeoutMs);
    ~WebEnginePane() override;

    QWidget *widget() override { return m_container; }
    void navigate(const QString &address) override;
    void refresh() override;
    bool goBack() override;
    bool goForward() override;
    QString locationUrl() const override;
    QString title() const override;
    bool busy() const override { return m_loading; }
    bool hasDocument() const override;
    QString documentProtocol() const override;
    void saveDocument(const QString &filePath) override;
    void handNewWindowsOver(bool on) override { m_handsNewWindowsOver = on; }
    bool handsNewWindowsOver() const { return m_handsNewWindowsOver; }

    QWebEngineView *view() const { return m_view; }

private:
    void ensureView();
    // The view's page belongs to the profile of the pages made from now on.
    void ensureCurrentProfile();
    void connectPage();
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void onTitleChanged(const QString &title);
    void beginLoad();
    void finishLoad();
    void onLoadTimeout();
    void reportTitle(const QString &title);
    QString failedLoadTitle() const;

    WebEnginePaneFactory *m_factory;
    QWidget *m_container;
    QWebEngineView *m_view = nullptr; // owned by m_container
    QString m_navigated;
    QString m_lastTitle;
    QTimer m_loadTimeout;
    bool m_loading = false;
    bool m_failed = false;
    bool m_titleReported = false;
    bool m_startReported = false;
    // The address of the last load stopped after its time-out.
    QUrl m_stoppedAddress;
    bool m_handsNewWindowsOver = false;
};
