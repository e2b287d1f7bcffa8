// Data files, the endpoint file and the pane's title mapping: no windows needed.
#include "platform/paneaddress.h"
#include "platform/textfile.h"
#include "service/endpoints.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void textFileRoundTripIsWindows1252WithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        const QStringList lines{QString::fromUtf8("Radio Città €"), QString(), QStringLiteral("SI")};
        QCOMPARE(TextFile::writeLines(path, lines), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Radio Citt\xe0 \x80\r\n\r\nSI\r\n"));
        QCOMPARE(TextFile::readLines(path).value(), lines);
    }

    void textFileReadsLfAndBoundsItsInput()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("b.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("uno\ndue\r\ntre");
        file.close();
        QCOMPARE(TextFile::readLines(path).value(), (QStringList{"uno", "due", "tre"}));
        QCOMPARE(TextFile::readLines(path, 5).value(), (QStringList{"uno", "d"}));
        QVERIFY(!TextFile::readLines(dir.filePath(QStringLiteral("missing"))).has_value());
    }

    void failedWriteLeavesOldFileAndSaysWhy()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.txt"));
        QCOMPARE(TextFile::writeLines(path, {QStringLiteral("old")}), QString());
        QVERIFY(!TextFile::writeLines(dir.filePath(QStringLiteral("no/such/folder/c.txt")), {"x"}).isEmpty());
        // A write whose target is a folder fails and leaves nothing behind.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d.txt")));
        QVERIFY(!TextFile::writeLines(dir.filePath(QStringLiteral("d.txt")), {"x"}).isEmpty());
        QCOMPARE(TextFile::readLines(path).value(), QStringList{"old"});
    }

    void endpointLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected"); // mirror 1..6, then the four sites

        QStringList defaults;
        for (int port : {47801, 47802, 47803, 47804, 47805, 47806, 47810, 47811, 47812, 47813})
            defaults.append(QStringLiteral("127.0.0.1:%1").arg(port));
        auto with = [&defaults](int line, const QString &value) {
            QStringList list = defaults;
            list[line - 1] = value;
            return list;
        };
        QTest::newRow("empty file") << QByteArray() << defaults;
        QTest::newRow("mirror 1 and the main site") << QByteArray("radio.example.org\r\n\r\n\r\n\r\n\r\n\r\n\r\nsite.example:8080\r\n")
            << with(8, QStringLiteral("site.example:8080")).replaceInStrings(QStringLiteral("127.0.0.1:47801"), QStringLiteral("radio.example.org"));
        QTest::newRow("LF line ends") << QByteArray("a\nb\n") << with(2, QStringLiteral("b")).replaceInStrings(QStringLiteral("127.0.0.1:47801"), QStringLiteral("a"));
        QTest::newRow("50 characters fit") << (QByteArray(46, 'a') + ".org") << with(1, QString(46, QLatin1Char('a')) + QStringLiteral(".org"));
        QTest::newRow("51 characters fall back") << (QByteArray(47, 'a') + ".org") << defaults;
        QTest::newRow("port out of range") << QByteArray("host:70000") << defaults;
        QTest::newRow("port zero") << QByteArray("host:0") << defaults;
        QTest::newRow("path or scheme is not a host") << QByteArray("http://host/x") << defaults;
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe host\x00\r\n\x89PNG", 16) << defaults;
        QTest::newRow("spaces around are trimmed") << QByteArray("  host:1  ") << with(1, QStringLiteral("host:1"));
        QTest::newRow("eleventh line ignored") << QByteArray("\n\n\n\n\n\n\n\n\n\nextra\n") << defaults;
    }

    void endpointLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(EndpointsFileName));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const Endpoints e = Endpoints::fromFile(path);
        QStringList got(e.mirrors.begin(), e.mirrors.end());
        got << e.productSite << e.mainSite << e.secondSite << e.sisterSite;
        QCOMPARE(got, expected);
    }

    void missingEndpointFileGivesLoopbackDefaults()
    {
        const Endpoints e = Endpoints::fromFile(QStringLiteral("/nonexistent/ServerSN.txt"));
        QCOMPARE(e.mirrors[0], QStringLiteral("127.0.0.1:47801"));
        QCOMPARE(e.sisterSite, QStringLiteral("127.0.0.1:47813"));
    }

    void titleWhileLoadingIsTheFullAddress_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        const QString access = QStringLiteral("http://127.0.0.1:47801/radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25&Radio=0");
        QTest::newRow("address without scheme") << access.mid(7) << access << access;
        QTest::newRow("host root without slash") << "example.org" << "http://example.org/" << "http://example.org/";
        QTest::newRow("a real title") << "accessoOK" << access << "accessoOK";
        QTest::newRow("the host alone (error page)") << "127.0.0.1" << access << "127.0.0.1";
        QTest::newRow("empty") << "" << access << "";
    }

    void titleWhileLoadingIsTheFullAddress()
    {
        QFETCH(QString, title);
        QFETCH(QString, url);
        QFETCH(QString, expected);
        QCOMPARE(PaneAddress::titleForProgram(title, QUrl(url), url), expected);
    }
};

QTEST_APPLESS_MAIN(TestPlatform)
#include "test_platform.moc"
