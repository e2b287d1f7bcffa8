// Start with the desktop: the entry is written for the running program and removed again;
// a folder that cannot be written changes nothing.
#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAutostart : public QObject
{
    Q_OBJECT

private slots:
    void writesAndRemovesTheEntry()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("config/autostart/"));
        const QString entry = folder + QLatin1String(Autostart::EntryName);
        QVERIFY(Autostart::apply(folder, true, QStringLiteral("/opt/my programs/sintonia")));
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        file.close();
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nExec=\"/opt/my programs/sintonia\"\n"));
        QVERIFY(text.contains("\nType=Application\n"));
        QVERIFY(Autostart::apply(folder, false, QString()));
        QVERIFY(!QFile::exists(entry));
        // Removing an entry that is not there is fine.
        QVERIFY(Autostart::apply(folder, false, QString()));
    }

    void quotesWhatTheExecKeyReserves()
    {
        const QByteArray text = Autostart::entry(QStringLiteral("/a\"b$c`d\\e%f"));
        QVERIFY(text.contains("\nExec=\"/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f\"\n"));
        const QByteArray broken = Autostart::entry(QStringLiteral("/a\nX-Evil=1"));
        QVERIFY(!broken.contains("\nX-Evil=1"));
    }

    void anUnwritableFolderChangesNothing()
    {
        QTemporaryDir dir;
        // A file where the folder should be.
        const QString blocker = dir.filePath(QStringLiteral("autostart"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!Autostart::apply(blocker + QLatin1Char('/'), true, QStringLiteral("/bin/true")));
        QVERIFY(QFileInfo(blocker).isFile());
    }

    void anInstalledCopyStartsThroughItsLauncher()
    {
        QTemporaryDir prefix;
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
        const QString program = prefix.filePath(QStringLiteral("bin/sintonia"));
        // A build tree: no launcher beside the program.
        QCOMPARE(Autostart::programToStart(program), program);

        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("libexec/sintonia")));
        QFile launcher(prefix.filePath(QStringLiteral("libexec/sintonia/sintonia-start")));
        QVERIFY(launcher.open(QIODevice::WriteOnly));
        launcher.close();
        // A launcher that cannot run is no launcher.
        QCOMPARE(Autostart::programToStart(program), program);
        QVERIFY(launcher.setPermissions(launcher.permissions() | QFileDevice::ExeOwner));
        QCOMPARE(Autostart::programToStart(program), launcher.fileName());
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "test_autostart.moc"
