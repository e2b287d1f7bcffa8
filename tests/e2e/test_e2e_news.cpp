// The real windows against the local station service: with "NewsSN.txt" holding 3 and 45
// the ticker loads that category's page from the current mirror at start, and slides in
// when the page's first headline arrives as its title.
#include "enginerig.h"
#include "news/frm_news.h"
#include "news/newsticker.h"
#include "platform/textfile.h"
#include "stationservice.h"

#include <QTest>

class TestE2eNews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!StationService::available())
            QSKIP("needs the station service of scripts/test-session.sh");
    }

    void theTickerSlidesInWithTheFirstHeadline()
    {
        EngineRig rig(1);
        QCOMPARE(TextFile::writeLines(rig.settings.filePath(QStringLiteral("NewsSN.txt")), {"3", "45"}), QString());
        const int logStart = StationService::logLineCount();
        rig.restart();
        TFrm_News *ticker = nullptr;
        for (QWidget *w : rig.windows->all())
            if (w->objectName() == QLatin1String("Frm_News"))
                ticker = static_cast<TFrm_News *>(w);
        QVERIFY(ticker && ticker->isVisible());
        const NewsTicker &news = rig.main()->news();
        QCOMPARE(ticker->pos(), news.hiddenPlace());

        QTRY_VERIFY_WITH_TIMEOUT(!StationService::requests(StationService::logLines(logStart), 1,
                                                           QStringLiteral("/Radio/RssSintonia.asp?IdNotizia=3&TempoRitardo=45"))
                                      .isEmpty(),
                                 30000);
        // A headline, neither the address nor "NO", brings it in to rest at the bottom right.
        QTRY_COMPARE_WITH_TIMEOUT(ticker->pos(), news.restingPlace(), 30000);
        QVERIFY(!ticker->lastTitle().isEmpty());
        QVERIFY(ticker->lastTitle().compare(QLatin1String("NO"), Qt::CaseInsensitive) != 0);
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eNews)
#include "test_e2e_news.moc"
