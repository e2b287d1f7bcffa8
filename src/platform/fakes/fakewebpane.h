#pragma once

#include "platform/webpane.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

// A pane that does what the test tells it: navigations are recorded, and the test makes
// the load events happen.
class FakeWebPane final : public WebPane
{
    Q_OBJECT

public:
    FakeWebPane(QWidget *parent, const QString &name, QStringList *journal = nullptr);

    QWidget *widget() override { return m_widget; }
    void navigate(const QString &address) override;
    void refresh() override { ++m_refreshes; }
    // The pane keeps a history of its navigations, as a browser does.
    bool goBack() override;
    bool goForward() override;
    QString locationUrl() const override { return m_location; }
    QString title() const override { return m_title; }
    bool busy() const override { return m_busy; }
    bool hasDocument() const override { return !m_protocol.isEmpty(); }
    QString documentProtocol() const override { return m_protocol; }
    void saveDocument(const QString &filePath) override;
    void handNewWindowsOver(bool on) override { m_handsOver = on; }
    bool handsNewWindowsOver() const { return m_handsOver; }

    // Script: the events of a load.
    void emitTitle(const QString &title);
    void emitProgress(int progress);
    // The title, then the progress at its maximum.
    void finishLoad(const QString &title);
    void setLocation(const QString &address) { m_location = address; }
    void setDocumentProtocol(const QString &protocol) { m_protocol = protocol; }
    // What the next saves write; a refused save writes nothing.
    void setSaveResult(bool ok, const QByteArray &content = {});

    const QStringList &navigations() const { return m_navigations; }
    void clearNavigations() { m_navigations.clear(); }
    int refreshes() const { return m_refreshes; }
    int backs() const { return m_backs; }
    int saves() const { return m_saves; }

private:
    QWidget *m_widget;
    QStringList m_navigations;
    QString m_location;
    QString m_title;
    QString m_protocol;
    QByteArray m_saveContent;
    bool m_saveOk = true;
    bool m_busy = false;
    int m_refreshes = 0;
    int m_backs = 0;
    bool m_handsOver = false;
    QStringList *m_journal = nullptr; // "name: address" and "name: back", in order, for all panes
    QStringList m_history;
    qsizetype m_historyIndex = -1;
    int m_saves = 0;
};

class FakePaneFactory final : public PaneFactory
{
public:
    WebPane *createPane(QWidget *parent, const QString &name) override;
    // The pane made under that name, or nullptr.
    FakeWebPane *pane(const QString &name) const { return m_panes.value(name); }
    // What every pane was asked to do, in order: "WB_New: about:blank", "WB_New: back".
    QStringList journal;

private:
    QHash<QString, FakeWebPane *> m_panes;
};
