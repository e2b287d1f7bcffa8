// The catalogue conversion of a hostile page: memory stays within a small multiple of the
// page, however many lines it holds. Alone in its process, so that the peak it measures
// is its own.
#include "service/capture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

namespace {

qint64 peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

} // namespace

class TestCaptureMemory : public QObject
{
    Q_OBJECT

private slots:
    void pageOfLineBreaksConvertsWithinASmallMultipleOfItsSize()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer keeps freed memory: peaks say nothing here");
#endif
        QTemporaryDir temp;
        const QString folder = temp.path() + QLatin1Char('/');
        constexpr qint64 PageBytes = 16 << 20;
        {
            // Written in small pieces, so that making the page raises no peak of its own.
            QFile page(folder + QLatin1String(Capture::CatalogueFile));
            QVERIFY(page.open(QIODevice::WriteOnly));
            const QByteArray piece(64 << 10, '\n');
            for (qint64 written = 0; written < PageBytes; written += piece.size())
                QCOMPARE(page.write(piece), piece.size());
        }
        const qint64 before = peakResidentBytes();
        QCOMPARE(Capture::ConvertBreaks(folder), QString());
        const qint64 growth = peakResidentBytes() - before;
        qInfo("peak grew by %lld MiB for a %lld MiB page", growth >> 20, PageBytes >> 20);
        // The page and its conversion (each line end becomes CR LF) are 48 MiB together.
        QVERIFY2(growth < 4 * PageBytes, qPrintable(QStringLiteral("peak grew by %1 MiB").arg(growth >> 20)));
        QCOMPARE(QFile(folder + QLatin1String(Capture::ConvertedCatalogueFile)).size(), 2 * PageBytes);
    }
};

QTEST_GUILESS_MAIN(TestCaptureMemory)
#include "test_capture_memory.moc"
