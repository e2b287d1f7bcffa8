// The decisions of the access handshake and the banner failover, driven through fake panes.
#include "platform/fakes/fakeplatform.h"
#include "platform/fakes/fakewebpane.h"
#include "service/lampstrip.h"
#include "service/mirrors.h"
#include "service/serveraddress.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

struct Rig
{
    QWidget root;
    FakePaneFactory panes;
    ScriptedRandom random;
    FakeClock clock;
    std::unique_ptr<Mirrors> mirrors;
    FakeWebPane *home = nullptr;
    FakeWebPane *catalogue = nullptr;
    FakeWebPane *banner = nullptr;

    explicit Rig(int startMirror)
    {
        LampStrip::build(&root);
        home = static_cast<FakeWebPane *>(panes.createPane(&root, QStringLiteral("WB_Principale")));
        catalogue = static_cast<FakeWebPane *>(panes.createPane(&root, QStringLiteral("WebBrowser3")));
        banner = static_cast<FakeWebPane *>(panes.createPane(&root, QStringLiteral("WebBrowser2")));
        mirrors = std::make_unique<Mirrors>(Endpoints::defaults(), random, clock);
        mirrors->attach(&root, home, catalogue, banner);
        random.draws = {startMirror - 1};
        mirrors->ChooseMirror();
    }

    QString root_(int mirror) const { return QStringLiteral("http://127.0.0.1:%1").arg(47800 + mirror); }

    QList<int> litLamps() const
    {
        QList<int> lit;
        for (int n = 0; n <= 6; ++n) {
            auto *lamp = root.findChild<QLabel *>(QStringLiteral("Img_Server%1").arg(n));
            if (lamp && lamp->property("lit").toBool())
                lit.append(n);
        }
        return lit;
    }
};

} // namespace

class TestMirrors : public QObject
{
    Q_OBJECT

private slots:
    void chooseMirrorLightsOneLampAndSeeds()
    {
        Rig rig(4);
        QCOMPARE(rig.random.seeds, 1);
        QCOMPARE(rig.mirrors->MirrorIndex(), 4);
        QCOMPARE(rig.mirrors->ServerRoot(), rig.root_(4));
        QCOMPARE(rig.litLamps(), QList<int>{4});
    }

    void startAccessLoadsAccessThenCatalogueFromSameMirror()
    {
        Rig rig(2);
        QSignalSpy cleared(rig.mirrors.get(), &Mirrors::catalogueRequested);
        rig.mirrors->StartAccess();
        QCOMPARE(rig.home->navigations(),
                 QStringList{rig.root_(2) + QStringLiteral("/radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25&Radio=0")});
        QCOMPARE(rig.catalogue->navigations(),
                 QStringList{rig.root_(2) + QStringLiteral("/Radio/CaricaDati.asp?id=25&idRadio=0")});
        QCOMPARE(cleared.count(), 1);
    }

    void accessOutcome_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("mirrorAfter");
        QTest::addColumn<bool>("accessRetried");
        QTest::addColumn<int>("catalogueRequests");

        const QString address2 = ServerAddress::access(QStringLiteral("http://127.0.0.1:47802"));
        const QString address1 = ServerAddress::access(QStringLiteral("http://127.0.0.1:47801"));
        QTest::newRow("success on mirror 1 keeps the start-up catalogue") << 1 << "accessoOK" << 100 << 1 << false << 0;
        QTest::newRow("success on mirror 3 asks again") << 3 << "accessoOK" << 100 << 3 << false << 1;
        QTest::newRow("success in any case") << 5 << "ACCESSOok" << 100 << 5 << false << 1;
        QTest::newRow("own access address means still loading") << 2 << address2 << 100 << 2 << false << 0;
        QTest::newRow("own access address in another case") << 2 << address2.toUpper() << 100 << 2 << false << 0;
        QTest::newRow("another mirror's address is a failure") << 2 << address1 << 100 << 3 << true << 0;
        QTest::newRow("error page title moves on") << 2 << "127.0.0.1" << 100 << 3 << true << 0;
        QTest::newRow("empty title moves on") << 4 << "" << 100 << 5 << true << 0;
        QTest::newRow("mirror 6 wraps to 1") << 6 << "Servizio non disponibile" << 100 << 1 << true << 0;
        QTest::newRow("still loading: nothing") << 3 << "Servizio non disponibile" << 99 << 3 << false << 0;
        QTest::newRow("still loading success: nothing") << 3 << "accessoOK" << 50 << 3 << false << 0;
    }

    void accessOutcome()
    {
        QFETCH(int, start);
        QFETCH(QString, title);
        QFETCH(int, progress);
        QFETCH(int, mirrorAfter);
        QFETCH(bool, accessRetried);
        QFETCH(int, catalogueRequests);

        Rig rig(start);
        rig.mirrors->StartAccess();
        rig.home->clearNavigations();
        rig.catalogue->clearNavigations();
        QSignalSpy cleared(rig.mirrors.get(), &Mirrors::catalogueRequested);

        rig.home->emitTitle(title);
        rig.home->emitProgress(progress);

        QCOMPARE(rig.mirrors->MirrorIndex(), mirrorAfter);
        QCOMPARE(rig.litLamps(), QList<int>{mirrorAfter});
        const QStringList expectedAccess = accessRetried
            ? QStringList{ServerAddress::access(rig.root_(mirrorAfter))} : QStringList{};
        QCOMPARE(rig.home->navigations(), expectedAccess);
        QCOMPARE(rig.catalogue->navigations().size(), catalogueRequests);
        for (const QString &address : rig.catalogue->navigations())
            QCOMPARE(address, ServerAddress::catalogue(rig.root_(mirrorAfter)));
        QCOMPARE(cleared.count(), catalogueRequests);
    }

    void everyCompletionWithSuccessOffMirrorOneAsksAgain()
    {
        Rig rig(3);
        rig.mirrors->StartAccess();
        rig.catalogue->clearNavigations();
        rig.home->finishLoad(QStringLiteral("accessoOK"));
        rig.home->emitProgress(100);
        rig.home->emitProgress(100);
        QCOMPARE(rig.catalogue->navigations().size(), 3);
    }

    void failureThenSuccessOnNextMirror()
    {
        Rig rig(5);
        rig.mirrors->StartAccess();
        rig.catalogue->clearNavigations();
        rig.home->finishLoad(QStringLiteral("127.0.0.1"));
        rig.home->finishLoad(QStringLiteral("accessoOK"));
        QCOMPARE(rig.mirrors->MirrorIndex(), 6);
        QCOMPARE(rig.catalogue->navigations(), QStringList{ServerAddress::catalogue(rig.root_(6))});
    }

    void deadMirrorsAreNotTriedMoreThanOnceASecond()
    {
        Rig rig(1);
        rig.mirrors->StartAccess();
        // Mirrors 2..6 have not been tried: each failure moves on at once.
        for (int n = 1; n <= 5; ++n)
            rig.home->finishLoad(QStringLiteral("127.0.0.1"));
        QCOMPARE(rig.mirrors->MirrorIndex(), 6);
        QCOMPARE(rig.home->navigations().size(), 6);

        // Back to mirror 1, tried a moment ago: the attempt waits.
        rig.home->finishLoad(QStringLiteral("127.0.0.1"));
        QCOMPARE(rig.mirrors->MirrorIndex(), 1);
        QCOMPARE(rig.litLamps(), QList<int>{1});
        QCOMPARE(rig.home->navigations().size(), 6);
        QTRY_COMPARE_WITH_TIMEOUT(rig.home->navigations().size(), 7, 3000);
        QCOMPARE(rig.home->navigations().last(), ServerAddress::access(rig.root_(1)));

        // Once a second has passed since mirror 2 was tried, it is asked at once.
        rig.clock.now += Mirrors::MinAttemptIntervalMs;
        rig.home->finishLoad(QStringLiteral("127.0.0.1"));
        QCOMPARE(rig.home->navigations().size(), 8);
        QCOMPARE(rig.home->navigations().last(), ServerAddress::access(rig.root_(2)));
    }

    void bannerFailover_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("mirrorAfter");

        const QString banner = QStringLiteral("http://127.0.0.1:47802/Radio/radio.asp?dettaglio=25&Radio=0");
        QTest::newRow("sponsor keeps the mirror") << 2 << banner << "http:" << "sponsor" << 2;
        QTest::newRow("case does not matter") << 2 << QStringLiteral("HTTP://host/x") << "http:" << "SPONSOR" << 2;
        QTest::newRow("https location counts as Http") << 2 << QStringLiteral("https://host/x") << "https:" << "sponsor" << 2;
        QTest::newRow("title still the address") << 2 << banner << "http:" << banner << 2;
        QTest::newRow("engine error page location") << 2 << QStringLiteral("chrome-error://chromewebdata/") << "chrome-error:" << "sponsor" << 3;
        QTest::newRow("other title moves") << 2 << banner << "http:" << "127.0.0.1" << 3;
        QTest::newRow("empty title moves") << 2 << banner << "http:" << "" << 3;
        QTest::newRow("file document moves") << 2 << banner << "file:" << "sponsor" << 3;
        QTest::newRow("file location moves") << 2 << QStringLiteral("file:///tmp/x.html") << "file:" << "sponsor" << 3;
        QTest::newRow("mirror 6 wraps to 1") << 6 << banner << "http:" << "Errore" << 1;
    }

    void bannerFailover()
    {
        QFETCH(int, start);
        QFETCH(QString, location);
        QFETCH(QString, protocol);
        QFETCH(QString, title);
        QFETCH(int, mirrorAfter);

        Rig rig(start);
        rig.banner->setLocation(location);
        rig.banner->setDocumentProtocol(protocol);
        rig.banner->emitTitle(title);

        QCOMPARE(rig.mirrors->MirrorIndex(), mirrorAfter);
        QCOMPARE(rig.litLamps(), QList<int>{mirrorAfter});
        const QStringList expected = mirrorAfter == start
            ? QStringList{} : QStringList{ServerAddress::banner(rig.root_(mirrorAfter))};
        QCOMPARE(rig.banner->navigations(), expected);
        // The banner rule repeats neither the handshake nor the catalogue request.
        QVERIFY(rig.home->navigations().isEmpty());
        QVERIFY(rig.catalogue->navigations().isEmpty());
    }

    void bannerFailoverOverDeadMirrorsTriesEachAtMostOnceASecond()
    {
        Rig rig(1);
        const QString errorPage = QStringLiteral("chrome-error://chromewebdata/");
        auto fail = [&] {
            rig.banner->setLocation(errorPage);
            rig.banner->setDocumentProtocol(QStringLiteral("chrome-error:"));
            rig.banner->emitTitle(QStringLiteral("127.0.0.1"));
        };
        // Every mirror fails at once, as a refused connection does: the first round moves
        // through mirrors 2..6 and back to 1, each asked once.
        for (int n = 1; n <= 6; ++n)
            fail();
        QCOMPARE(rig.mirrors->MirrorIndex(), 1);
        QCOMPARE(rig.banner->navigations().size(), 6);
        // Mirror 2 was asked a moment ago: the next attempt waits for its second to pass,
        // and the lamps move at once.
        fail();
        QCOMPARE(rig.mirrors->MirrorIndex(), 2);
        QCOMPARE(rig.litLamps(), QList<int>{2});
        QCOMPARE(rig.banner->navigations().size(), 6);
        rig.clock.now += Mirrors::MinAttemptIntervalMs;
        QTRY_COMPARE_WITH_TIMEOUT(rig.banner->navigations().size(), 7, 3000);
        QCOMPARE(rig.banner->navigations().last(), ServerAddress::banner(rig.root_(2)));
    }

    void missingLampsAreIgnored()
    {
        Rig rig(2);
        delete rig.root.findChild<QLabel *>(QStringLiteral("Img_Server3"));
        rig.mirrors->StartAccess();
        rig.home->finishLoad(QStringLiteral("x"));
        QCOMPARE(rig.mirrors->MirrorIndex(), 3);
        QCOMPARE(rig.litLamps(), QList<int>{});
    }
};

QTEST_MAIN(TestMirrors)
#include "test_mirrors.moc"
