// The disk-usage labels of the recording page: each figure in its own label.
#include "recording/diskusagedisplay.h"

#include <QLabel>
#include <QTest>
#include <QWidget>

class TestDiskUsageDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void eachFigureGoesToItsLabel_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        // Total 8 GiB, of which 3 GiB free, so 5 GiB used; a file of 1536 bytes: four
        // different texts, so that no two labels can be swapped unnoticed.
        QTest::newRow("total") << "Lbl_Total" << "8 Gb";
        QTest::newRow("free") << "Lbl_Free" << "3 Gb";
        QTest::newRow("used") << "Lbl_Used" << "5 Gb";
        QTest::newRow("file") << "Lbl_Filesize" << "1.5 Kb";
    }
    void eachFigureGoesToItsLabel()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        const qint64 gib = qint64(1) << 30;
        QWidget page;
        DiskUsageDisplay display(&page);
        display.show({1536, 3 * gib, 8 * gib});
        auto *shown = page.findChild<QLabel *>(label);
        QVERIFY(shown);
        QCOMPARE(shown->text(), text);
    }
};

QTEST_MAIN(TestDiskUsageDisplay)
#include "test_diskusagedisplay.moc"
