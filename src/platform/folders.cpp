#include "platform/folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace Folders {

QString settingsFolder()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/sintonia/");
    QDir().mkpath(path);
    return path;
}

QString usualTempFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime))
        return QDir::cleanPath(runtime) + QStringLiteral("/sintonia/");
    return QDir::tempPath() + QStringLiteral("/sintonia-%1/").arg(getuid());
}

namespace {

// Empty when `path` is a folder of ours that only we can enter; otherwise why not.
QString unfitness(const QString &path)
{
    const QByteArray native = QFile::encodeName(QDir::cleanPath(path));
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return QStringLiteral("non può essere creata (%1)").arg(QString::fromLocal8Bit(strerror(errno)));
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0)
        return QStringLiteral("non è leggibile (%1)").arg(QString::fromLocal8Bit(strerror(errno)));
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("è un collegamento");
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("non è una cartella");
    if (info.st_uid != getuid())
        return QStringLiteral("appartiene a un altro utente");
    if ((info.st_mode & 0077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return QStringLiteral("è aperta ad altri utenti");
    return {};
}

} // namespace

TempFolder tempFolder()
{
    const QString usual = usualTempFolder();
    const QString problem = unfitness(usual);
    if (problem.isEmpty())
        return {usual, {}};
    // A fresh folder of this run, made private by its maker.
    QTemporaryDir fresh(QDir::tempPath() + QStringLiteral("/sintonia-XXXXXX"));
    fresh.setAutoRemove(false);
    return {fresh.path() + QLatin1Char('/'),
            QStringLiteral("La cartella temporanea %1 non è sicura: %2. Le pagine scaricate vanno in %3.")
                .arg(usual, problem, fresh.path())};
}

} // namespace Folders
