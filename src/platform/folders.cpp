#include "platform/folders.h"

#include <QDir>
#include <QStandardPaths>

namespace Folders {

QString settingsFolder()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/sintonia/");
    QDir().mkpath(path);
    return path;
}

QString tempFolder()
{
    return QDir::tempPath() + QLatin1Char('/');
}

} // namespace Folders
