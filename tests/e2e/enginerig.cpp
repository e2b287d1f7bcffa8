#include "enginerig.h"

#include "platform/textfile.h"
#include "stationservice.h"

#include <QTest>

EngineRig::EngineRig(int startMirror, NoticeSink *notices)
{
    TextFile::writeLines(settings.filePath(QStringLiteral("ServerSN.txt")), StationService::serverFileLines());
    random.draws = {startMirror - 1};
    services = PlatformServices{&panes, &dialogs, &shell, &random, &clock,
                                notices ? notices : &recordedNotices, settings.path() + QLatin1Char('/'),
                                temp.path() + QLatin1Char('/'), temp.filePath(QStringLiteral("RecordingFile")),
                                temp.filePath(QStringLiteral("autostart")) + QLatin1Char('/'), &wallClock, &proxy, {}, nullptr};
    windows = std::make_unique<SintoniaWindows>(services);
    windows->main()->show();
}

void EngineRig::restart()
{
    windows.reset();
    random.draws = {0};
    windows = std::make_unique<SintoniaWindows>(services);
    windows->main()->show();
}

EngineRig::~EngineRig()
{
    windows.reset();
    // Let the engine finish with the destroyed views before the profile goes.
    QTest::qWait(300);
}

bool EngineRig::waitForCatalogue(int timeoutMs) const
{
    auto *loading = main()->findChild<QWidget *>(QStringLiteral("Pnl_Caricamento1"));
    return loading && QTest::qWaitFor([loading] { return loading->isHidden(); }, timeoutMs);
}
