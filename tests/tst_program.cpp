// The real program in a program directory of its own, as separate processes: a later start
// hands its files to the running one and ends, the lock of a dead instance is taken over,
// and SIGTERM, SIGINT and SIGHUP save the job list and the settings as File > Exit does.
#include "tests/support/RemoveTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The job file's source paths, in order: the second of each entry's six texts.
QStringList jobSources(const QByteArray &bytes)
{
    QStringList sources;
    if (!bytes.startsWith("LFW") || bytes.size() < 5)
        return sources;
    qsizetype at = 3;
    auto u16 = [&] { const quint16 v = quint16(uchar(bytes[at]) | uchar(bytes[at + 1]) << 8); at += 2; return v; };
    const int count = u16();
    for (int i = 0; i < count && at < bytes.size(); ++i) {
        const int texts = u16();
        at += 4;
        for (int t = -1; t < texts; ++t) {
            const int size = u16();
            if (t == 1)
                sources << QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + at), size / 2);
            at += size;
        }
    }
    return sources;
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QList<QProcess *> running;

    QString path(const QString &name) const { return dir.path() + QStringLiteral("/") + name; }

    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QProcess *start(const QStringList &arguments = {}, QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel)
    {
        auto *program = new QProcess(this);
        program->setWorkingDirectory(path(QStringLiteral("docs")));
        program->setProcessChannelMode(channels);
        program->start(path(QStringLiteral("bin/ordvane")), arguments);
        running << program;
        return program;
    }

    // Started, holding the list and listening.
    QProcess *startOwner(const QStringList &arguments = {})
    {
        QProcess *owner = start(arguments);
        if (!owner->waitForStarted() || !QTest::qWaitFor([this] { return QFile::exists(path(QStringLiteral("bin/Ordvane.job.lock"))); }, 10000))
            qWarning("the program did not start");
        return owner;
    }

    static bool endsWith(QProcess *program, int signalNumber)
    {
        const qint64 pid = program->processId();
        if (pid <= 0) // never the whole process group
            return false;
        ::kill(pid_t(pid), signalNumber);
        return program->waitForFinished(20000) && program->exitStatus() == QProcess::NormalExit && program->exitCode() == 0;
    }

    QStringList savedSources() const { return jobSources(read(QStringLiteral("bin/Ordvane.job"))); }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        // A copy of the program, so that its program directory is this one.
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        QDir(dir.path()).mkpath(QStringLiteral("docs"));
        QVERIFY(QFile::copy(QStringLiteral(ORDVANE_BIN_DIR "ordvane"), path(QStringLiteral("bin/ordvane"))));
        for (const char *name : {"tsypdf.so", "tsypdf-worker"})
            QVERIFY(QFile::link(QStringLiteral(ORDVANE_BIN_DIR) + QLatin1String(name), path(QStringLiteral("bin/")) + QLatin1String(name)));
        for (const char *name : {"a.pdf", "b.pdf", "c.pdf"})
            QFile(path(QStringLiteral("docs/")) + QLatin1String(name)).open(QIODevice::WriteOnly);
    }

    void cleanup()
    {
        for (QProcess *program : std::as_const(running)) {
            if (program->state() != QProcess::NotRunning) {
                program->kill();
                program->waitForFinished();
            }
        }
        qDeleteAll(running);
        running.clear();
        removeTree(dir.path());
        QDir().mkpath(dir.path());
    }

    void laterStartHandsItsFilesOverAndEnds()
    {
        QProcess *owner = startOwner({QStringLiteral("a.pdf")});
        QTRY_COMPARE_WITH_TIMEOUT(savedSources(), QStringList{path(QStringLiteral("docs/a.pdf"))}, 10000);

        // Relative names are taken from the later start's folder; refusals are the owner's.
        QProcess *later = start({QStringLiteral("./b.pdf"), path(QStringLiteral("docs/c.pdf")), QStringLiteral("a.pdf"), QStringLiteral("notes.txt")});
        QVERIFY(later->waitForFinished(10000));
        QCOMPARE(later->exitCode(), 0);
        const QStringList expected = {path(QStringLiteral("docs/a.pdf")), path(QStringLiteral("docs/b.pdf")), path(QStringLiteral("docs/c.pdf"))};
        QTRY_COMPARE_WITH_TIMEOUT(savedSources(), expected, 10000); // saved soon after the change
        const QByteArray log = read(QStringLiteral("bin/ordvnact.log")).mid(2);
        const QString logText = QString::fromUtf16(reinterpret_cast<const char16_t *>(log.constData()), log.size() / 2);
        QVERIFY(logText.contains(QStringLiteral("already added (") + path(QStringLiteral("docs/a.pdf"))));
        QVERIFY(logText.contains(QStringLiteral("type not support (") + path(QStringLiteral("docs/notes.txt"))));

        // Without files a later start only brings the window up; the list stays as it is.
        QProcess *bare = start();
        QVERIFY(bare->waitForFinished(10000));
        QCOMPARE(bare->exitCode(), 0);
        QCOMPARE(owner->state(), QProcess::Running);

        QVERIFY(endsWith(owner, SIGTERM));
        QCOMPARE(savedSources(), expected);
        QVERIFY(read(QStringLiteral("bin/Ordvane.dat")).contains("notlog=0"));
        QVERIFY(!QFile::exists(path(QStringLiteral("bin/Ordvane.job.lock"))));
    }

    void endSignalsSaveLikeExit_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void endSignalsSaveLikeExit()
    {
        QFETCH(int, signalNumber);
        QProcess *owner = startOwner();
        // Once the owner has taken the file its event loop runs; the signal comes well
        // inside the delay of the save after a change.
        QProcess *later = start({QStringLiteral("b.pdf")});
        QVERIFY(later->waitForFinished(10000) && later->exitCode() == 0);
        QVERIFY(endsWith(owner, signalNumber));
        QCOMPARE(savedSources(), QStringList{path(QStringLiteral("docs/b.pdf"))});
        const QByteArray settings = read(QStringLiteral("bin/Ordvane.dat"));
        QVERIFY(settings.contains("[general]") && settings.contains("[layout]"));
    }

    void ownerThatDoesNotAnswerIsReportedAndNothingTouched()
    {
        // This test process holds the lock, alive but not listening.
        QFile lock(path(QStringLiteral("bin/Ordvane.job.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n'
                   + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n'
                   + QSysInfo::machineHostName().toUtf8() + '\n');
        lock.close();

        QProcess *later = start({QStringLiteral("a.pdf")}, QProcess::SeparateChannels);
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += later->readAllStandardError()).contains("is already running with the job list"), 20000);
        QVERIFY(!QFile::exists(path(QStringLiteral("bin/Ordvane.job"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("bin/Ordvane.dat"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("bin/ordvnact.log"))));
    }

    void lockOfADeadInstanceIsTakenOver()
    {
        // A lock file naming a process that has ended, as a crash leaves it.
        const pid_t dead = fork();
        if (dead == 0)
            _exit(0);
        waitpid(dead, nullptr, 0);
        QFile lock(path(QStringLiteral("bin/Ordvane.job.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(dead) + "\nordvane\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();

        QProcess *owner = start({QStringLiteral("c.pdf")});
        QTRY_COMPARE_WITH_TIMEOUT(savedSources(), QStringList{path(QStringLiteral("docs/c.pdf"))}, 10000);
        QVERIFY(endsWith(owner, SIGTERM));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
