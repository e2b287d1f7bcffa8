#pragma once

// The program's eight windows with real QtWebEngine panes, pointed at the station service
// of the test session, with scripted dialogs and a chosen starting mirror.
#include "app/frm_sintonia.h"
#include "app/windows.h"
#include "platform/clock.h"
#include "platform/fakes/fakeplatform.h"
#include "platform/proxycontrol.h"
#include "platform/webengineenvironment.h"
#include "platform/webenginepanefactory.h"

#include <QTemporaryDir>

#include <memory>

struct EngineRig
{
    QTemporaryDir settings;
    QTemporaryDir temp;
    // The engine keeps its cache in this run's folder: nothing carries over between runs.
    WebEnginePaneFactory panes{10000, temp.filePath(QStringLiteral("engine"))};
    ScriptedDialogs dialogs;
    RecordingShell shell;
    ScriptedRandom random;
    SteadyClock clock;
    SystemWallClock wallClock;
    QtProxyControl proxy{panes};
    RecordingNotices recordedNotices;
    PlatformServices services;
    std::unique_ptr<SintoniaWindows> windows;

    // `notices` null: the notices are recorded in recordedNotices.
    explicit EngineRig(int startMirror, NoticeSink *notices = nullptr);
    ~EngineRig();
    // The windows are destroyed and made again on the same settings, starting on mirror 1.
    void restart();
    TFrm_Sintonia *main() const { return windows->main(); }
    // Waits until the first catalogue has been applied to list 1.
    bool waitForCatalogue(int timeoutMs = 30000) const;
};

// The engine is prepared as the program prepares it, before the application object exists.
#define SINTONIA_WEBENGINE_TEST_MAIN(TestClass)                                                      \
    int main(int argc, char **argv)                                                                  \
    {                                                                                                \
        WebEngineEnvironment::prepare();                                                             \
        QApplication app(argc, argv);                                                                \
        TestClass test;                                                                              \
        return QTest::qExec(&test, argc, argv);                                                      \
    }
