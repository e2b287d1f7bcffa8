// The real windows against the local station service: a station picked on the service's
// own picker page and saved is, after a new start, the first favourite, and a click on it
// plays it.
#include "enginerig.h"
#include "platform/webenginepane.h"
#include "playback/playback.h"
#include "settings/options.h"
#include "settings/personalpick.h"
#include "stationservice.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

class TestE2eFavourites : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!StationService::available())
            QSKIP("needs the station service of scripts/test-session.sh");
    }

    void pickSaveRestartAndPlay()
    {
        EngineRig rig(1);
        TRadio picked;
        bool pickerDone = false;
        QTimer::singleShot(0, rig.main(), [&] {
            TFrm_GestioneOpzioni *dialog = rig.main()->options().dialog();
            QTimer::singleShot(0, rig.main(), [&] {
                StationPicker *picker = nullptr;
                for (QWidget *w : rig.windows->all())
                    if (w->objectName() == QLatin1String("Frm_RadioPersonale"))
                        picker = qobject_cast<StationPicker *>(w);
                const auto close = qScopeGuard([&] {
                    pickerDone = true;
                    if (picker && picker->isVisible())
                        picker->reject();
                });
                QVERIFY(picker && picker->isVisible());
                // The search page, then a click on its first station.
                QTRY_COMPARE_WITH_TIMEOUT(picker->lastTitle(), QStringLiteral("Selezione radio personale"), 30000);
                auto *view = picker->findChild<QWebEngineView *>();
                QVERIFY(view);
                QTRY_VERIFY_WITH_TIMEOUT(!picker->browser().busy(), 30000);
                view->page()->runJavaScript(
                    QStringLiteral("document.querySelector('a[href*=\"confermaRadioPersonale\"]').click()"));
                QTRY_COMPARE_WITH_TIMEOUT(picker->lastTitle(), PersonalPick::confirmationTitle(), 30000);
                picker->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
            });
            dialog->findChild<QPushButton *>(QStringLiteral("BitBtn3"))->click();
            picked = *rig.main()->options().personalSlots().slot(1);
            dialog->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
        });
        rig.main()->ShowOptions(1);
        QVERIFY(pickerDone);
        QVERIFY(rig.dialogs.shown.isEmpty());
        QVERIFY(rig.dialogs.errors.isEmpty());
        QVERIFY(picked.Id > 0);
        QVERIFY(!picked.Name.isEmpty());

        rig.restart();
        auto *entry = rig.main()->findChild<QLabel *>(QStringLiteral("Lbl_2_1"));
        QVERIFY(entry && !entry->isHidden());
        QCOMPARE(entry->text(), picked.Caption);
        QVERIFY(rig.main()->findChild<QLabel *>(QStringLiteral("Lbl_2_2"))->isHidden());

        const int logStart = StationService::logLineCount();
        QTest::mouseClick(entry, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(rig.main()->playback().hint(),
                                  QStringLiteral("Stai ascoltando: \"%1\"").arg(picked.Name), 30000);
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 21);
        QVERIFY(!StationService::requests(StationService::logLines(logStart), 1,
                                          QStringLiteral("/Radio/mostraRadio.asp?Id=%1").arg(picked.Id))
                     .isEmpty());
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eFavourites)
#include "test_e2e_favourites.moc"
