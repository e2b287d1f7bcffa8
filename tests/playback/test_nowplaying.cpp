// The now-playing name of the hints and the title of the notice, for every code range.
#include "app/languagetable.h"
#include "platform/languagetext.h"
#include "playback/nowplaying.h"
#include "service/catalogue.h"

#include <QTest>

namespace {

class Italian final : public LanguageTextSource
{
public:
    Italian() { table.fill(); }
    QString LanguageText(int key) const override { return table.text(1, key); }
    TTraduzione table;
};

} // namespace

class TestNowPlaying : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("startupTicked");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("notice");
        QTest::newRow("nothing played") << -1 << false << "" << "";
        QTest::newRow("start-up station, play ticked") << 0 << true << "Radio Avvio" << "Radio Avvio";
        QTest::newRow("start-up station, play not ticked") << 0 << false << "" << "Radio Avvio";
        QTest::newRow("list 1 slot 1") << 1 << false << "L1-1" << "L1-1";
        QTest::newRow("list 1 slot 15") << 15 << false << "L1-15" << "L1-15";
        QTest::newRow("search section") << 16 << false << "Altre Radio" << "Altre Radio";
        QTest::newRow("all stations") << 17 << false << "Altre Radio" << "Altre Radio";
        QTest::newRow("newsletter or announced") << 18 << false << "" << "Annunciata";
        QTest::newRow("typed address") << 19 << false << "Radio personale" << "Radio personale";
        QTest::newRow("timetable") << 20 << false << "Programmata" << "Programmata";
        QTest::newRow("favourite 1") << 21 << false << "P1" << "P1";
        QTest::newRow("favourite 15") << 35 << false << "P15" << "P15";
        QTest::newRow("gap 36") << 36 << false << "" << "";
        QTest::newRow("gap 40") << 40 << false << "" << "";
        QTest::newRow("list 3 slot 1") << 41 << false << "L3-1" << "L3-1";
        QTest::newRow("list 3 slot 15") << 55 << false << "L3-15" << "L3-15";
        QTest::newRow("beyond") << 56 << false << "" << "";
        QTest::newRow("far beyond") << 100000 << false << "" << "";
    }

    void names()
    {
        QFETCH(int, code);
        QFETCH(bool, startupTicked);
        QFETCH(QString, hint);
        QFETCH(QString, notice);
        CatalogueStore store;
        for (int k = 1; k <= 15; ++k) {
            store.List1[k].Name = QStringLiteral("L1-%1").arg(k);
            store.List3[k].Name = QStringLiteral("L3-%1").arg(k);
        }
        Italian texts;
        NowPlayingInputs in;
        in.code = code;
        in.catalogue = &store;
        in.texts = &texts;
        for (int k = 1; k <= 15; ++k)
            in.personalNames[k] = QStringLiteral("P%1").arg(k);
        in.scheduledName = QStringLiteral("Programmata");
        in.announcedName = QStringLiteral("Annunciata");
        in.startupStationId = 7;
        in.startupStationName = QStringLiteral("Radio Avvio");
        in.startupPlayTicked = startupTicked;
        QCOMPARE(NowPlaying::hintName(in), hint);
        QCOMPARE(NowPlaying::noticeTitle(in), notice);
    }

    void startupStationZeroHasNoName()
    {
        NowPlayingInputs in;
        in.code = 0;
        in.startupStationName = QStringLiteral("Radio Avvio");
        in.startupPlayTicked = true;
        QCOMPARE(NowPlaying::hintName(in), QString());
        QCOMPARE(NowPlaying::noticeTitle(in), QString());
    }

    void displayableTexts()
    {
        QCOMPARE(NowPlaying::displayable(QStringLiteral("a\tb\nc\x01")), QStringLiteral("a b c "));
        const QString cut = NowPlaying::displayable(QString(100000, QLatin1Char('x')));
        QCOMPARE(cut.size(), 201);
        QVERIFY(cut.endsWith(QChar(0x2026)));
        QCOMPARE(NowPlaying::displayable(QStringLiteral("Radio Città")), QStringLiteral("Radio Città"));
    }
};

QTEST_APPLESS_MAIN(TestNowPlaying)
#include "test_nowplaying.moc"
