// The proxy: read at start and applied by the rule's three outcomes, changed with
// "Gestione Proxy" through its boxes.
#include "windowrig.h"

#include "platform/textfile.h"
#include "settings/proxy.h"

#include <QAction>
#include <QTest>

class TestProxyWindow : public QObject
{
    Q_OBJECT

    static const QString StoredAddress;
    static const QString StoredPort;

    void startWith(WindowRig &rig, const QStringList &file)
    {
        QCOMPARE(TextFile::writeLines(rig.settingsFile("PrxSN.txt"), file), QString());
        rig.proxy.applied.clear();
        rig.restart();
    }

private slots:
    void startupAppliesTheRule_data()
    {
        QTest::addColumn<QStringList>("file"); // "-": no file
        QTest::addColumn<QStringList>("applied");
        QTest::newRow("no file: the desktop's settings") << QStringList{"-"} << QStringList{};
        QTest::newRow("both given, defaults on") << QStringList{"proxy.lan", "3128", "SI"}
                                                 << QStringList{"proxy proxy.lan:3128"};
        QTest::newRow("both given, defaults off") << QStringList{"proxy.lan", "3128", "NO"}
                                                  << QStringList{"proxy proxy.lan:3128"};
        QTest::newRow("no port, defaults on") << QStringList{"proxy.lan", "", "SI"} << QStringList{};
        QTest::newRow("no port, defaults off") << QStringList{"proxy.lan", "", "NO"} << QStringList{"direct"};
        QTest::newRow("two lines: defaults off") << QStringList{"proxy.lan", ""} << QStringList{"direct"};
        QTest::newRow("empty file: defaults off") << QStringList{} << QStringList{"direct"};
    }

    void startupAppliesTheRule()
    {
        QFETCH(QStringList, file);
        QFETCH(QStringList, applied);
        WindowRig rig;
        if (file == QStringList{"-"}) {
            rig.proxy.applied.clear();
            rig.restart();
        } else {
            startWith(rig, file);
        }
        QCOMPARE(rig.proxy.applied, applied);
    }

    void answeringYesEverywhereLeavesNoProxy()
    {
        WindowRig rig;
        startWith(rig, {StoredAddress, StoredPort, "NO"});
        rig.proxy.applied.clear();
        rig.dialogs.questionAnswers = {true, true, true};
        rig.find<QAction>(QStringLiteral("Gestioneproxy1"))->trigger();
        QCOMPARE(rig.dialogs.questions,
                 (QStringList{QString::fromUtf8("Indirizzo Ip server Proxy già\u00A0 presente.Si desidera annullare il "
                                                "precedente inserimento?"),
                              QString::fromUtf8("Porta server Proxy già\u00A0 presente.Si desidera annullare il "
                                                "precedente inserimento?"),
                              QStringLiteral("Nessun proxy settato!\rUsare le impostazioni predefinite di Internet "
                                             "Explorer?\rCliccare NO per uscire direttamente senza proxy!")}));
        QVERIFY(rig.dialogs.prompts.isEmpty());
        QCOMPARE(*TextFile::readLines(rig.settingsFile("PrxSN.txt")), (QStringList{"", "", "SI"}));
        QVERIFY(rig.proxy.applied.isEmpty()); // what was set before stays in force
    }

    void anEmptyAnswerKeepsTheStoredValue()
    {
        WindowRig rig;
        startWith(rig, {StoredAddress, StoredPort, "SI"});
        rig.dialogs.questionAnswers = {false, false};
        rig.dialogs.inputAnswers = {QStringLiteral(""), QStringLiteral("8080")};
        rig.proxy.applied.clear();
        rig.find<QAction>(QStringLiteral("Gestioneproxy1"))->trigger();
        QCOMPARE(rig.dialogs.prompts, (QStringList{"Indirizzo:", "Porta:"}));
        QCOMPARE(*TextFile::readLines(rig.settingsFile("PrxSN.txt")), (QStringList{StoredAddress, "8080", "SI"}));
        QCOMPARE(rig.proxy.applied, QStringList{QStringLiteral("proxy ") + StoredAddress + QStringLiteral(":8080")});
    }

    void aFirstProxyIsAskedForDirectly()
    {
        WindowRig rig;
        rig.dialogs.inputAnswers = {QStringLiteral("10.0.0.1"), QString()}; // the port box is cancelled
        rig.dialogs.questionAnswers = {false};
        rig.find<QAction>(QStringLiteral("Gestioneproxy1"))->trigger();
        QVERIFY(rig.dialogs.questions.isEmpty());
        // Address without a port, and the desktop's settings kept: nothing is applied.
        QCOMPARE(*TextFile::readLines(rig.settingsFile("PrxSN.txt")), (QStringList{"10.0.0.1", "", "SI"}));
        QVERIFY(rig.proxy.applied.isEmpty());
    }
};

const QString TestProxyWindow::StoredAddress = QStringLiteral("proxy.lan");
const QString TestProxyWindow::StoredPort = QStringLiteral("3128");

QTEST_MAIN(TestProxyWindow)
#include "test_proxy_window.moc"
