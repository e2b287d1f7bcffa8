#include "recording/componentlocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ComponentLocation {

QStringList folders()
{
    const QString configured = qEnvironmentVariable("SINTONIA_AUDIOCTL_DIR");
    if (!configured.isEmpty())
        return {configured};
    const QString program = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(program + QStringLiteral("/../lib/sintonia")), program};
}

QString find()
{
    for (const QString &folder : folders()) {
        const QString file = QDir(folder).filePath(QLatin1String(FileName));
        if (QFileInfo(file).isFile())
            return file;
    }
    return {};
}

} // namespace ComponentLocation
