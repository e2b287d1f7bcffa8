#include "platform/webengineenvironment.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>

#include <unistd.h>

namespace WebEngineEnvironment {

void prepare()
{
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const QByteArray audioInProcess = "--disable-features=AudioServiceOutOfProcess";
    if (!flags.contains("AudioServiceOutOfProcess")) {
        if (!flags.isEmpty())
            flags += ' ';
        flags += audioInProcess;
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace WebEngineEnvironment
