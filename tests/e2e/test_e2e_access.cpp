// The real windows with QtWebEngine panes against the local station service: the access
// handshake fails over to the next working mirror.
#include "enginerig.h"
#include "platform/webenginepane.h"
#include "platform/webenginepanefactory.h"
#include "service/mirrors.h"
#include "stationservice.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <memory>

class TestE2eAccess : public QObject
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
        for (int mirror = 1; mirror <= 6; ++mirror)
            StationService::setFault(mirror, QStringLiteral("none"));
    }

    void handshakeMovesPastBrokenMirrors()
    {
        // Mirror 3, where access starts, answers with another title; mirror 4 refuses
        // connections; mirror 5 works.
        QVERIFY(StationService::setFault(3, QStringLiteral("title")));
        QVERIFY(StationService::setFault(4, QStringLiteral("refuse")));
        const int logStart = StationService::logLineCount();

        EngineRig rig(3);
        TFrm_Sintonia *w = rig.main();
        QCOMPARE(w->mirrors().MirrorIndex(), 3);

        QTRY_VERIFY_WITH_TIMEOUT(w->mirrors().AccessTitle() == QLatin1String("accessoOK"), 30000);
        QCOMPARE(w->mirrors().MirrorIndex(), 5);
        for (int n = 1; n <= 6; ++n)
            QCOMPARE(w->findChild<QLabel *>(QStringLiteral("Img_Server%1").arg(n))->property("lit").toBool(), n == 5);

        // The catalogue went first to the mirror where access started, then, after the
        // success on mirror 5, to mirror 5.
        QTRY_VERIFY_WITH_TIMEOUT(!StationService::requests(StationService::logLines(logStart), 5,
                                                            QStringLiteral("/Radio/CaricaDati.asp")).isEmpty(), 15000);
        const QStringList log = StationService::logLines(logStart);
        const QString access = QStringLiteral("/radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25&Radio=0");
        const QString catalogue = QStringLiteral("/Radio/CaricaDati.asp?id=25&idRadio=0");
        QCOMPARE(StationService::requests(log, 3, catalogue).size(), 1);
        QCOMPARE(StationService::requests(log, 3, access).size(), 1);
        QVERIFY(StationService::requests(log, 4, QStringLiteral("/")).isEmpty());
        QCOMPARE(StationService::requests(log, 5, access).size(), 1);
        QCOMPARE(StationService::requests(log, 5, catalogue).size(), 1);
        QVERIFY(log.indexOf(StationService::requests(log, 5, access).first())
                < log.indexOf(StationService::requests(log, 5, catalogue).first()));

        // The home pane shows the access page; no pane has a context menu.
        auto *home = qobject_cast<WebEnginePane *>(w->pane(QStringLiteral("WB_Principale")));
        QVERIFY(home && home->view());
        QCOMPARE(home->view()->contextMenuPolicy(), Qt::PreventContextMenu);
        QCOMPARE(home->title(), QStringLiteral("accessoOK"));
        // Panes that were never navigated have no page yet.
        auto *radio = qobject_cast<WebEnginePane *>(w->pane(QStringLiteral("Wb_Radio")));
        QVERIFY(radio && !radio->view());
    }

    void aMirrorThatNeverAnswersIsLeftAfterItsTimeOut()
    {
        // Mirror 1 never answers, mirror 2 answers with another title, mirror 3 works.
        QVERIFY(StationService::setFault(1, QStringLiteral("slow&ms=120000")));
        QVERIFY(StationService::setFault(2, QStringLiteral("title")));
        const int logStart = StationService::logLineCount();

        EngineRig rig(1);
        TFrm_Sintonia *w = rig.main();
        // The panes give up on a page after 10 s here.
        QTRY_VERIFY_WITH_TIMEOUT(w->mirrors().AccessTitle() == QLatin1String("accessoOK"), 40000);
        QCOMPARE(w->mirrors().MirrorIndex(), 3);
        QVERIFY(rig.waitForCatalogue(30000));
        const QStringList log = StationService::logLines(logStart);
        const QString access = QStringLiteral("/radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25&Radio=0");
        QCOMPARE(StationService::requests(log, 2, access).size(), 1);
        QCOMPARE(StationService::requests(log, 3, access).size(), 1);
        QVERIFY(rig.dialogs.shown.isEmpty());
    }

    void deadStartingMirrorShowsNoMessage()
    {
        // Five mirrors refuse connections; the program starts on the first of them and
        // asks it for the catalogue first.
        for (int mirror = 1; mirror <= 5; ++mirror)
            QVERIFY(StationService::setFault(mirror, QStringLiteral("refuse")));
        EngineRig rig(1);
        TFrm_Sintonia *w = rig.main();
        QTRY_VERIFY_WITH_TIMEOUT(w->mirrors().AccessTitle() == QLatin1String("accessoOK"), 40000);
        QCOMPARE(w->mirrors().MirrorIndex(), 6);
        QVERIFY(rig.waitForCatalogue(30000));
        QTest::qWait(500);
        QVERIFY2(rig.dialogs.shown.isEmpty(), qPrintable(rig.dialogs.shown.join(QLatin1Char('|'))));
        QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(QLatin1Char('|'))));
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(top == w || !top->isVisible(), qPrintable(top->objectName()));
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eAccess)
#include "test_e2e_access.moc"
