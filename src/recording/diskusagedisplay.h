#pragma once

#include "recording/diskusage.h"

class QLabel;
class QPieSeries;
class QPieSlice;
class QWidget;

// The lower part of the recording page: four labelled values with their colour squares
// and the pie Chart2 (series Series1, three slices).
class DiskUsageDisplay
{
public:
    // Builds the controls into `parent`, which gets a layout of its own.
    explicit DiskUsageDisplay(QWidget *parent);

    void show(const DiskUsage::Reading &reading);

private:
    QLabel *m_total;
    QLabel *m_free;
    QLabel *m_used;
    QLabel *m_fileSize;
    QPieSeries *m_series;
    QPieSlice *m_slices[3];
};
