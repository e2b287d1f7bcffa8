#include "app/startuptrace.h"

#include "app/frm_sintonia.h"
#include "platform/webpane.h"
#include "recording/componentlocation.h"
#include "service/mirrors.h"

#include <QTimer>
#include <QtGlobal>

#include <cstdio>
#include <ctime>

namespace StartupTrace {

namespace {
void print(const char *what)
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "sintonia-trace %s %.3f\n", what, now.tv_sec * 1000.0 + now.tv_nsec / 1e6);
    std::fflush(stderr);
}
} // namespace

void attach(TFrm_Sintonia &window)
{
    const QString shot = qEnvironmentVariable("SINTONIA_SCREENSHOT");
    if (!shot.isEmpty()) {
        // A picture of the window once the start-up pages have had time to load.
        QTimer::singleShot(8000, &window, [&window, shot] { window.grab().save(shot); });
    }
    if (qEnvironmentVariableIsEmpty("SINTONIA_STARTUP_TRACE"))
        return;
    QObject::connect(&window, &TFrm_Sintonia::firstShown, &window, [] {
        print("window-shown");
        // A line of another kind: the benchmark reads "sintonia-trace <what> <when>" only.
        const QString component = ComponentLocation::find();
        std::fprintf(stderr, "sintonia-component %s\n",
                     component.isEmpty() ? "none" : component.toLocal8Bit().constData());
        std::fflush(stderr);
    });
    WebPane *home = window.pane(QStringLiteral("WB_Principale"));
    if (!home)
        return;
    QObject::connect(home, &WebPane::progressChange, &window, [&window](int progress, int progressMax) {
        if (progress >= progressMax
            && window.mirrors().AccessTitle().compare(QLatin1String("accessoOK"), Qt::CaseInsensitive) == 0)
            print("access-complete");
    });
}

} // namespace StartupTrace
