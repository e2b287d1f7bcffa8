// The picker's page is saved on every completion; a refused save is reported each time.
#include "platform/fakes/fakeplatform.h"
#include "platform/fakes/fakewebpane.h"
#include "service/pickercapture.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestPickerCapture : public QObject
{
    Q_OBJECT

private slots:
    void everyCompletionOverwritesTheFile()
    {
        QTemporaryDir temp;
        QWidget parent;
        FakeWebPane pane(&parent, QStringLiteral("WebBrowser1"));
        ScriptedDialogs dialogs;
        PickerCapture capture(pane, dialogs, &parent, temp.path() + QLatin1Char('/'));
        QSignalSpy captured(&capture, &PickerCapture::captured);

        pane.navigate(QStringLiteral("http://127.0.0.1:47801/Radio/radioPersonale.asp"));
        pane.emitProgress(40);
        QCOMPARE(pane.saves(), 0);
        pane.setSaveResult(true, "first");
        pane.finishLoad(QStringLiteral("Ricerca"));
        QVERIFY(captured.wait(5000));
        pane.setSaveResult(true, "second");
        pane.finishLoad(QStringLiteral("Conferma"));
        QVERIFY(captured.wait(5000));
        QCOMPARE(pane.saves(), 2);
        QFile file(capture.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("second"));

        pane.setSaveResult(false);
        pane.finishLoad(QStringLiteral("x"));
        pane.finishLoad(QStringLiteral("y"));
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.shown.size(), 2, 5000);
        QCOMPARE(dialogs.shown.first(), QStringLiteral("SaveAs HTML fail!"));
    }

    void errorPageIsCapturedAsAnEmptyPageWithoutAMessage()
    {
        QTemporaryDir temp;
        QWidget parent;
        FakeWebPane pane(&parent, QStringLiteral("WebBrowser1"));
        ScriptedDialogs dialogs;
        PickerCapture capture(pane, dialogs, &parent, temp.path() + QLatin1Char('/'));
        QSignalSpy captured(&capture, &PickerCapture::captured);
        pane.navigate(QStringLiteral("http://127.0.0.1:47801/Radio/radioPersonale.asp"));
        pane.setSaveResult(true, "earlier page");
        pane.finishLoad(QStringLiteral("Ricerca"));
        QVERIFY(captured.wait(5000));

        pane.setSaveResult(false);
        pane.setLocation(QStringLiteral("chrome-error://chromewebdata/"));
        pane.setDocumentProtocol(QStringLiteral("chrome-error:"));
        pane.finishLoad(QStringLiteral("127.0.0.1"));
        QVERIFY(captured.wait(5000));
        QCOMPARE(captured.last().at(0).toBool(), true);
        QVERIFY(dialogs.shown.isEmpty());
        QFile file(capture.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray());
    }

    void paneWithoutDocumentSavesNothing()
    {
        QTemporaryDir temp;
        QWidget parent;
        FakeWebPane pane(&parent, QStringLiteral("WebBrowser1"));
        ScriptedDialogs dialogs;
        PickerCapture capture(pane, dialogs, &parent, temp.path() + QLatin1Char('/'));
        pane.emitProgress(100);
        QCOMPARE(pane.saves(), 0);
    }
};

QTEST_MAIN(TestPickerCapture)
#include "test_pickercapture.moc"
