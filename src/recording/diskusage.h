#pragma once

#include <QLocale>
#include <QString>

// The figures of the disk-usage display: the size of the recording file and the room on
// the drive that holds the recording folder.
namespace DiskUsage {

struct Reading
{
    qint64 fileSize = 0;   // bytes of the current recording file, 0 when there is none
    qint64 freeBytes = -1; // available to the user; -1 when the drive cannot be queried
    qint64 totalBytes = -1;
};

// The values of the three pie slices, in their order: file, free, used.
struct PieValues
{
    double file = 0;
    double free = 0;
    double used = 0;
};

// Divides by 1024 and cuts (does not round) to two decimals.
double scaleStep(double value);
// "1024 byte", "1 Kb", "4.76 Mb", "27.93 Gb": scaled at most three times while above 1024,
// shortest decimal form with the locale's decimal separator.
QString sizeText(qint64 bytes, const QLocale &locale = QLocale());
// Scaled together until the smallest is at most 1024 (three steps at most); a slice
// never goes below zero.
PieValues pieValues(const Reading &reading);

// `folder` when it exists, otherwise its nearest existing parent; empty when none exists.
QString nearestExistingFolder(const QString &folder);

// The file is `fileName` in `folder` (0 when the name is blank or no file is there; sizes
// of 2 GiB and more are read in full). The drive is the file system holding `folder`, or
// its nearest existing parent while the folder does not exist yet.
Reading read(const QString &folder, const QString &fileName);

} // namespace DiskUsage
