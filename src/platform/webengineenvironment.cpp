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
    // The panes are composed in software: a radio's pages need no 3D, and composing them
    // through OpenGL cost the main process about 45 MB on a desktop without a GPU.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    if (qgetenv("QT_QUICK_BACKEND") == "software") {
        // Nothing draws with OpenGL then: on X11 the window system's OpenGL is not even
        // loaded (with Mesa's software renderer and LLVM, about 30 MB).
        if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
            qputenv("QT_XCB_GL_INTEGRATION", "none");
    } else {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
}

} // namespace WebEngineEnvironment
