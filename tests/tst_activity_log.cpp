// The activity log's bytes: mark on creation only, the line format, switched-off logging and
// failures that reach the caller.
#include "conversion/ActivityLog.h"
#include "platform/IoError.h"
#include "tests/support/TestProgramDirectory.h"

#include <QElapsedTimer>
#include <clocale>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <sys/stat.h>

namespace {

QByteArray utf16le(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes += char(c.unicode() & 0xFF);
        bytes += char(c.unicode() >> 8);
    }
    return bytes;
}

std::tm localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

const QString LogName = QStringLiteral("ordvnact.log");

}

class TestActivityLog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::setlocale(LC_ALL, "");
    }

    void lineFormat()
    {
        // The C locale's formats: date MM/DD/YY, time HH:MM:SS.
        QCOMPARE(LogLine(QStringLiteral("Conversion start..."), localTime(2026, 12, 6, 23, 11, 2)),
                 QStringLiteral("[12/06/26 23:11:02]: Conversion start...\r\n"));
        // At exactly midnight the time is left out, and the space with it.
        QCOMPARE(LogLine(QStringLiteral("x"), localTime(2026, 12, 6, 0, 0, 0)), QStringLiteral("[12/06/26]: x\r\n"));
        QCOMPARE(LogLine(QStringLiteral("x"), localTime(2026, 12, 6, 0, 0, 1)), QStringLiteral("[12/06/26 00:00:01]: x\r\n"));
        // A text no message of the program's comes near is cut, never in half a character.
        const QString huge = QString(MaxLogTextUnits - 4, u'x') + QStringLiteral("\U0001F600") + QString(1 << 20, u'y');
        QCOMPARE(LogLine(huge, localTime(2026, 12, 6, 0, 0, 0)),
                 QStringLiteral("[12/06/26]: ") + QString(MaxLogTextUnits - 4, u'x') + QStringLiteral("...\r\n"));
    }

    void firstAppendCreatesTheFileWithItsMark()
    {
        TestProgramDirectory dir;
        ActivityLog log(ActivityLogPath());
        log.AppendLog(QStringLiteral("Conversion start..."));
        const QByteArray bytes = dir.read(LogName);
        QVERIFY(bytes.startsWith(QByteArray("\xFF\xFE[\0", 4)));
        QVERIFY(bytes.endsWith(utf16le(QStringLiteral("]: Conversion start...\r\n"))));
        QCOMPARE(bytes.count(QByteArray("\xFF\xFE", 2)), 1);

        // Later appends add lines only: no second mark; text kept unit for unit, a lone
        // surrogate of an odd file name included; CR LF inside the text is not escaped.
        const QString odd = QStringLiteral("Add file failed: already added (/x/") + QChar(0xDCFF) + QStringLiteral(".pdf)");
        log.AppendLog(odd);
        log.AppendLog(QStringLiteral("Conversion end. Successful: 1, Failed: 0, Total: 1\r\n"));
        const QByteArray after = dir.read(LogName);
        QVERIFY(after.startsWith(bytes));
        QCOMPARE(after.count(QByteArray("\xFF\xFE", 2)), 1);
        QVERIFY(after.contains(utf16le(odd + QStringLiteral("\r\n["))));
        QVERIFY(after.endsWith(utf16le(QStringLiteral("Total: 1\r\n\r\n"))));
    }

    void existingFileWithoutMarkGetsNone()
    {
        TestProgramDirectory dir;
        ActivityLog log(ActivityLogPath());
        dir.write(LogName, "written elsewhere\n");
        log.AppendLog(QStringLiteral("a"));
        const QByteArray bytes = dir.read(LogName);
        QVERIFY(bytes.startsWith("written elsewhere\n[\0"));
        QVERIFY(!bytes.contains("\xFF\xFE"));
    }

    void switchedOffWritesNothing()
    {
        TestProgramDirectory dir;
        ActivityLog log(ActivityLogPath(), false);
        log.AppendLog(QStringLiteral("a"));
        QVERIFY(!QFile::exists(dir.file(LogName)));
        dir.write(LogName, "keep");
        log.AppendLog(QStringLiteral("b"));
        QCOMPARE(dir.read(LogName), QByteArray("keep"));
    }

    void failureReachesTheCaller()
    {
        TestProgramDirectory dir;
        ActivityLog log(ActivityLogPath());
        QVERIFY(QDir(dir.path()).mkdir(LogName)); // a folder where the file should be
        try {
            log.AppendLog(QStringLiteral("a"));
            QFAIL("no error raised");
        } catch (const IoError &e) {
            QCOMPARE(e.errorNumber(), EISDIR);
            QVERIFY(e.message().contains(dir.file(LogName)));
        }
    }

    // The log is the user's alone; a lock another reader holds on it delays a line by a
    // moment at most; a second name of another file in its place is not written through.
    void othersCannotHoldOrRedirectTheLog()
    {
        TestProgramDirectory dir;
        ActivityLog log(ActivityLogPath());
        log.AppendLog(QStringLiteral("first"));
        struct stat info{};
        QVERIFY(stat(QFile::encodeName(dir.file(LogName)).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));

        // A reader holds a shared lock, as `flock -s` does, and keeps it.
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        const pid_t holder = fork();
        if (holder == 0) {
            const int fd = open(QFile::encodeName(dir.file(LogName)).constData(), O_RDONLY);
            flock(fd, LOCK_SH);
            (void)!write(ready[1], "h", 1);
            pause();
            _exit(0);
        }
        char held = 0;
        QCOMPARE(read(ready[0], &held, 1), ssize_t(1));
        QElapsedTimer timer;
        timer.start();
        log.AppendLog(QStringLiteral("second"));
        QVERIFY2(timer.elapsed() < 30'000, "the line waited for the other's lock");
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        QVERIFY(dir.read(LogName).contains(utf16le(QStringLiteral("second"))));

        // The log's name made a second name of another file: refused, the other file as it was.
        dir.write(QStringLiteral("other.txt"), "another file");
        QFile::remove(dir.file(LogName));
        QVERIFY(link(QFile::encodeName(dir.file(QStringLiteral("other.txt"))).constData(), QFile::encodeName(dir.file(LogName)).constData()) == 0);
        QVERIFY_THROWS_EXCEPTION(IoError, log.AppendLog(QStringLiteral("third")));
        QCOMPARE(dir.read(QStringLiteral("other.txt")), QByteArray("another file"));
    }
};

QTEST_GUILESS_MAIN(TestActivityLog)
#include "tst_activity_log.moc"
