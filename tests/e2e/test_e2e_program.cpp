// The real program against the local station service: it starts, completes the access
// handshake and ends with exit code 0 when the session asks it to.
#include "platform/textfile.h"
#include "stationservice.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestE2eProgram : public QObject
{
    Q_OBJECT

private slots:
    void startsHandshakesAndExitsCleanly()
    {
        if (!StationService::available())
            QSKIP("needs the station service of scripts/test-session.sh");
        QTemporaryDir config;
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("sintonia")));
        QCOMPARE(TextFile::writeLines(config.filePath(QStringLiteral("sintonia/ServerSN.txt")),
                                      StationService::serverFileLines()), QString());
        const int logStart = StationService::logLineCount();

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("SINTONIA_STARTUP_TRACE"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::SeparateChannels);
        program.start(QStringLiteral(SINTONIA_BINARY), {});
        QVERIFY(program.waitForStarted(10000));

        QByteArray trace;
        QTRY_VERIFY_WITH_TIMEOUT((trace += program.readAllStandardError()).contains("sintonia-trace access-complete"), 60000);
        QVERIFY(trace.contains("sintonia-trace window-shown"));
        // Access and catalogue reached the service from the same mirror.
        const QStringList log = StationService::logLines(logStart);
        int accessMirror = 0;
        for (int n = 1; n <= 6 && !accessMirror; ++n)
            if (!StationService::requests(log, n, QStringLiteral("/radio/AccessoSintonia.asp")).isEmpty())
                accessMirror = n;
        QVERIFY(accessMirror > 0);
        QCOMPARE(StationService::requests(log, accessMirror, QStringLiteral("/Radio/CaricaDati.asp")).size(),
                 accessMirror == 1 ? 1 : 2);

        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(15000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestE2eProgram)
#include "test_e2e_program.moc"
