// The folder of the captured pages is the user's own: made private, and refused when
// someone else could have put it there.
#include "platform/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat info {};
    lstat(QFile::encodeName(QDir::cleanPath(path)).constData(), &info);
    return info.st_mode & 0777;
}

} // namespace

class TestFolders : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

private slots:
    void init() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_root.filePath(QStringLiteral("run")))); }

    void theRuntimeFolderIsUsedAndMadePrivate()
    {
        QVERIFY(QDir().mkpath(m_root.filePath(QStringLiteral("run"))));
        const Folders::TempFolder temp = Folders::tempFolder();
        QCOMPARE(temp.path, m_root.filePath(QStringLiteral("run/sintonia/")));
        QCOMPARE(temp.problem, QString());
        QCOMPARE(modeOf(temp.path), mode_t(0700));
        // One left open to others is closed again.
        chmod(QFile::encodeName(temp.path).constData(), 0755);
        QCOMPARE(Folders::tempFolder().problem, QString());
        QCOMPARE(modeOf(temp.path), mode_t(0700));
    }

    void withoutARuntimeFolderTheTemporaryFolderHoldsOneOfTheUsers()
    {
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(m_root.path()));
        const Folders::TempFolder temp = Folders::tempFolder();
        qunsetenv("TMPDIR");
        QCOMPARE(temp.path, m_root.path() + QStringLiteral("/sintonia-%1/").arg(getuid()));
        QCOMPARE(modeOf(temp.path), mode_t(0700));
    }

    void unsafePlacesAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a link") << "link";
        QTest::newRow("a file") << "file";
        QTest::newRow("another user's folder") << "owner";
    }

    void unsafePlacesAreRefused()
    {
        QFETCH(QString, kind);
        QTemporaryDir run;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run.path()));
        const QString place = run.filePath(QStringLiteral("sintonia"));
        QTemporaryDir elsewhere;
        if (kind == QLatin1String("link")) {
            QVERIFY(QFile::link(elsewhere.path(), place));
        } else if (kind == QLatin1String("file")) {
            QFile file(place);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            if (getuid() != 0)
                QSKIP("needs root to give a folder to another user");
            QVERIFY(QDir().mkpath(place));
            QCOMPARE(chown(QFile::encodeName(place).constData(), 65534, 65534), 0);
        }
        const Folders::TempFolder temp = Folders::tempFolder();
        QVERIFY(!temp.problem.isEmpty());
        QVERIFY(temp.problem.contains(place));
        QVERIFY(!temp.path.startsWith(place));
        QVERIFY(QFileInfo(temp.path).isDir());
        QCOMPARE(modeOf(temp.path), mode_t(0700));
        QDir(temp.path).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(TestFolders)
#include "test_folders.moc"
