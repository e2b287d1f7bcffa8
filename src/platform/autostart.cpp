#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

namespace {

// An argument of the Exec key, quoted as the desktop entry format asks.
QString quotedArgument(const QString &argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    // In a string value a backslash is itself escaped, and a percent sign is a field code.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString programToStart(const QString &program)
{
    const QFileInfo launcher(QFileInfo(program).absolutePath()
                             + QLatin1String("/../libexec/sintonia/sintonia-start"));
    if (launcher.isFile() && launcher.isExecutable())
        return QDir::cleanPath(launcher.absoluteFilePath());
    return program;
}

QString defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart/");
}

QByteArray entry(const QString &program)
{
    QString exec = quotedArgument(program);
    // Line breaks cannot be part of a value.
    exec.replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Sintonia\n"
                                        "Comment=Internet radio and TV stations\n"
                                        "Exec=%1\n"
                                        "Icon=sintonia\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(exec);
    return text.toUtf8();
}

bool apply(const QString &folder, bool on, const QString &program)
{
    const QString path = QDir(folder).filePath(QLatin1String(EntryName));
    if (!on)
        return !QFile::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(folder))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = entry(program);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace Autostart
