// The real windows reach the station service through a proxy: the one of "PrxSN.txt" from
// the first page on, and after "Gestione Proxy" the new one for every later load, without
// a restart. The mirrors have names that are not loopback, which the engine would
// otherwise reach directly; the test's proxies send them to the local service.
#include "enginerig.h"
#include "platform/textfile.h"
#include "playback/playback.h"
#include "settings/proxy.h"
#include "stationservice.h"
#include "testproxy.h"

#include <QAction>
#include <QTest>

class TestE2eProxy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!StationService::available())
            QSKIP("needs the station service of scripts/test-session.sh");
    }

    void pagesGoThroughTheProxyAndAChangeAppliesAtOnce()
    {
        TestProxy first;
        TestProxy second;
        QVERIFY(first.listen());
        QVERIFY(second.listen());

        EngineRig rig(1);
        // Mirror n is "mn.sintonia.test" on the service's port.
        QStringList hosts = StationService::serverFileLines();
        for (int n = 0; n < 6; ++n)
            hosts[n] = QStringLiteral("m%1.sintonia.test:").arg(n + 1) + hosts[n].section(QLatin1Char(':'), 1);
        QCOMPARE(TextFile::writeLines(rig.settings.filePath(QStringLiteral("ServerSN.txt")), hosts), QString());
        QCOMPARE(TextFile::writeLines(rig.settings.filePath(QStringLiteral("PrxSN.txt")),
                                      {QStringLiteral("127.0.0.1"), QString::number(first.port()), QStringLiteral("NO")}),
                 QString());
        rig.restart();

        const QString mirror1 = hosts[0];
        QVERIFY(rig.waitForCatalogue(60000));
        QVERIFY(first.saw(mirror1 + QStringLiteral("/radio/AccessoSintonia.asp")));
        QVERIFY(first.saw(mirror1 + QStringLiteral("/Radio/CaricaDati.asp")));

        // "Gestione Proxy": keep the address, give the second proxy's port.
        rig.dialogs.questionAnswers = {false, false};
        rig.dialogs.inputAnswers = {QString(), QString::number(second.port())};
        rig.main()->findChild<QAction *>(QStringLiteral("Gestioneproxy1"))->trigger();
        QCOMPARE(rig.main()->proxy().settings().port, QString::number(second.port()));

        const int firstBefore = int(first.requests().size());
        rig.main()->playback().setNowPlayingCode(0);
        rig.main()->playback().PlayStationById(101);
        QTRY_VERIFY_WITH_TIMEOUT(second.saw(mirror1 + QStringLiteral("/Radio/mostraRadio.asp?Id=101")), 30000);
        QVERIFY(!first.requests().mid(firstBefore).join(QLatin1Char(' ')).contains(QStringLiteral("mostraRadio")));
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eProxy)
#include "test_e2e_proxy.moc"
