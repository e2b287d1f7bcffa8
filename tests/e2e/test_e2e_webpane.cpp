// The QtWebEngine pane against the local station service: the load events and titles the
// program relies on, failures included, and the document save.
#include "enginerig.h"
#include "platform/webenginepane.h"
#include "platform/webenginepanefactory.h"
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
    WebEnginePaneFactory factory{8000};
    QWidget host;
    WebPane *pane = nullptr;
    Events events;

    PaneRig()
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
