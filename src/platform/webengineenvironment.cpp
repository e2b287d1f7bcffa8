#include "platform/webengineenvironment.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>

#include <unistd.h>

namespace WebEngineEnvironment {

namespace {

void addFlag(QByteArray &flags, const QByteArray &flag)
{
    if (!flags.isEmpty())
        flags += ' ';
    flags += flag;
}

} // namespace

void prepare()
{
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("AudioServiceOutOfProcess"))
        addFlag(flags, "--disable-features=AudioServiceOutOfProcess");
    // The station service's pages are one site: they share one page process instead of
    // one each (about 25 MB a pane that ever loaded a page). Pages of other sites keep
    // processes of their own.
    if (!flags.contains("process-per-") && !flags.contains("renderer-process-limit")
        && !flags.contains("single-process"))
        addFlag(flags, "--process-per-site");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    // The panes are composed in software: a radio's pages need no 3D, and the software
    // OpenGL stack that a desktop without a GPU would load costs the main process about
    // 45 MB.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace WebEngineEnvironment
