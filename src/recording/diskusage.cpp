#include "recording/diskusage.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <cmath>

namespace DiskUsage {

double scaleStep(double value)
{
    return std::trunc(value / 1024 * 100) / 100;
}

QString sizeText(qint64 bytes, const QLocale &locale)
{
    static const char *const units[] = {" byte", " Kb", " Mb", " Gb"};
    double value = static_cast<double>(bytes);
    int unit = 0;
    while (unit < 3 && value > 1024) {
        value = scaleStep(value);
        ++unit;
    }
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', 15) + QLatin1String(units[unit]);
}

PieValues pieValues(const Reading &reading)
{
    double file = static_cast<double>(reading.fileSize);
    double free = static_cast<double>(reading.freeBytes);
    double total = static_cast<double>(reading.totalBytes);
    double smallest = std::min({file, free, total});
    for (int step = 0; step < 3 && smallest > 1024; ++step) {
        smallest = scaleStep(smallest);
        file = scaleStep(file);
        free = scaleStep(free);
        total = scaleStep(total);
    }
    PieValues values;
    values.file = std::max(0.0, file);
    values.free = std::max(0.0, free - file);
    values.used = std::max(0.0, total - free - file);
    return values;
}

QString nearestExistingFolder(const QString &folder)
{
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return {};
        path = parent;
    }
    return path;
}

Reading read(const QString &folder, const QString &fileName)
{
    Reading reading;
    if (!fileName.trimmed().isEmpty()) {
        const QFileInfo file(QDir(folder).filePath(fileName));
        if (file.isFile())
            reading.fileSize = file.size();
    }
    const QString drive = nearestExistingFolder(folder);
    if (drive.isEmpty())
        return reading;
    const QStorageInfo storage(drive);
    if (storage.isValid() && storage.isReady()) {
        reading.freeBytes = storage.bytesAvailable();
        reading.totalBytes = storage.bytesTotal();
    }
    return reading;
}

} // namespace DiskUsage
