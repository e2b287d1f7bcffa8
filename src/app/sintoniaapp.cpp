#include "app/sintoniaapp.h"

#include "app/darkpalette.h"
#include "app/frm_sintonia.h"
#include "app/quitonsignal.h"
#include "app/startuptrace.h"
#include "app/windows.h"
#include "platform/clock.h"
#include "platform/desktopnotifier.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/mprisnotice.h"
#include "platform/proxycontrol.h"
#include "platform/randomgenerator.h"
#include "platform/shell.h"
#include "platform/webengineenvironment.h"
#include "platform/webenginepanefactory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>


int runSintonia(int argc, char **argv)
{
    WebEngineEnvironment::prepare();
    QApplication app(argc, argv); // the command line is not read
    QApplication::setApplicationName(QStringLiteral("sintonia"));
    // No display name: the window manager would see it appended to every caption.
    QApplication::setApplicationVersion(QStringLiteral("4.5"));
    // Wayland desktops find the window's icon and name through the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.sintonia.Sintonia"));
    QApplication::setQuitOnLastWindowClosed(false);
    // One look on every desktop: the dark player in Qt's own style.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(darkPalette());
    QuitOnSignal::install();

    // Made before the windows and destroyed after them: the panes' profile lives here.
    WebEnginePaneFactory panes;
    QtDialogs dialogs;
    DesktopShell shell;
    ClockSeededRandom random;
    SteadyClock clock;
    SystemWallClock wallClock;
    QtProxyControl proxy(panes);
    DBusNotifier notifier;
    MprisNotice notices;
    const Folders::TempFolder temp = Folders::tempFolder();
    PlatformServices services{&panes, &dialogs, &shell, &random, &clock, &notices, Folders::settingsFolder(),
                              temp.path, QString(), QString(), &wallClock, &proxy, {}, &notifier};
    services.media = &notices;

    int code = 0;
    {
        SintoniaWindows windows(services);
        StartupTrace::attach(*windows.main());
        windows.main()->show();
        if (!temp.problem.isEmpty())
            QTimer::singleShot(0, windows.main(), [&dialogs, &windows, &temp] {
                dialogs.message(windows.main(), temp.problem);
            });
        code = QApplication::exec();
    }
    // Let the browser engine finish what the destroyed panes left before it goes away.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    return code;
}
