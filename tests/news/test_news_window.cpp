// The news ticker and its settings window: the restore at start, the category buttons,
// "Chiudi", the title rule and the slide, with fake panes and a work area the test sets.
#include "windowrig.h"

#include "news/frm_gestionenews.h"
#include "news/frm_news.h"
#include "news/newsticker.h"
#include "platform/textfile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct News
{
    WindowRig rig;
    explicit News(const QStringList &file = {}, bool withFile = true, QRect workArea = {0, 0, 1024, 740})
    {
        rig.workArea = workArea;
        if (withFile)
            TextFile::writeLines(rig.settingsFile("NewsSN.txt"), file);
        rig.restart();
    }
    NewsTicker &logic() const { return rig.main()->news(); }
    TFrm_News *ticker() const { return static_cast<TFrm_News *>(rig.window(QStringLiteral("Frm_News"))); }
    TFrm_GestioneNews *settings() const
    {
        return static_cast<TFrm_GestioneNews *>(rig.window(QStringLiteral("Frm_GestioneNews")));
    }
    FakeWebPane *browser() const { return static_cast<FakeWebPane *>(&ticker()->browser()); }
    QString address(int category, int seconds) const
    {
        return QStringLiteral("http://127.0.0.1:47801/Radio/RssSintonia.asp?IdNotizia=%1&TempoRitardo=%2")
            .arg(category)
            .arg(seconds);
    }
    // Runs the slide to its end; the number of steps it took.
    int slideToEnd() const
    {
        int steps = 0;
        while (settings()->Timer1().isActive() && steps < 100000) {
            logic().Timer1Timer();
            ++steps;
        }
        return steps;
    }
};

} // namespace

class TestNewsWindow : public QObject
{
    Q_OBJECT

private slots:
    void restoresWhatTheFileSays_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<int>("marked");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<bool>("ticker");
        QTest::newRow("3 and 45") << QStringList{"3", "45"} << true << 3 << "45" << true;
        QTest::newRow("0 and 20") << QStringList{"0", "20"} << true << 0 << "20" << false;
        QTest::newRow("missing file") << QStringList{} << false << 0 << "30" << false;
        QTest::newRow("empty file") << QStringList{} << true << 0 << "30" << false;
        QTest::newRow("time not a number") << QStringList{"9", "soon"} << true << 9 << "30" << true;
        QTest::newRow("category 99") << QStringList{"99", "10"} << true << 0 << "10" << true;
        QTest::newRow("garbage") << QStringList{QString(5000, QChar(0x1)), QString(5000, QLatin1Char('9'))} << true << 0
                                 << "30" << true;
    }

    void restoresWhatTheFileSays()
    {
        QFETCH(QStringList, file);
        QFETCH(bool, withFile);
        News news(file, withFile);
        QTEST(news.settings()->markedCategory(), "marked");
        QTEST(news.settings()->Edit1()->text(), "seconds");
        QTEST(news.ticker()->isVisible(), "ticker");
        if (news.ticker()->isVisible())
            QCOMPARE(news.ticker()->pos(), news.logic().hiddenPlace());
    }

    void startsTheFeedPageOfTheFile()
    {
        News news({"3", "45"});
        QCOMPARE(news.browser()->navigations(), QStringList{news.address(3, 45)});
        QCOMPARE(news.ticker()->tag(), 3);
        QVERIFY(news.settings()->categoryButton(3)->isChecked());
    }

    void theMarkedCategorySwitchesTheTickerOff()
    {
        News news;
        news.settings()->categoryButton(5)->click();
        QVERIFY(news.ticker()->isVisible());
        QCOMPARE(news.ticker()->tag(), 5);
        QCOMPARE(news.browser()->navigations().last(), news.address(5, 30));
        news.settings()->categoryButton(5)->click();
        QVERIFY(!news.ticker()->isVisible());
        QCOMPARE(news.ticker()->tag(), 0);
        QCOMPARE(news.settings()->markedCategory(), 0);
        news.settings()->categoryButton(5)->click();
        QVERIFY(news.ticker()->isVisible());
        // Rows 8 and 9 carry the crossed ids.
        news.settings()->categoryButton(8)->click();
        QCOMPARE(news.ticker()->tag(), 9);
    }

    void hiddenWithNascondiThenSwitchedOff()
    {
        News news({"4", "30"});
        news.browser()->emitTitle(QStringLiteral("Titolo"));
        news.slideToEnd();
        news.ticker()->SpeedButton1()->click();
        news.slideToEnd();
        QCOMPARE(news.ticker()->pos(), news.logic().hiddenPlace());
        QVERIFY(news.ticker()->isVisible()); // off-screen, still there for the program
        news.settings()->categoryButton(4)->click();
        QVERIFY(!news.ticker()->isVisible());
        QCOMPARE(news.ticker()->tag(), 0);
    }

    void chiudiAsksAboutANewTime()
    {
        News news({"2", "30"});
        news.settings()->Edit1()->setText(QStringLiteral("60"));
        news.rig.dialogs.questionAnswers = {false};
        news.settings()->SpeedButton16Click();
        QCOMPARE(news.rig.dialogs.questions,
                 QStringList{QString::fromUtf8("Si è deciso di modificare il tempo di visualizzazione delle news. Confermare?")});
        QCOMPARE(*TextFile::readLines(news.rig.settingsFile("NewsSN.txt")), (QStringList{"2", "30"}));
        // The next click uses the number typed all the same.
        news.settings()->categoryButton(6)->click();
        QCOMPARE(news.browser()->navigations().last(), news.address(6, 60));

        news.rig.dialogs.questionAnswers = {true};
        news.settings()->SpeedButton16Click();
        QCOMPARE(*TextFile::readLines(news.rig.settingsFile("NewsSN.txt")), (QStringList{"6", "60"}));
        QCOMPARE(news.logic().storedSeconds(), 60);
        QCOMPARE(news.browser()->navigations().last(), news.address(6, 60));
        // Unchanged time: no question.
        news.settings()->SpeedButton16Click();
        QCOMPARE(news.rig.dialogs.questions.size(), 2);
    }

    void aConfirmedTimeWithoutACategoryLoadsNothing()
    {
        News news;
        news.settings()->Edit1()->setText(QStringLiteral("15"));
        news.rig.dialogs.questionAnswers = {true};
        news.settings()->SpeedButton16Click();
        QVERIFY(news.browser()->navigations().isEmpty());
        QCOMPARE(*TextFile::readLines(news.rig.settingsFile("NewsSN.txt")), (QStringList{"0", "15"}));
    }

    void titleRule_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("direction"); // of the last slide asked for: 1 in, 2 out, 0 none
        QTest::newRow("a headline slides in") << QStringList{"Piove a Roma"} << 1;
        QTest::newRow("NO slides out") << QStringList{"Piove", "NO"} << 2;
        QTest::newRow("no in any case") << QStringList{"Piove", "nO"} << 2;
        QTest::newRow("the address does nothing") << QStringList{"<address>"} << 0;
        QTest::newRow("the address in other letters") << QStringList{"<ADDRESS>"} << 0;
        QTest::newRow("a repeat does nothing") << QStringList{"NO"} << 2;
    }

    void titleRule()
    {
        QFETCH(QStringList, titles);
        QFETCH(int, direction);
        News news({"1", "30"});
        for (QString title : titles) {
            title.replace(QStringLiteral("<address>"), news.address(1, 30));
            title.replace(QStringLiteral("<ADDRESS>"), news.address(1, 30).toUpper());
            news.browser()->emitTitle(title);
        }
        QCOMPARE(news.settings()->timerTag(), direction);
    }

    void aRepeatedTitleDoesNotMoveIt()
    {
        News news({"1", "30"});
        news.browser()->emitTitle(QStringLiteral("Uno"));
        news.slideToEnd();
        news.browser()->emitTitle(QStringLiteral("Uno"));
        QVERIFY(!news.settings()->Timer1().isActive());
    }

    // The primary screen sits right of another one: the ticker rests at the bottom right of
    // the primary's work area and hides just beyond its right edge.
    void slidesOnTheRightScreen()
    {
        News news({"1", "30"}, true, QRect(1920, 0, 1280, 984));
        QCOMPARE(news.logic().restingPlace(), QPoint(1920 + 1280 - 250, 984 - 200));
        QCOMPARE(news.ticker()->pos(), QPoint(1920 + 1280, 784));
        news.browser()->emitTitle(QStringLiteral("Titolo"));
        QCOMPARE(news.settings()->Timer1().interval(), 5);
        QCOMPARE(news.slideToEnd(), 251); // one pixel a tick, then the stop
        QCOMPARE(news.ticker()->pos(), QPoint(2950, 784));
        news.browser()->emitTitle(QStringLiteral("NO"));
        news.slideToEnd();
        QCOMPARE(news.ticker()->pos(), QPoint(3200, 784));
    }
};

QTEST_MAIN(TestNewsWindow)
#include "test_news_window.moc"
