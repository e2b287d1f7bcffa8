// The real windows against the local station service: the catalogue arrives, is captured
// and parsed, and its stations fill the lists and the tray menu in the service's order.
#include "enginerig.h"
#include "platform/textfile.h"
#include "platform/webenginepanefactory.h"
#include "service/cataloguecapture.h"
#include "service/mirrors.h"
#include "stationservice.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The catalogue as the service sends it, fetched directly: its fields, "<BR>"-separated.
QStringList serviceCatalogue(const QString &host)
{
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QStringLiteral("http://%1/Radio/CaricaDati.asp?id=25&idRadio=0").arg(host)));
    request.setTransferTimeout(5000);
    QNetworkReply *reply = network.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const QByteArray body = reply->readAll();
    delete reply;
    return TextFile::decode1252(body).split(QStringLiteral("<BR>"));
}

} // namespace

class TestE2eCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!StationService::available())
            QSKIP("needs the station service of scripts/test-session.sh");
    }

    void listsShowTheServiceCatalogue()
    {
        EngineRig rig(1); // mirror 1: one catalogue request
        TFrm_Sintonia *w = rig.main();

        auto *loading = w->findChild<QWidget *>(QStringLiteral("Pnl_Caricamento1"));
        QVERIFY(loading && loading->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!loading->isVisible(), 30000);

        const QStringList fields = serviceCatalogue(StationService::mirrorHosts().at(0));
        QVERIFY(fields.size() >= 124);
        QMenu *mostClicked = w->findChild<QMenu *>(QStringLiteral("Leradiopicliccate1"));
        // Record r of list 1 is slot 16 - r: the service's first station is on top.
        for (int r = 1; r <= 15; ++r) {
            const QString name = fields.at((r - 1) * 4 + 1);
            const QString caption = fields.at((r - 1) * 4 + 2);
            if (name.isEmpty())
                continue;
            auto *row = w->findChild<QLabel *>(QStringLiteral("Lbl_1_%1").arg(16 - r));
            QCOMPARE(row->text(), caption);
            QVERIFY(row->isVisible());
            QCOMPARE(mostClicked->findChild<QAction *>(QStringLiteral("Radio_1_%1").arg(16 - r))->text(), name);
        }
        // The rows stand in the service's order from the top.
        QList<QLabel *> shown;
        for (int k = 1; k <= 15; ++k) {
            auto *row = w->findChild<QLabel *>(QStringLiteral("Lbl_1_%1").arg(k));
            if (row->isVisible())
                shown.append(row);
        }
        std::sort(shown.begin(), shown.end(), [](QLabel *a, QLabel *b) { return a->y() < b->y(); });
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.first()->text(), fields.at(2));

        const QString tempPath = rig.temp.path() + QLatin1Char('/');
        QVERIFY(QFile::exists(tempPath + QStringLiteral("tmp1SN.txt")));
        QVERIFY(!QFile::exists(tempPath + QStringLiteral("tmpSN.txt")));
        QVERIFY(rig.dialogs.shown.isEmpty());
        QVERIFY(rig.dialogs.errors.isEmpty());
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eCatalogue)
#include "test_e2e_catalogue.moc"
