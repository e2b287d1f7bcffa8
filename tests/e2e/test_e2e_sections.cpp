// The real windows against the local station service: the first switch to "Community"
// loads the community and new-software pages from the product site; after a switch to
// the listening page and back the community page shows again from the pane's own
// history, without a new request for it.
#include "enginerig.h"
#include "platform/webpane.h"
#include "stationservice.h"
#include "web/pageswitch.h"

#include <QTabWidget>
#include <QTest>

class TestE2eSections : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!StationService::available())
            QSKIP("needs the station service of scripts/test-session.sh");
    }

    void communityComesBackFromHistory()
    {
        EngineRig rig(1);
        // The product site's port; log lines are time, port, endpoint, method, target, ...
        const QString port = StationService::siteHosts().value(0).section(QLatin1Char(':'), 1);
        const int logStart = StationService::logLineCount();
        const auto siteRequests = [&](const QString &path) {
            QStringList hits;
            for (const QString &line : StationService::logLines(logStart)) {
                const QStringList fields = line.split(QLatin1Char('\t'));
                if (fields.size() >= 5 && fields[1] == port && fields[4] == path)
                    hits << line;
            }
            return hits;
        };
        WebPane *community = rig.main()->pane(QStringLiteral("WB_Community"));
        QTabWidget *tabs = rig.main()->Pnl_Ascolta();

        QVERIFY(QTest::qWaitForWindowExposed(rig.main()));
        tabs->setCurrentIndex(5);
        QTRY_COMPARE_WITH_TIMEOUT(siteRequests(QStringLiteral("/plugin/fb/")).size(), 1, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(siteRequests(QStringLiteral("/plugin/news/")).size(), 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!community->busy() && community->locationUrl().endsWith(QLatin1String("/plugin/fb/")),
                                 30000);
        const QString title = community->title();

        tabs->setCurrentIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(community->locationUrl() == QLatin1String("about:blank") && !community->busy(), 30000);
        tabs->setCurrentIndex(5);
        QTRY_VERIFY_WITH_TIMEOUT(community->locationUrl().endsWith(QLatin1String("/plugin/fb/")) && !community->busy(),
                                 30000);
        QTRY_COMPARE_WITH_TIMEOUT(community->title(), title, 30000);
        QCOMPARE(siteRequests(QStringLiteral("/plugin/fb/")).size(), 1);
        QVERIFY(!rig.main()->pageSwitch().blanked(PageSwitch::Community));
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eSections)
#include "test_e2e_sections.moc"
