#pragma once

// The program's eight windows made with fake panes and scripted dialogs, in temporary
// settings and temporary folders, for the window tests.
#include "app/frm_sintonia.h"
#include "app/windows.h"
#include "platform/fakes/fakeplatform.h"
#include "platform/fakes/fakewebpane.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>

struct WindowRig
{
    QTemporaryDir settings;
    QTemporaryDir temp;
    FakePaneFactory panes;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    ScriptedRandom random;
    FakeClock clock;
    FakeWallClock wallClock;
    RecordingProxy proxy;
    RecordingNotifier notifier;
    // The primary screen's available area the news ticker slides in.
    QRect workArea{0, 0, 1024, 740};
    RecordingNotices notices;
    PlatformServices services;
    std::unique_ptr<SintoniaWindows> windows;

    // `serverLines` become ServerSN.txt; `tempFolder` replaces the temporary folder.
    explicit WindowRig(int startMirror = 1, const QStringList &serverLines = {}, const QString &tempFolder = {});

    // The windows are destroyed and made again on the same folders, as at a new start.
    void restart();

    TFrm_Sintonia *main() const { return windows->main(); }
    FakeWebPane *pane(const char *name) const { return panes.pane(QLatin1String(name)); }
    template <typename T = QWidget> T *find(const QString &name) const { return main()->findChild<T *>(name); }
    // The window of that component name among the eight.
    QWidget *window(const QString &name) const;
    QString autostartFolder() const { return temp.path() + QStringLiteral("/autostart/"); }
    QString settingsFile(const char *name) const { return settings.path() + QLatin1Char('/') + QLatin1String(name); }
    QString tempFile(const char *name) const { return temp.path() + QLatin1Char('/') + QLatin1String(name); }

    // The catalogue pane finishes loading `page`; true once it has been captured and applied.
    bool deliverCatalogue(const QByteArray &page);
};

// A catalogue page as the service sends it: `list1` and `list3` stations (station r of
// list L named "Name <L*100+r>", captioned "Caption <L*100+r>"), empty records up to
// fifteen, then the four partner fields.
QByteArray demoCatalogue(int list1, int list3, const QList<QByteArray> &trailer = {"", "", "", ""});
