// The QtWebEngine pane against the local station service: the load events and titles the
// program relies on, failures included, and the document save.
#include "enginerig.h"
#include "platform/webenginepane.h"
#include "platform/webenginepanefactory.h"
#include "scriptedhttp.h"
#include "stationservice.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <memory>

namespace {

struct Events
{
    QStringList titles;
    QList<int> progress;
};

struct PaneRig
{
    WebEnginePaneFactory factory;
    QWidget host;
    WebPane *pane = nullptr;
    Events events;

    explicit PaneRig(int loadTimeoutMs = 8000)
        : factory(loadTimeoutMs)
    {
        pane = factory.createPane(&host, QStringLiteral("WebBrowser3"));
        QObject::connect(pane, &WebPane::titleChange, &host, [this](const QString &t) { events.titles.append(t); });
        QObject::connect(pane, &WebPane::progressChange, &host, [this](int p, int max) {
            QCOMPARE(max, 100);
            events.progress.append(p);
        });
        host.resize(400, 300);
        host.show();
    }
    ~PaneRig()
    {
        delete pane->widget();
        delete pane;
        QTest::qWait(200);
    }
    bool finished() const { return !events.progress.isEmpty() && events.progress.last() == 100 && !pane->busy(); }
};

QString mirror(int n, const char *path)
{
    return QStringLiteral("http://") + StationService::mirrorHosts().value(n - 1) + QLatin1String(path);
}

} // namespace

class TestE2eWebPane : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!StationService::available())
            QSKIP("needs the station service of scripts/test-session.sh");
    }

    void cleanup()
    {
        StationService::setFault(6, QStringLiteral("none"));
    }

    void titleWhileLoadingIsTheFullAddressThenThePageTitle()
    {
        PaneRig rig;
        const QString address = mirror(1, "/radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25&Radio=0");
        rig.pane->navigate(address);
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 15000);
        QCOMPARE(rig.events.titles.last(), QStringLiteral("accessoOK"));
        // No address without its scheme ever reaches the program.
        for (const QString &title : std::as_const(rig.events.titles))
            QVERIFY2(title == address || title == QLatin1String("accessoOK"), qPrintable(title));
        QCOMPARE(rig.events.progress.first(), 0);
        QCOMPARE(rig.events.progress.count(100), 1);
        QCOMPARE(rig.pane->locationUrl(), address);
        QCOMPARE(rig.pane->documentProtocol(), QStringLiteral("http:"));
        QVERIFY(qobject_cast<WebEnginePane *>(rig.pane)->view()->contextMenuPolicy() == Qt::PreventContextMenu);
    }

    void sameTitleIsReportedForEveryDocument()
    {
        PaneRig rig;
        const QString address = mirror(1, "/Radio/radio.asp?dettaglio=25&Radio=0");
        rig.pane->navigate(address);
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 15000);
        QCOMPARE(rig.events.titles.count(QStringLiteral("sponsor")), 1);
        rig.events = {};
        rig.pane->refresh();
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 15000);
        QCOMPARE(rig.events.titles.count(QStringLiteral("sponsor")), 1);
        rig.events = {};
        rig.pane->navigate(address);
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 15000);
        QCOMPARE(rig.events.titles.count(QStringLiteral("sponsor")), 1);
    }

    void refusedConnectionEndsAtFullProgressOnTheErrorPage()
    {
        QVERIFY(StationService::setFault(6, QStringLiteral("refuse")));
        PaneRig rig;
        rig.pane->navigate(mirror(6, "/Radio/radio.asp?dettaglio=25&Radio=0"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 15000);
        QCOMPARE(rig.events.progress.count(100), 1);
        QCOMPARE(rig.events.titles.last(), QStringLiteral("127.0.0.1"));
        QCOMPARE(rig.events.titles.count(QStringLiteral("127.0.0.1")), 1);
        QVERIFY(!rig.pane->locationUrl().startsWith(QLatin1String("http"), Qt::CaseInsensitive));
    }

    void slowPageEndsAsAFailureAfterTheTimeOut()
    {
        QVERIFY(StationService::setFault(6, QStringLiteral("slow")));
        PaneRig rig;
        rig.pane->navigate(mirror(6, "/radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25&Radio=0"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 20000);
        QCOMPARE(rig.events.titles.last(), QStringLiteral("127.0.0.1"));
    }

    void aLoadStartedWhenATimedOutLoadEndsRunsToItsEnd()
    {
        // The failover navigates to the next mirror from the completion of the load that
        // timed out: that next load must run and complete like any other.
        ScriptedHttp http;
        QVERIFY(http.listen());
        PaneRig rig(2000);
        bool next = false;
        QObject::connect(rig.pane, &WebPane::progressChange, &rig.host, [&](int progress, int) {
            if (progress == 100 && !next) {
                next = true;
                rig.pane->navigate(http.address(QStringLiteral("/page?title=next")));
            }
        });
        rig.pane->navigate(http.address(QStringLiteral("/hang")));
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.progress.count(100) == 2, 15000);
        QCOMPARE(rig.events.titles.last(), QStringLiteral("next"));
        QVERIFY(!rig.pane->busy());
        QCOMPARE(rig.pane->documentProtocol(), QStringLiteral("http:"));
    }

    void loadsThatEndWithoutAPageStillComplete_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("204 No Content") << QStringLiteral("/nocontent");
        QTest::newRow("a download") << QStringLiteral("/download");
    }

    void loadsThatEndWithoutAPageStillComplete()
    {
        QFETCH(QString, path);
        ScriptedHttp http;
        QVERIFY(http.listen());
        PaneRig rig(6000);
        rig.pane->navigate(http.address(path));
        // Well before the pane's own time-out.
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 4000);
        QCOMPARE(rig.events.progress.count(100), 1);
        // A next load runs as usual.
        rig.events = {};
        rig.pane->navigate(http.address(QStringLiteral("/page?title=after")));
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 4000);
        QCOMPARE(rig.events.titles.last(), QStringLiteral("after"));
    }

    void aNavigationDuringALoadReplacesItAndCompletes()
    {
        ScriptedHttp http;
        QVERIFY(http.listen());
        PaneRig rig(6000);
        rig.pane->navigate(http.address(QStringLiteral("/hang")));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.events.progress.isEmpty(), 4000);
        rig.pane->navigate(http.address(QStringLiteral("/page?title=second")));
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 4000);
        QCOMPARE(rig.events.titles.last(), QStringLiteral("second"));
        QCOMPARE(rig.events.progress.count(100), 1);
        // Nothing of the replaced load turns up later (its time-out included).
        QTest::qWait(6500);
        QCOMPARE(rig.events.progress.count(100), 1);
        QCOMPARE(rig.events.titles.last(), QStringLiteral("second"));
    }

    void savedDocumentIsTheBytesTheServerSent()
    {
        PaneRig rig;
        rig.pane->navigate(mirror(1, "/Radio/CaricaDati.asp?id=25&idRadio=0"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.finished(), 15000);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmpSN.txt"));
        QSignalSpy saved(rig.pane, &WebPane::documentSaved);
        rig.pane->saveDocument(path);
        QVERIFY(saved.wait(10000));
        QCOMPARE(saved.first().at(1).toBool(), true);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count("<BR>"), 123);
        QVERIFY(!bytes.contains("<br>"));
        QVERIFY(bytes.startsWith("http://"));
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eWebPane)
#include "test_e2e_webpane.moc"
