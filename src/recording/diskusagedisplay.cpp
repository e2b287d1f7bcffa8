#include "recording/diskusagedisplay.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPieSeries>
#include <QPieSlice>

#include <cmath>

namespace {

const QColor FileColour(255, 0, 0);
const QColor FreeColour(113, 184, 255);
const QColor UsageColour(0, 128, 192);

QLabel *label(QWidget *parent, const QString &name, const QString &text = {})
{
    auto *created = new QLabel(text, parent);
    if (!name.isEmpty())
        created->setObjectName(name);
    return created;
}

QWidget *square(QWidget *parent, const QString &name, const QColor &colour, const QString &accessible)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setAccessibleName(accessible);
    panel->setFixedSize(12, 12);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    return panel;
}

QString percentText(double part, double whole)
{
    const double percent = whole > 0 ? part / whole * 100 : 0;
    return QLocale().toString(std::round(percent * 100) / 100, 'g', 15) + QStringLiteral(" %");
}

} // namespace

DiskUsageDisplay::DiskUsageDisplay(QWidget *parent)
{
    auto *row = new QHBoxLayout(parent);
    row->setContentsMargins(0, 0, 0, 0);
    auto *grid = new QGridLayout;
    row->addLayout(grid);

    grid->addWidget(label(parent, {}, QStringLiteral("Total disk space:")), 0, 1);
    m_total = label(parent, QStringLiteral("Lbl_Total"));
    grid->addWidget(m_total, 0, 2);
    grid->addWidget(square(parent, QStringLiteral("Pnl_Free"), FreeColour, QStringLiteral("Free disk space colour")), 1, 0);
    grid->addWidget(label(parent, {}, QStringLiteral("Free disk space:")), 1, 1);
    m_free = label(parent, QStringLiteral("Lbl_Free"));
    grid->addWidget(m_free, 1, 2);
    grid->addWidget(square(parent, QStringLiteral("Pnl_Usage"), UsageColour, QStringLiteral("Used disk space colour")), 2, 0);
    grid->addWidget(label(parent, {}, QStringLiteral("Used disk space:")), 2, 1);
    m_used = label(parent, QStringLiteral("Lbl_Used"));
    grid->addWidget(m_used, 2, 2);
    grid->addWidget(square(parent, QStringLiteral("Pnl_File"), FileColour, QStringLiteral("File size colour")), 3, 0);
    grid->addWidget(label(parent, {}, QStringLiteral("Actual file size:")), 3, 1);
    m_fileSize = label(parent, QStringLiteral("Lbl_Filesize"));
    grid->addWidget(m_fileSize, 3, 2);
    m_total->setAccessibleName(QStringLiteral("Total disk space"));
    m_free->setAccessibleName(QStringLiteral("Free disk space"));
    m_used->setAccessibleName(QStringLiteral("Used disk space"));
    m_fileSize->setAccessibleName(QStringLiteral("Actual file size"));

    m_series = new QPieSeries;
    m_series->setObjectName(QStringLiteral("Series1"));
    m_series->setPieSize(0.7);
    const QColor colours[3] = {FileColour, FreeColour, UsageColour};
    const QString names[3] = {QStringLiteral("File size"), QStringLiteral("Free disk space"),
                              QStringLiteral("Usage disk space")};
    for (int i = 0; i < 3; ++i) {
        m_slices[i] = m_series->append(names[i], 0);
        m_slices[i]->setColor(colours[i]);
        m_slices[i]->setLabelVisible(true);
        m_slices[i]->setExplodeDistanceFactor(0.30);
    }
    auto *chart = new QChart;
    chart->addSeries(m_series);
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundVisible(false);
    chart->setMargins(QMargins(0, 0, 0, 0));
    auto *view = new QChartView(chart, parent);
    view->setObjectName(QStringLiteral("Chart2"));
    view->setAccessibleName(QStringLiteral("Disk usage chart"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(180, 140);
    view->setFocusPolicy(Qt::NoFocus);
    row->addWidget(view, 1);
}

void DiskUsageDisplay::show(const DiskUsage::Reading &reading)
{
    const DiskUsage::PieValues pie = DiskUsage::pieValues(reading);
    const double values[3] = {pie.file, pie.free, pie.used};
    const double whole = pie.file + pie.free + pie.used;
    int biggest = 0;
    for (int i = 0; i < 3; ++i) {
        m_slices[i]->setValue(values[i]);
        m_slices[i]->setLabel(percentText(values[i], whole));
        if (values[i] > values[biggest])
            biggest = i;
    }
    for (int i = 0; i < 3; ++i)
        m_slices[i]->setExploded(i == biggest && whole > 0);

    m_free->setText(DiskUsage::sizeText(reading.freeBytes));
    m_total->setText(DiskUsage::sizeText(reading.totalBytes));
    m_fileSize->setText(DiskUsage::sizeText(reading.fileSize));
    const qint64 used = reading.totalBytes < 0 || reading.freeBytes < 0 ? -1 : reading.totalBytes - reading.freeBytes;
    m_used->setText(DiskUsage::sizeText(used));
}
