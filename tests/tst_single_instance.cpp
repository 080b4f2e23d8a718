// The lock and the hand-over socket of the job list's owner, against files that are not what
// they seem, a lock held by another process, and clients that hog or flood the owner.
#include "platform/HandOverMessage.h"
#include "platform/JobListLock.h"
#include "platform/SingleInstance.h"

#include <QDataStream>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <atomic>
#include <csignal>
#include <future>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int connectTo(const QString &name)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// What an owner was handed, as its window would be told.
struct Arrivals {
    QList<QPair<QStringList, QByteArray>> handed;
    bool takes = true; // the window's answer: whether it takes any of the files

    explicit Arrivals(SingleInstance &owner)
    {
        owner.setReceiver([this](const QStringList &files, const QByteArray &token) {
            handed.append({files, token});
            return takes;
        });
    }
};

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString jobFile() const { return dir.filePath(QStringLiteral("Ordvane.job")); }
    QByteArray lockName() const { return QFile::encodeName(jobFile() + QStringLiteral(".lock")); }

private slots:
    void init()
    {
        unlink(lockName().constData());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path())); // private to this test: 0700
    }

    // A link, a pipe or a second name of another file in the lock's place is never written
    // through, never waited on, and never taken for the lock.
    void lockFileThatIsNotAPlainFileIsLeftAlone()
    {
        const QByteArray victim = QFile::encodeName(dir.filePath(QStringLiteral("victim")));
        QFile file(QString::fromLocal8Bit(victim));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("precious");
        file.close();
        for (int kind = 0; kind < 3; ++kind) {
            unlink(lockName().constData());
            if (kind == 0)
                QVERIFY(symlink(victim.constData(), lockName().constData()) == 0);
            else if (kind == 1)
                QVERIFY(mkfifo(lockName().constData(), 0600) == 0);
            else
                QVERIFY(link(victim.constData(), lockName().constData()) == 0);
            JobListLock lock(jobFile());
            QCOMPARE(lock.tryLock(), JobListLock::Result::Unavailable);
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("precious"));
    }

    // In a program folder others may write to, another user's lock is not this user's: it
    // never makes this user's start take itself for a second instance.
    void anotherUsersLockIsNotOurs()
    {
        if (geteuid() != 0)
            QSKIP("needs root, to act as a second user");
        QTemporaryDir shared;
        QVERIFY(chmod(QFile::encodeName(shared.path()).constData(), 0777) == 0);
        const QString job = shared.filePath(QStringLiteral("Ordvane.job"));
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        const pid_t other = fork();
        if (other == 0) {
            if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0)
                _exit(1);
            JobListLock lock(job); // held as the other user's program holds it
            (void)!write(ready[1], lock.tryLock() == JobListLock::Result::Locked ? "l" : "n", 1);
            pause();
            _exit(0);
        }
        char answer = 0;
        QCOMPARE(read(ready[0], &answer, 1), ssize_t(1));
        QCOMPARE(answer, 'l');
        JobListLock mine(job);
        const JobListLock::Result result = mine.tryLock();
        kill(other, SIGKILL);
        waitpid(other, nullptr, 0);
        QCOMPARE(result, JobListLock::Result::Unavailable);
    }

    // Held while its process lives, whatever else runs; free the moment it ends.
    void lockHeldByAnotherProcess()
    {
        int gate[2];
        QVERIFY(pipe(gate) == 0);
        const pid_t holder = fork();
        if (holder == 0) {
            close(gate[0]);
            JobListLock lock(jobFile());
            const bool locked = lock.tryLock() == JobListLock::Result::Locked;
            char said = locked ? 'y' : 'n';
            if (write(gate[1], &said, 1) != 1)
                _exit(1);
            pause(); // until killed
            _exit(0);
        }
        close(gate[1]);
        char said = 0;
        QCOMPARE(read(gate[0], &said, 1), ssize_t(1));
        QCOMPARE(said, 'y');
        JobListLock lock(jobFile());
        QCOMPARE(lock.tryLock(), JobListLock::Result::HeldByOther);
        QCOMPARE(lock.holder(), qint64(holder));
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        close(gate[0]);
        QCOMPARE(lock.tryLock(), JobListLock::Result::Locked);
    }

    // Idle connections, one that announces a message of 4 GB, and a moment without a single
    // descriptor to spare do not turn the hand-over off.
    void clientsCannotTurnTheHandOverOff()
    {
        SingleInstance owner(jobFile());
        QCOMPARE(owner.claim(), SingleInstance::Claim::Owner);
        QVERIFY(owner.listenProblem().isEmpty());
        Arrivals arrived(owner);

        std::vector<int> clients;
        for (int i = 0; i < 3 * SingleInstance::MaxClients; ++i)
            clients.push_back(connectTo(owner.serverName()));
        const int flood = connectTo(owner.serverName());
        const char huge[] = "\xff\xff\xff\xff";
        QCOMPARE(write(flood, huge, 4), ssize_t(4));
        QTest::qWait(50);

        // No descriptor left: the owner's server cannot take a connection and closes.
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        const rlimit tight{rlim_t(clients.back() + 2), limit.rlim_max};
        setrlimit(RLIMIT_NOFILE, &tight);
        for (int i = 0; i < 8; ++i) {
            const int extra = connectTo(owner.serverName());
            if (extra >= 0)
                clients.push_back(extra);
            QTest::qWait(20);
        }
        setrlimit(RLIMIT_NOFILE, &limit);
        for (const int fd : clients)
            if (fd >= 0)
                close(fd);

        SingleInstance later(jobFile());
        QCOMPARE(later.claim(), SingleInstance::Claim::OtherOwner);
        auto handed = std::async(std::launch::async, [&] { return later.handOver({QStringLiteral("/docs/a.pdf")}, "token-1", 20000); });
        QTRY_COMPARE_WITH_TIMEOUT(arrived.handed.size(), 1, 20000);
        QCOMPARE(handed.get(), SingleInstance::HandOver::Taken);
        QCOMPARE(arrived.handed[0].first, QStringList{QStringLiteral("/docs/a.pdf")});
        QCOMPARE(arrived.handed[0].second, QByteArray("token-1")); // the window's activation goes with the files
        close(flood);
    }

    // Connections that say nothing, held open and renewed without pause, keep a real start
    // out for no time at all: the oldest silent one makes room. A window that takes none of
    // the files says so, and the start can tell.
    void silentConnectionsCannotKeepARealStartOut()
    {
        SingleInstance owner(jobFile());
        QCOMPARE(owner.claim(), SingleInstance::Claim::Owner);
        Arrivals arrived(owner);
        std::vector<int> silent;
        for (int i = 0; i < 3 * SingleInstance::MaxClients; ++i)
            silent.push_back(connectTo(owner.serverName()));
        std::atomic<bool> done{false};
        auto renewing = std::async(std::launch::async, [&] {
            while (!done)
                if (const int fd = connectTo(owner.serverName()); fd >= 0) {
                    usleep(2000);
                    close(fd);
                }
        });
        const auto stop = qScopeGuard([&] {
            done = true;
            renewing.wait();
            for (const int fd : silent)
                close(fd);
        });
        SingleInstance later(jobFile());
        QCOMPARE(later.claim(), SingleInstance::Claim::OtherOwner);
        const auto handOver = [&](const QString &file) {
            auto handed = std::async(std::launch::async, [&] { return later.handOver({file}, {}, 3000); });
            while (handed.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            return handed.get();
        };
        // Well within the time a silent connection is given.
        QCOMPARE(handOver(QStringLiteral("/docs/a.pdf")), SingleInstance::HandOver::Taken);
        arrived.takes = false;
        QCOMPARE(handOver(QStringLiteral("/docs/a.pdf")), SingleInstance::HandOver::NoneTaken);
        QCOMPARE(arrived.handed.size(), 2);
    }

    // Messages whose counts lie, and names no start sends, are refused without a receipt and
    // without the owner making anything of them; a real message still arrives after them.
    void messagesAreCheckedBeforeTheyAreBelieved()
    {
        SingleInstance owner(jobFile());
        QCOMPARE(owner.claim(), SingleInstance::Claim::Owner);
        Arrivals arrived(owner);
        const auto send = [&](const QByteArray &body) {
            const int fd = connectTo(owner.serverName());
            QByteArray message(4, '\0');
            qToBigEndian<quint32>(quint32(body.size()), message.data());
            message += body;
            if (fd < 0 || write(fd, message.constData(), size_t(message.size())) != message.size())
                return QByteArray("(not sent)");
            QTest::qWait(100);
            char receipt = 0;
            const ssize_t got = recv(fd, &receipt, 1, MSG_DONTWAIT);
            close(fd);
            return got == 1 ? QByteArray(1, receipt) : QByteArray();
        };
        // 0xFFFFFFFE names in eight bytes: nothing is reserved for them.
        QCOMPARE(send(QByteArray::fromHex("fffffffe00000002")), QByteArray());
        QCOMPARE(send(HandOverMessage::encode({QStringLiteral("relative.pdf")}, {})), QByteArray());
        QCOMPARE(send(HandOverMessage::encode({QStringLiteral("/a\0b.pdf")}, {})), QByteArray());
        QCOMPARE(send(HandOverMessage::encode({u'/' + QString(8192, u'x') + QStringLiteral(".pdf")}, {})), QByteArray());
        QCOMPARE(send(HandOverMessage::encode({QStringLiteral("/docs/a.pdf")}, {}).chopped(1)), QByteArray());
        QCOMPARE(arrived.handed.size(), 0);
        // More names than any job list holds, each of them plausible.
        QByteArray tooMany;
        QDataStream out(&tooMany, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << QStringList(HandOverMessage::MostFiles + 1, QStringLiteral("/a")) << QByteArray();
        QStringList files;
        QByteArray token;
        QVERIFY(!HandOverMessage::decode(tooMany, files, token));
        QVERIFY(HandOverMessage::decode(HandOverMessage::encode(QStringList(HandOverMessage::MostFiles + 1, QStringLiteral("/a")), {}), files, token));
        QCOMPARE(files.size(), HandOverMessage::MostFiles); // a start sends what a list can hold
        QCOMPARE(send(HandOverMessage::encode({QStringLiteral("/docs/a.pdf"), QStringLiteral("/docs/\u00e9.pdf")}, "token")), QByteArray("k"));
        QCOMPARE(arrived.handed.size(), 1);
        QCOMPARE(arrived.handed[0].first, (QStringList{QStringLiteral("/docs/a.pdf"), QStringLiteral("/docs/\u00e9.pdf")}));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
