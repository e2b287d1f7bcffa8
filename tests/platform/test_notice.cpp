// The now-playing notice record, byte for byte.
#include "platform/notice.h"

#include <QTest>

namespace {

QString unitsOf(const QByteArray &record)
{
    QString text;
    for (int i = 0; i + 1 < record.size(); i += 2) {
        const char16_t unit = char16_t(uchar(record[i]) | (uchar(record[i + 1]) << 8));
        text.append(QChar(unit));
    }
    return text;
}

} // namespace

class TestNotice : public QObject
{
    Q_OBJECT

private slots:
    void shortTitleLayout()
    {
        const QByteArray record = Notice::record(true, QStringLiteral("Radio Uno"), QStringLiteral("Sintonia by x"));
        QCOMPARE(record.size(), 256);
        const QString expected = QStringLiteral("\\0Music\\01\\0{0} - {1}\\0Radio Uno\\0Sintonia by x\\0\\0WMContentID")
            + QChar(0);
        const QString units = unitsOf(record);
        QCOMPARE(units.left(expected.size()), expected);
        // The NUL unit after the text, and zeros to the end of the buffer.
        for (int i = expected.size(); i < 128; ++i)
            QCOMPARE(units.at(i).unicode(), u'\0');
        // Little-endian UTF-16: "\" is 0x5C 0x00.
        QCOMPARE(record.left(4), QByteArray("\x5c\x00\x30\x00", 4));
    }

    void fixedPiecesAreFortyOneCharacters()
    {
        QCOMPARE(Notice::text(true, QString(), QString()).size(), 41);
        QCOMPARE(Notice::text(false, QStringLiteral("ignored"), QString()).size(), 41);
    }

    void lengthLimit_data()
    {
        QTest::addColumn<int>("titleLength");
        QTest::addColumn<bool>("empty");
        // 127 units of text at most: 41 fixed characters, the 27 of the credit line below
        // and 59 of title.
        QTest::newRow("just fits") << 59 << false;
        QTest::newRow("one too many") << 60 << true;
        QTest::newRow("huge") << 100000 << true;
    }

    void lengthLimit()
    {
        QFETCH(int, titleLength);
        QFETCH(bool, empty);
        const QString title(titleLength, QLatin1Char('x'));
        const QByteArray record = Notice::record(true, title, QStringLiteral("Sintonia by 127.0.0.1:47811"));
        QCOMPARE(record.size(), 256);
        QCOMPARE(record == QByteArray(256, '\0'), empty);
        const Notice::Reading reading = Notice::read(record);
        QCOMPARE(reading.valid, !empty);
        if (!empty)
            QCOMPARE(reading.title, title);
    }

    void stateZeroCarriesNoTitle()
    {
        const Notice::Reading reading = Notice::read(Notice::record(false, QStringLiteral("Radio Uno"), QStringLiteral("c")));
        QVERIFY(reading.valid);
        QVERIFY(!reading.playing);
        QCOMPARE(reading.title, QString());
        QCOMPARE(reading.artist, QStringLiteral("c"));
    }

    void textGoesThroughTheWindowsCodePage()
    {
        // Characters without a Windows-1252 form do not survive the single-byte text.
        const Notice::Reading reading = Notice::read(Notice::record(true, QString::fromUtf8("Città €"), QStringLiteral("c")));
        QCOMPARE(reading.title, QString::fromUtf8("Città €"));
        const QString cyrillic = Notice::text(true, QString::fromUtf8("Радио"), QString());
        QVERIFY(!cyrillic.contains(QString::fromUtf8("Радио")));
    }

    void unreadableRecords()
    {
        QVERIFY(!Notice::read(QByteArray()).valid);
        QVERIFY(!Notice::read(QByteArray(256, '\x41')).valid);
        QVERIFY(!Notice::read(QByteArray(256, '\0')).valid);
    }
};

QTEST_APPLESS_MAIN(TestNotice)
#include "test_notice.moc"
