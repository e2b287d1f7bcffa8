// The catalogue text: break conversion, the line layout, bad pages, and which server
// addresses may be loaded.
#include "service/capture.h"
#include "service/catalogue.h"
#include "service/webaddress.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A catalogue page in the converted form: `list1` and `list3` records (each four fields
// named after the record), blank records up to fifteen, then the trailer lines.
QByteArray page(int list1, int list3, const QList<QByteArray> &trailer = {"", "", "", ""})
{
    QList<QByteArray> lines;
    for (int list : {1, 3}) {
        const int records = list == 1 ? list1 : list3;
        for (int r = 1; r <= 15; ++r) {
            for (const char *field : {"url", "name", "caption", "extra"}) {
                lines.append(r <= records ? QByteArray(field) + '-' + QByteArray::number(list) + '-' + QByteArray::number(r)
                                          : QByteArray());
            }
        }
    }
    lines += trailer;
    return lines.join("\r\n") + "\r\n";
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void replaceAll_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("search");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("each break") << QByteArray("a<BR>b<BR><BR>") << QByteArray("<BR>") << QByteArray("<BR1><BR2>")
                                    << QByteArray("a<BR1><BR2>b<BR1><BR2><BR1><BR2>");
        QTest::newRow("case-sensitive") << QByteArray("a<br>b<Br>") << QByteArray("<BR>") << QByteArray("x")
                                        << QByteArray("a<br>b<Br>");
        QTest::newRow("searches again from the start") << QByteArray("aab") << QByteArray("ab") << QByteArray("b")
                                                       << QByteArray("b");
        QTest::newRow("replacement holding the search is one pass") << QByteArray("ab") << QByteArray("a")
                                                                    << QByteArray("aa") << QByteArray("aab");
        QTest::newRow("nothing to find") << QByteArray("abc") << QByteArray("<BR>") << QByteArray("\r") << QByteArray("abc");
        QTest::newRow("empty search") << QByteArray("abc") << QByteArray() << QByteArray("x") << QByteArray("abc");
    }

    void replaceAll()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, search);
        QFETCH(QByteArray, replacement);
        QFETCH(QByteArray, expected);
        QCOMPARE(Capture::ReplaceAll(text, search, replacement), expected);
    }

    void convertBreaks_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("upper-case breaks become lines") << QByteArray("a<BR>b<BR>c") << QByteArray("a\r\nb\r\nc\r\n");
        QTest::newRow("lower-case breaks stay") << QByteArray("a<br>b<br>c") << QByteArray("a<br>b<br>c\r\n");
        QTest::newRow("line ends of the page stay") << QByteArray("a\nb<BR>c\r\nd") << QByteArray("a\r\nb\r\nc\r\nd\r\n");
        QTest::newRow("empty fields") << QByteArray("<BR><BR>x") << QByteArray("\r\n\r\nx\r\n");
        QTest::newRow("NUL bytes pass") << QByteArray("a\0<BR>b", 7) << QByteArray("a\0\r\nb\r\n", 7);
        QTest::newRow("empty page") << QByteArray() << QByteArray();
    }

    void convertBreaks()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        QCOMPARE(Capture::convertBreaks(input), expected);
    }

    void convertBreaksFiles()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        QCOMPARE(Capture::ConvertBreaks(folder).isEmpty(), false); // no tmpSN.txt: the reason is told
        QFile in(folder + QStringLiteral("tmpSN.txt"));
        QVERIFY(in.open(QIODevice::WriteOnly));
        in.write("uno<BR>due");
        in.close();
        QCOMPARE(Capture::ConvertBreaks(folder), QString());
        QFile out(folder + QStringLiteral("tmp1SN.txt"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), QByteArray("uno\r\ndue\r\n"));
    }

    void fullPageFillsSlotsByPlace()
    {
        const CatalogueStore store = Catalogue::parse(page(15, 15, {"Partner", "http://s/", "Tab", "http://t/"}));
        // Record r of list 1 goes to slot 16 - r, record r of list 3 to slot r.
        QCOMPARE(store.List1[15], (CatalogueEntry{"url-1-1", "name-1-1", "caption-1-1", "extra-1-1"}));
        QCOMPARE(store.List1[1].Name, QStringLiteral("name-1-15"));
        QCOMPARE(store.List3[1].Caption, QStringLiteral("caption-3-1"));
        QCOMPARE(store.List3[15].Url, QStringLiteral("url-3-15"));
        QCOMPARE(store.PartnerName, QStringLiteral("Partner"));
        QCOMPARE(store.SponsorUrl, QStringLiteral("http://s/"));
        QCOMPARE(store.ExtraTabCaption, QStringLiteral("Tab"));
        QCOMPARE(store.ExtraTabUrl, QStringLiteral("http://t/"));
    }

    void tenRecordsThenBlanks()
    {
        const CatalogueStore store = Catalogue::parse(page(10, 10));
        for (int k = 1; k <= 15; ++k) {
            QCOMPARE(store.List1[k].Name.isEmpty(), k <= 5);  // slots 15 down to 6 filled
            QCOMPARE(store.List3[k].Name.isEmpty(), k > 10); // slots 1 to 10 filled
        }
    }

    void linesAfter124AreIgnored()
    {
        const QByteArray base = page(15, 15, {"P", "S", "C", "U"});
        QCOMPARE(Catalogue::parse(base + "extra line\r\nmore\r\n").PartnerName, Catalogue::parse(base).PartnerName);
        const CatalogueStore longer = Catalogue::parse(base + "x\r\n");
        QCOMPARE(longer.ExtraTabUrl, QStringLiteral("U"));
    }

    void shiftedPageShiftsFields()
    {
        // One missing line moves every later field up by one: nothing detects it.
        QByteArray shifted = page(15, 0);
        shifted.remove(0, shifted.indexOf("\r\n") + 2);
        const CatalogueStore store = Catalogue::parse(shifted);
        QCOMPARE(store.List1[15].Url, QStringLiteral("name-1-1"));
        QCOMPARE(store.List1[15].Name, QStringLiteral("caption-1-1"));
    }

    void badPages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("slot15Url"); // list 1, first record
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("one line") << QByteArray("http://a/") << QStringLiteral("http://a/");
        QTest::newRow("lower-case breaks stay one field") << QByteArray("u<br>n<br>c") << QStringLiteral("u<br>n<br>c");
        QTest::newRow("NUL bytes are dropped") << QByteArray("ht\0tp://a/\nname", 15) << QStringLiteral("http://a/");
        QTest::newRow("Windows-1252 bytes") << QByteArray("\x80\xe0\x81") << QString::fromUtf8("€à") + QChar(0x81);
        QTest::newRow("CR alone ends a line") << QByteArray("a\rb\rc") << QStringLiteral("a");
        QTest::newRow("one huge line") << QByteArray(1 << 20, 'x') << QString(1 << 20, QLatin1Char('x'));
        QByteArray many;
        for (int i = 0; i < 10000; ++i)
            many += "line\r\n";
        QTest::newRow("ten thousand lines") << many << QStringLiteral("line");
    }

    void badPages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, slot15Url);
        const CatalogueStore store = Catalogue::parse(Capture::convertBreaks(bytes));
        QCOMPARE(store.List1[15].Url, slot15Url);
        QVERIFY(store.List1[0] == CatalogueEntry{}); // index 0 is never written
    }

    void manyBreaksConvertInLinearTime()
    {
        // A page of one line holding a hundred thousand breaks converts without a hang.
        QByteArray line;
        for (int i = 0; i < 100000; ++i)
            line += "f<BR>";
        const QByteArray converted = Capture::convertBreaks(line);
        QCOMPARE(converted.count("\r\n"), 100001);
    }

    void slotLookupIsBounded()
    {
        const CatalogueStore store;
        QVERIFY(store.slot(1, 1));
        QVERIFY(store.slot(3, 15));
        for (auto [list, k] : {std::pair{1, 0}, {1, 16}, {2, 1}, {3, -1}, {4, 3}})
            QVERIFY(!store.slot(list, k));
    }

    void webPages_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("http") << "http://127.0.0.1:47801/Radio/mostraRadio.asp?Id=3" << true;
        QTest::newRow("https, any case") << "HTTPS://radio.example/x" << true;
        QTest::newRow("javascript") << "javascript:alert(1)" << false;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("data") << "data:text/html,<b>x</b>" << false;
        QTest::newRow("no host") << "http://" << false;
        QTest::newRow("bare text") << "Radio Città" << false;
        QTest::newRow("space in the path") << "http://radio.example/live stream.asp?Id=3" << true;
        QTest::newRow("bar in the query") << "http://radio.example/play.asp?a=1|2" << true;
        QTest::newRow("space before the scheme's host") << "javascript: //radio.example/x" << false;
        QTest::newRow("empty") << "" << false;
    }

    void webPages()
    {
        QFETCH(QString, address);
        QFETCH(bool, loaded);
        QCOMPARE(WebAddress::isWebPage(address), loaded);
    }

    void typedAddresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("bare host") << "radio.example" << "http://radio.example";
        QTest::newRow("bare host with a path") << "radio.example/a b|c" << "http://radio.example/a b|c";
        QTest::newRow("as typed") << "HTTP://Radio.Example/A%20B/../x" << "HTTP://Radio.Example/A%20B/../x";
        QTest::newRow("space kept") << "https://radio.example/live stream" << "https://radio.example/live stream";
        QTest::newRow("a file stays a file") << "/etc/passwd" << "file:///etc/passwd";
    }

    void typedAddresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, loaded);
        QCOMPARE(WebAddress::fromTyped(typed), loaded);
    }
};

QTEST_APPLESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
