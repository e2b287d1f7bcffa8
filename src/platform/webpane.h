#pragma once

#include <QObject>
#include <QString>

class QWidget;

// An embedded web-browser pane as the windows use it: it is navigated, reports the
// title of every document it loads and its load progress (0..ProgressMax, a finished
// load - failed ones included - always ends at ProgressMax), and can save its document
// as the bytes the server sent.
class WebPane : public QObject
{
    Q_OBJECT

signals:
    void titleChange(const QString &text);
    void progressChange(int progress, int progressMax);
    // The asynchronous end of saveDocument().
    void documentSaved(const QString &filePath, bool ok);
    // A page asked for a new window on `address`, and the pane hands such requests over.
    void newWindowRequested(const QString &address);

public:
    static constexpr int ProgressMax = 100;

    using QObject::QObject;
    ~WebPane() override = default;

    // The widget that shows the pane; its objectName is the pane's component name.
    virtual QWidget *widget() = 0;

    virtual void navigate(const QString &address) = 0;
    virtual void refresh() = 0;
    // Both return false when there is no page to go to.
    virtual bool goBack() = 0;
    virtual bool goForward() = 0;

    // The address of the document shown or being loaded; empty before the first navigation.
    virtual QString locationUrl() const = 0;
    virtual QString title() const = 0;
    virtual bool busy() const = 0;
    virtual bool hasDocument() const = 0;
    // The scheme of the document's address followed by ":" ("http:", "file:"), or empty.
    virtual QString documentProtocol() const = 0;
    virtual void saveDocument(const QString &filePath) = 0;
    // Pages open no windows; with this on, their requests come out as newWindowRequested().
    virtual void handNewWindowsOver(bool on) = 0;
};

// Makes the panes of the windows; the real program gets QtWebEngine panes, tests get fakes.
class PaneFactory
{
public:
    virtual ~PaneFactory() = default;
    // The pane's QObject and widget both carry objectName `name`; the widget's parent is `parent`.
    virtual WebPane *createPane(QWidget *parent, const QString &name) = 0;
    // The process-wide network settings (the proxy) changed: every later page load must
    // follow them.
    virtual void networkSettingsChanged() {}
};
