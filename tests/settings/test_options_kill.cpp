// Saving the options is all or nothing: a writer killed at random points, a thousand
// times, always leaves a complete old or new file.
#include "platform/textfile.h"
#include "settings/optionsfile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += TextFile::encode1252(line) + "\r\n";
    return bytes;
}

// Two versions of the file, long enough that a write takes a while.
QStringList version(int v)
{
    OptionsFile::Record r;
    r.language = v;
    for (int n = 1; n <= PersonalSlotCount; ++n)
        *r.stations.slot(n) = TRadio{v * 100 + n, QString(OptionsFile::MaxTextLength, QLatin1Char('a' + v)),
                                     QStringLiteral("Caption %1").arg(v)};
    return OptionsFile::compose(r);
}

} // namespace

class TestOptionsKill : public QObject
{
    Q_OBJECT

private slots:
    void aKilledSaveLeavesAWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(OptionsFile::FileName));
        const QStringList versions[] = {version(1), version(2)};
        const QByteArray expected[] = {bytesOf(versions[0]), bytesOf(versions[1])};
        QCOMPARE(TextFile::writeLines(path, versions[0]), QString());

        int seenNew = 0;
        for (int round = 0; round < 1000; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                // The child saves the two versions in turn until it is killed, or its
                // parent goes.
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (getppid() == 1)
                    _exit(0);
                for (int i = 0;; ++i)
                    TextFile::writeLines(path, versions[i % 2]);
            }
            // A random moment within the first few saves.
            usleep(QRandomGenerator::global()->bounded(4000));
            ::kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));

            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray content = file.readAll();
            QVERIFY2(content == expected[0] || content == expected[1],
                     qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(content.size())));
            seenNew += content == expected[1];
        }
        // Both versions were seen: the kills did land during the saves.
        QVERIFY(seenNew > 0);
        QVERIFY(seenNew < 1000);
    }
};

QTEST_GUILESS_MAIN(TestOptionsKill)
#include "test_options_kill.moc"
