// The real program in a program directory of its own, as separate processes: a later start
// hands its files to the running one and ends, the lock of a dead instance is taken over,
// and SIGTERM, SIGINT and SIGHUP save the job list and the settings as File > Exit does.
#include "tests/support/RemoveTree.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QScopeGuard>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
    QProcessEnvironment environment;

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
        program->setProcessEnvironment(environment);
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
        environment = QProcessEnvironment::systemEnvironment();
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

        // A start none of whose files is taken says so, and ends with 1.
        QProcess *refused = start({QStringLiteral("a.pdf"), QStringLiteral("notes.txt")}, QProcess::SeparateChannels);
        QVERIFY(refused->waitForFinished(10000));
        QCOMPARE(refused->exitCode(), 1);
        QVERIFY(refused->readAllStandardError().contains("added none of the files"));

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
        const int lock = open(QFile::encodeName(path(QStringLiteral("bin/Ordvane.job.lock"))).constData(), O_RDWR | O_CREAT, 0600);
        QVERIFY(lock >= 0 && flock(lock, LOCK_EX) == 0);
        const auto unlock = qScopeGuard([lock] { close(lock); });

        QProcess *later = start({QStringLiteral("a.pdf")}, QProcess::SeparateChannels);
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += later->readAllStandardError()).contains("is already running with the job list"), 20000);
        QVERIFY(!QFile::exists(path(QStringLiteral("bin/Ordvane.job"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("bin/Ordvane.dat"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("bin/ordvnact.log"))));
    }

    // A lock file left by a crash names a process that has ended, or one that now belongs to
    // some other program: either way nobody holds it, and it is taken over at once.
    void leftLockIsTakenOver_data()
    {
        QTest::addColumn<bool>("processLives");
        QTest::newRow("its process ended") << false;
        QTest::newRow("its process id now another program's") << true;
    }

    void leftLockIsTakenOver()
    {
        QFETCH(bool, processLives);
        pid_t named = getpid();
        if (!processLives) {
            named = fork();
            if (named == 0)
                _exit(0);
            waitpid(named, nullptr, 0);
        }
        QFile lock(path(QStringLiteral("bin/Ordvane.job.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(named) + "\nordvane\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();

        QProcess *owner = start({QStringLiteral("c.pdf")});
        QTRY_COMPARE_WITH_TIMEOUT(savedSources(), QStringList{path(QStringLiteral("docs/c.pdf"))}, 10000);
        QVERIFY(endsWith(owner, SIGTERM));
    }

    // Without a session's runtime folder, the socket goes to a folder of the user's own in the
    // temporary folder. Another user who made that folder first, or who listens in the owner's
    // place, gets no file and blocks nothing: both ends say why.
    void handOverOnlyBetweenTheSameUser()
    {
        if (getuid() != 0)
            QSKIP("acting as a second user needs root");
        const QString tmp = path(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(tmp));
        environment.insert(QStringLiteral("TMPDIR"), tmp);
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        const QByteArray own = QFile::encodeName(tmp + QStringLiteral("/kv-ordvane-0"));
        constexpr uid_t nobody = 65534;
        QVERIFY(mkdir(own.constData(), 0777) == 0 && chown(own.constData(), nobody, nobody) == 0);

        QProcess *owner = start({QStringLiteral("a.pdf")}, QProcess::SeparateChannels);
        QByteArray ownerSaid;
        QTRY_VERIFY_WITH_TIMEOUT((ownerSaid += owner->readAllStandardError()).contains("belongs to another user"), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(savedSources(), QStringList{path(QStringLiteral("docs/a.pdf"))}, 10000);
        QProcess *later = start({QStringLiteral("b.pdf")}, QProcess::SeparateChannels);
        QByteArray laterSaid;
        QTRY_VERIFY_WITH_TIMEOUT((laterSaid += later->readAllStandardError()).contains("belongs to another user"), 10000);
        QVERIFY(endsWith(owner, SIGTERM));
        QCOMPARE(savedSources(), QStringList{path(QStringLiteral("docs/a.pdf"))});

        // The folder is ours now, but another user listens under the owner's name.
        QVERIFY(rmdir(own.constData()) == 0 && mkdir(own.constData(), 0700) == 0);
        const int lock = open(QFile::encodeName(path(QStringLiteral("bin/Ordvane.job.lock"))).constData(), O_RDWR | O_CREAT, 0600);
        QVERIFY(lock >= 0 && flock(lock, LOCK_EX) == 0);
        const auto unlock = qScopeGuard([lock] { close(lock); });
        const QByteArray key = QFileInfo(path(QStringLiteral("bin/Ordvane.job"))).absoluteFilePath().toUtf8();
        const QByteArray name = own + "/kv-ordvane-" + QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        const pid_t stranger = fork();
        if (stranger == 0) { // listens as nobody, and counts what it is told
            if (setgid(nobody) != 0 || setuid(nobody) != 0 || ::listen(listener, 4) != 0)
                _exit(255);
            alarm(20);
            const int client = accept(listener, nullptr, nullptr);
            char buffer[256];
            const ssize_t told = client < 0 ? -1 : ::read(client, buffer, sizeof buffer);
            _exit(told < 0 ? 254 : int(told));
        }
        close(listener);
        QProcess *refused = start({QStringLiteral("c.pdf")}, QProcess::SeparateChannels);
        QByteArray refusedSaid;
        QTRY_VERIFY_WITH_TIMEOUT((refusedSaid += refused->readAllStandardError()).contains("held by another user"), 10000);
        int status = 0;
        QCOMPARE(waitpid(stranger, &status, 0), stranger);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // connected, and told nothing
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
