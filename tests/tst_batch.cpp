// The real ordvane-batch program in a temporary program directory: the same outcomes and
// bytes as a run of the window, exit statuses, JSON lines, shards, job files, and an
// interruption that leaves neither helpers nor half targets, and folders watched.
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/TextRecords.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryFiles.h"
#include "tests/support/SettingsCore.h"
#include "tests/support/EncryptedPdf.h"
#include "tests/support/LogLines.h"
#include "tests/support/PdfMaker.h"
#include "tests/support/RamFolder.h"
#include "tests/support/RemoveTree.h"
#include "tests/support/TestProgramDirectory.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QElapsedTimer>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

class TestBatch : public QObject {
    Q_OBJECT

    QScopedPointer<TestProgramDirectory> dir;

    QString pdf(const QString &name, const std::vector<testpdf::Page> &pages = {testpdf::linesPage({"Caf\xC3\xA9 text", "second line"})},
                const testpdf::Options &options = {})
    {
        const QString path = dir->file(name);
        QDir().mkpath(QFileInfo(path).path());
        testpdf::writeFile(FileSystem::encodePath(path).toStdString(), testpdf::makePdf(pages, options));
        return path;
    }

    struct Outcome {
        int status = -1;
        QByteArray out, err;
        QList<QJsonObject> lines() const
        {
            QList<QJsonObject> objects;
            for (const QByteArray &line : out.split('\n'))
                if (!line.isEmpty())
                    objects << QJsonDocument::fromJson(line).object();
            return objects;
        }
    };

    Outcome batch(const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess process;
        process.start(dir->file(QStringLiteral("ordvane-batch")), arguments);
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    QByteArray read(const QString &path) const
    {
        QByteArray bytes;
        bytes = FileSystem::readFile(path).value_or(QByteArray());
        return bytes;
    }

    // A text file as the settings here write it: UTF-16 with its byte-order mark.
    QString textOf(const QString &path) const
    {
        const QByteArray bytes = read(path).mid(2);
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
    }

    // ordvane-batch --watch, running until it is ended; what it says gathered as it comes.
    struct Watcher {
        QProcess process;
        QByteArray out, err;

        void gather()
        {
            out += process.readAllStandardOutput();
            err += process.readAllStandardError();
        }
        // The JSON lines of each source.
        QMap<QString, QList<QJsonObject>> bySource()
        {
            gather();
            QMap<QString, QList<QJsonObject>> lines;
            for (const QJsonObject &line : Outcome{0, out, {}}.lines())
                lines[line[QStringLiteral("source")].toString()] << line;
            return lines;
        }
        int end(int signal = SIGTERM)
        {
            if (process.processId() > 0)
                kill(pid_t(process.processId()), signal);
            process.waitForFinished(120000);
            gather();
            return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        }
    };

    std::unique_ptr<Watcher> watch(const QStringList &arguments)
    {
        auto watcher = std::make_unique<Watcher>();
        watcher->process.start(dir->file(QStringLiteral("ordvane-batch")), QStringList{QStringLiteral("--watch")} + arguments);
        watcher->process.waitForStarted();
        return watcher;
    }

    // Workers of this program directory still running.
    QByteArray helpersLeft()
    {
        QProcess pgrep;
        pgrep.start(QStringLiteral("pgrep"), {QStringLiteral("-f"), dir->file(QStringLiteral("tsypdf-worker"))});
        pgrep.waitForFinished();
        return pgrep.readAllStandardOutput();
    }

private slots:
    void init()
    {
        dir.reset(new TestProgramDirectory);
        // The program finds its settings and library beside its real file, so it is copied.
        QVERIFY(QFile::copy(QStringLiteral(ORDVANE_BIN_DIR "ordvane-batch"), dir->file(QStringLiteral("ordvane-batch"))));
        dir->write(QStringLiteral("Ordvane.dat"), "[general]\r\nsourcecode=1200\r\npagebreak=1\r\nfileovertp=1\r\n");
    }

    // The same settings give the same messages, log lines and bytes as the window's run.
    void sameOutcomesAsTheWindow()
    {
        const QStringList sources = {pdf(QStringLiteral("in/a.pdf")), pdf(QStringLiteral("in/sub/b.pdf")), dir->file(QStringLiteral("in/missing.pdf"))};
        dir->write(QStringLiteral("in/bad.pdf"), "no PDF at all");
        const Outcome outcome = batch({QStringLiteral("--target-dir"), dir->file(QStringLiteral("batch")), QStringLiteral("--recursive"),
                                       dir->file(QStringLiteral("in")), sources[2]});
        QCOMPARE(outcome.status, 1);
        // A file named that is not there is refused, as a hand-over to the window is, and counts
        // as failed.
        QVERIFY(outcome.err.contains("File [" + sources[2].toUtf8() + "] not found!"));
        QVERIFY(outcome.out.contains("Failed: File format not correct (" + dir->file(QStringLiteral("in/bad.pdf")).toUtf8() + ")"));
        QVERIFY(outcome.out.contains("2 converted, 2 failed"));
        QStringList batchLog = logTexts(dir->file(QStringLiteral("ordvnact.log")));
        QVERIFY(batchLog.removeOne(QStringLiteral("Add file failed: not found (") + sources[2] + u')'));

        QFile::remove(dir->file(QStringLiteral("ordvnact.log")));
        LoadSettings();
        Settings.targetdir = dir->file(QStringLiteral("window/"));
        QVERIFY(MyPdfCvt::LoadConverterLibrary(dir->path()));
        SettingsCore core;
        JobList list(core.setup());
        for (const QString &source : {sources[0], dir->file(QStringLiteral("in/bad.pdf")), sources[1]})
            list.AddOneFile(source);
        ConversionRun::Display display;
        core.run(list, display, ConversionRun::ConvertAll);
        MyPdfCvt::UnloadConverterLibrary();
        for (const QString &name : {QStringLiteral("a.txt"), QStringLiteral("b.txt")}) {
            QVERIFY(read(dir->file(QStringLiteral("window/") + name)).startsWith("\xFF\xFE" "C\0a\0f\0"));
            QCOMPARE(read(dir->file(QStringLiteral("batch/") + name)), read(dir->file(QStringLiteral("window/") + name)));
        }
        QStringList windowLog = logTexts(dir->file(QStringLiteral("ordvnact.log")));
        QCOMPARE(QSet<QString>(batchLog.begin(), batchLog.end()).size(), batchLog.size());
        QCOMPARE(QSet<QString>(batchLog.begin(), batchLog.end()), QSet<QString>(windowLog.begin(), windowLog.end()));
    }

    void usageAndStatuses()
    {
        const QString a = pdf(QStringLiteral("a.pdf"));
        for (const QStringList &wrong : {QStringList{}, {QStringLiteral("--shard"), QStringLiteral("3/3"), a},
                                         {QStringLiteral("--existing"), QStringLiteral("ask"), a},
                                         {QStringLiteral("--code-page"), QStringLiteral("12345"), a},
                                         {QStringLiteral("--order"), QStringLiteral("sideways"), a},
                                         {QStringLiteral("--ocr-lang"), QStringLiteral("eng+xyz"), a},
                                         // an endless line, or an endless list of empty ones
                                         {QStringLiteral("--files-from"), QStringLiteral("/dev/zero")},
                                         {QStringLiteral("-0"), QStringLiteral("--files-from"), QStringLiteral("/dev/zero")},
                                         {QStringLiteral("--bogus"), a}}) {
            const Outcome outcome = batch(wrong);
            QCOMPARE(outcome.status, 2);
            QVERIFY(outcome.err.startsWith("ordvane-batch: "));
        }
        QCOMPARE(batch({QStringLiteral("--version")}).out, QByteArray("ordvane-batch 3.0\n"));
        QCOMPARE(batch({QStringLiteral("--same-dir"), QStringLiteral("--no-log"), a}).status, 0);
        QVERIFY(QFileInfo::exists(dir->file(QStringLiteral("a.txt"))));
        QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("ordvnact.log"))));
        // Skip, as a resubmitted shard does: a file whose text exists is an outcome of its own,
        // counted apart, not a failure; the others are converted.
        const QString b = pdf(QStringLiteral("b.pdf"));
        const QByteArray before = read(dir->file(QStringLiteral("a.txt")));
        const Outcome skipped = batch({QStringLiteral("--same-dir"), QStringLiteral("--existing"), QStringLiteral("skip"), QStringLiteral("--json"), a, b});
        QCOMPARE(skipped.status, 0);
        QCOMPARE(skipped.lines().size(), 2);
        QCOMPARE(skipped.lines()[0][QStringLiteral("state")].toString(), QStringLiteral("Skipped"));
        QCOMPARE(skipped.lines()[0][QStringLiteral("target")].toString(), dir->file(QStringLiteral("a.txt")));
        QCOMPARE(skipped.lines()[1][QStringLiteral("state")].toString(), QStringLiteral("Converted"));
        QCOMPARE(read(dir->file(QStringLiteral("a.txt"))), before);
        const Outcome again = batch({QStringLiteral("--same-dir"), QStringLiteral("--existing"), QStringLiteral("skip"), a, b});
        QCOMPARE(again.status, 0);
        QVERIFY2(again.out.startsWith("0 converted, 2 skipped, 0 failed; 0 pages"), again.out.constData());

        // Update, as a re-run over a folder after a few files changed: exactly the PDFs newer
        // than their texts, and those without one, are converted; the others are left alone.
        const QString c = pdf(QStringLiteral("c.pdf"));
        const auto age = [](const QString &path, int seconds) {
            QFile file(path);
            return file.open(QIODevice::ReadWrite)
                   && file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime);
        };
        QVERIFY(age(a, 100) && age(dir->file(QStringLiteral("a.txt")), 50)); // a's text is newer than a
        QVERIFY(age(dir->file(QStringLiteral("b.txt")), 100) && age(b, 50)); // b changed after its text
        const QByteArray aText = read(dir->file(QStringLiteral("a.txt")));
        const Outcome updated = batch({QStringLiteral("--same-dir"), QStringLiteral("--existing"), QStringLiteral("update"), QStringLiteral("--json"), a, b, c});
        QCOMPARE(updated.status, 0);
        QStringList states;
        for (const QJsonObject &line : updated.lines())
            states << line[QStringLiteral("state")].toString() + u' ' + line[QStringLiteral("message")].toString();
        QCOMPARE(states, (QStringList{"Skipped Target file is up to date", "Converted Convert successfully", "Converted Convert successfully"}));
        QCOMPARE(read(dir->file(QStringLiteral("a.txt"))), aText);
        QVERIFY(QFileInfo(dir->file(QStringLiteral("b.txt"))).lastModified() > QFileInfo(b).lastModified());
        QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("b(1).txt"))));
    }

    // Files locked as producers lock them (RC4 of 40 and 128 bits, AES of 128 and 256 bits;
    // user password, owner password or both): without passwords each says so; with a password
    // file the passwords are tried in order, and one that opens a file but leaves copying
    // forbidden gives way to the owner's later in the list. A file that opens without a
    // password but forbids copying stays "not allowed" until its owner's password is in the
    // list. The passwords reach no text file, no log line and no file of the program's.
    void passwordFiles()
    {
        testpdf::Options rc4user, rc4owner, unknown;
        rc4user.userPassword = "first secret";
        rc4user.ownerPassword = "first owner";
        rc4owner.userPassword = "second";
        rc4owner.ownerPassword = "second owner";
        unknown.userPassword = "nobody knows";
        const QString plain = pdf(QStringLiteral("plain.pdf"), {testpdf::linesPage({"Locked text"})});
        pdf(QStringLiteral("p/rc4-user.pdf"), {testpdf::linesPage({"Locked text"})}, rc4user);
        pdf(QStringLiteral("p/rc4-owner.pdf"), {testpdf::linesPage({"Locked text"})}, rc4owner);
        pdf(QStringLiteral("p/unknown.pdf"), {testpdf::linesPage({"Never read"})}, unknown);
        const std::pair<const char *, Lock> locks[] = {
            {"aes256-user", {QStringLiteral("Schl\u00fcssel \u00fc"), QStringLiteral("o256")}},
            {"aes128-user", {QStringLiteral("first secret"), QStringLiteral("o128"), QStringLiteral("aes128")}},
            {"rc4-128-both-nocopy", {QStringLiteral("first secret"), QStringLiteral("second owner"), QStringLiteral("128"), false}},
            {"aes256-user-nocopy", {QStringLiteral("first secret"), QStringLiteral("unknown owner"), QStringLiteral("256"), false}},
            {"aes256-owner-nocopy", {QString(), QStringLiteral("second owner"), QStringLiteral("256"), false}},
            {"aes128-owner", {QString(), QStringLiteral("second owner"), QStringLiteral("aes128")}},
        };
        for (const auto &[name, lock] : locks)
            encryptPdf(plain, dir->file(QStringLiteral("p/%1.pdf").arg(QLatin1String(name))), lock);
        const QString notAllowed = QStringLiteral("Extracting text from source file not allowed");
        const auto states = [](const Outcome &outcome) {
            QMap<QString, QString> seen;
            for (const QJsonObject &line : outcome.lines())
                seen[QFileInfo(line[QStringLiteral("source")].toString()).completeBaseName()] = line[QStringLiteral("message")].toString();
            return seen;
        };
        const QStringList locked{QStringLiteral("rc4-user"), QStringLiteral("rc4-owner"), QStringLiteral("unknown"),
                                 QStringLiteral("aes256-user"), QStringLiteral("aes128-user"), QStringLiteral("rc4-128-both-nocopy"),
                                 QStringLiteral("aes256-user-nocopy")};
        const QStringList common{QStringLiteral("--json"), QStringLiteral("--same-dir"), QStringLiteral("--code-page"),
                                 QStringLiteral("65001"), QStringLiteral("--existing"), QStringLiteral("overwrite")};
        const Outcome without = batch(common + QStringList{dir->file(QStringLiteral("p"))});
        QCOMPARE(without.status, 1);
        QMap<QString, QString> expected;
        for (const QString &name : locked)
            expected[name] = QStringLiteral("Password required");
        expected[QStringLiteral("aes256-owner-nocopy")] = notAllowed;
        expected[QStringLiteral("aes128-owner")] = QStringLiteral("Convert successfully");
        QCOMPARE(states(without), expected);

        dir->write(QStringLiteral("passwords"), "wrong\r\nfirst secret\n\nsecond owner\nSchl\xC3\xBCssel \xC3\xBC\n");
        const Outcome with = batch(common + QStringList{QStringLiteral("--password-file"), dir->file(QStringLiteral("passwords")),
                                                        dir->file(QStringLiteral("p"))});
        QCOMPARE(with.status, 1);
        for (const QString &name : locked)
            expected[name] = QStringLiteral("Convert successfully");
        expected[QStringLiteral("unknown")] = QStringLiteral("Password required");
        expected[QStringLiteral("aes256-user-nocopy")] = notAllowed;
        expected[QStringLiteral("aes256-owner-nocopy")] = QStringLiteral("Convert successfully");
        QCOMPARE(states(with), expected);
        for (const QString &name : {QStringLiteral("rc4-user"), QStringLiteral("aes256-user"), QStringLiteral("rc4-128-both-nocopy")})
            QVERIFY(read(dir->file(QStringLiteral("p/%1.txt").arg(name))).contains("Locked text"));
        // From standard input too.
        const Outcome piped = batch(common + QStringList{QStringLiteral("--password-file"), QStringLiteral("-"),
                                                         dir->file(QStringLiteral("p/unknown.pdf"))}, "nobody knows\n");
        QCOMPARE(states(piped).value(QStringLiteral("unknown")), QStringLiteral("Convert successfully"));
        QCOMPARE(piped.status, 0);

        QStringList ours = QDir(dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
        for (const QString &text : QDir(dir->file(QStringLiteral("p"))).entryList({QStringLiteral("*.txt")}))
            ours << QStringLiteral("p/") + text;
        ours.removeOne(QStringLiteral("passwords"));
        ours.removeOne(QStringLiteral("ordvane-batch")); // the program itself, copied in with its translations
        QVERIFY(ours.contains(QStringLiteral("ordvnact.log")));
        for (const QString &file : std::as_const(ours)) {
            const QByteArray raw = read(dir->file(file));
            const QByteArray bytes = raw + QString::fromUtf16(reinterpret_cast<const char16_t *>(raw.constData()), raw.size() / 2).toUtf8();
            for (const char *secret : {"first secret", "second owner", "nobody knows", "Schl\xC3\xBCssel"})
                QVERIFY2(!bytes.contains(secret), qPrintable(file));
        }
    }

    // Password files as editors and tools write them: a byte-order mark, lines ended by CR
    // alone, passwords beyond ASCII for every kind of encryption; UTF-16 is named as such. A
    // list at the limit of 1000 passwords works, as root and as another user; one beyond it is
    // refused with a message, not an abort.
    void passwordListsAsEditorsWriteThem()
    {
        const QString plain = pdf(QStringLiteral("plain.pdf"), {testpdf::linesPage({"Locked text"})});
        const QString umlauts = QStringLiteral("Schl\u00fcssel \u00e9t\u00e9");
        QDir().mkpath(dir->file(QStringLiteral("u")));
        for (const char *bits : {"40", "128", "aes128", "256"})
            encryptPdf(plain, dir->file(QStringLiteral("u/%1.pdf").arg(QLatin1String(bits))), {umlauts, QStringLiteral("o"), QLatin1String(bits)});
        const QStringList common{QStringLiteral("--json"), QStringLiteral("--no-log"), QStringLiteral("--existing"), QStringLiteral("overwrite"),
                                 QStringLiteral("--target-dir"), dir->file(QStringLiteral("t")), QStringLiteral("--password-file"),
                                 dir->file(QStringLiteral("passwords"))};
        const auto converted = [](const Outcome &outcome) {
            int count = 0;
            for (const QJsonObject &line : outcome.lines())
                count += line[QStringLiteral("state")].toString() == QLatin1String("Converted") ? 1 : 0;
            return count;
        };
        dir->write(QStringLiteral("passwords"), "\xEF\xBB\xBF" "wrong\r" + umlauts.toUtf8() + "\r");
        const Outcome typed = batch(common + QStringList{dir->file(QStringLiteral("u"))});
        QCOMPARE(typed.status, 0);
        QCOMPARE(converted(typed), 4);

        dir->write(QStringLiteral("passwords"), QByteArray("\xFF\xFEw\0r\0o\0n\0g\0", 12));
        const Outcome utf16 = batch(common + QStringList{dir->file(QStringLiteral("u"))});
        QCOMPARE(utf16.status, 2);
        QVERIFY2(utf16.err.contains("not UTF-8"), utf16.err.constData());

        // At the limit the right one is last, and is tried first on the second file; beyond
        // it the list is refused. As root and as another user, whose locked memory is small.
        QByteArray list;
        for (int i = 1; i < 1000; ++i)
            list += "wrong password number " + QByteArray::number(i) + '\n';
        dir->write(QStringLiteral("passwords"), list + umlauts.toUtf8() + '\n');
        QByteArray tooMany;
        for (int i = 0; i < 15000; ++i)
            tooMany += "a password of sixteen bytes or more " + QByteArray::number(i) + '\n';
        dir->write(QStringLiteral("too-many"), tooMany);
        chmod(QFile::encodeName(dir->path()).constData(), 0755);
        QDir().mkpath(dir->file(QStringLiteral("t")));
        chmod(QFile::encodeName(dir->file(QStringLiteral("t"))).constData(), 0777);
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        QStringList users{QString()};
        // Another user reaches the converter only where the build is open to others, not in a
        // private temporary folder.
        if (geteuid() == 0 && !setpriv.isEmpty()
            && QProcess::execute(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                                           QStringLiteral("test"), QStringLiteral("-r"), dir->file(QStringLiteral("tsypdf.so"))}) == 0)
            users << QStringLiteral("65534");
        for (const QString &user : std::as_const(users)) {
            const auto run = [&](const QStringList &arguments) {
                if (user.isEmpty())
                    return batch(arguments);
                QProcess process;
                process.start(setpriv, QStringList{QStringLiteral("--reuid=") + user, QStringLiteral("--regid=") + user, QStringLiteral("--clear-groups"),
                                                   dir->file(QStringLiteral("ordvane-batch"))} + arguments);
                process.waitForFinished(120000);
                return Outcome{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
                               process.readAllStandardError()};
            };
            const QString target = dir->file(QStringLiteral("t/by") + user);
            const Outcome atLimit = run(common + QStringList{QStringLiteral("--target-dir"), target, QStringLiteral("--jobs"), QStringLiteral("1"),
                                                             dir->file(QStringLiteral("u/128.pdf")), dir->file(QStringLiteral("u/40.pdf"))});
            QVERIFY2(atLimit.status == 0 && converted(atLimit) == 2, (atLimit.out + atLimit.err).constData());
            QStringList beyond = common;
            beyond.last() = dir->file(QStringLiteral("too-many"));
            const Outcome refused = run(beyond + QStringList{dir->file(QStringLiteral("u/128.pdf"))});
            QCOMPARE(refused.status, 2);
            QVERIFY2(refused.err.contains("holds more than 1000 passwords"), refused.err.constData());
        }
    }

    // A shared program folder whose log another user made first, or whose log is a second
    // name of another file, costs the lines and one warning, never the run; a lock held on
    // the log by a reader holds up the whole run a few seconds at most, not a second a line.
    void aLogThatCannotBeWritten()
    {
        QStringList sources;
        for (int i = 0; i < 20; ++i)
            sources << pdf(QStringLiteral("l/f%1.pdf").arg(i));
        const QStringList arguments = QStringList{QStringLiteral("--existing"), QStringLiteral("overwrite"), QStringLiteral("--target-dir"),
                                                  dir->file(QStringLiteral("t"))} + sources;
        const QString log = dir->file(QStringLiteral("ordvnact.log"));
        dir->write(QStringLiteral("elsewhere"), "");
        for (const char *kind : {"another user's", "a second name"}) {
            QFile::remove(log);
            if (kind[0] == 'a') {
                dir->write(QStringLiteral("ordvnact.log"), "");
                if (chown(QFile::encodeName(log).constData(), 65534, 65534) != 0)
                    continue; // not root: the test's own log is no other user's
            } else {
                QVERIFY(link(QFile::encodeName(dir->file(QStringLiteral("elsewhere"))).constData(), QFile::encodeName(log).constData()) == 0);
            }
            const Outcome outcome = batch(arguments);
            QVERIFY2(outcome.status == 0 && outcome.out.startsWith("20 converted"), kind);
            QCOMPARE(outcome.err.count("the activity log cannot be written"), 1);
            QCOMPARE(dir->read(QStringLiteral("elsewhere")), QByteArray());
        }
        QFile::remove(log);
        QVERIFY(batch({QStringLiteral("--same-dir"), pdf(QStringLiteral("first.pdf"))}).status == 0); // a log of the user's
        const int reader = open(QFile::encodeName(log).constData(), O_RDONLY);
        QVERIFY(reader >= 0 && flock(reader, LOCK_SH) == 0);
        QElapsedTimer timer;
        timer.start();
        const Outcome held = batch(arguments);
        close(reader);
        QCOMPARE(held.status, 0);
        QVERIFY2(timer.elapsed() < 15000, "each line waited for the lock"); // 22 lines, a second each
        QCOMPARE(logTexts(log).filter(QStringLiteral("Convert successfully")).size(), 21);
    }

    // Two batches converting into one folder under "rename", as the README's shards do: a
    // numbered name the other took meanwhile passes to the next number, and no text is lost.
    void twoBatchesRenamingIntoOneFolder()
    {
        QStringList first, second;
        QVERIFY(QDir().mkpath(dir->file(QStringLiteral("t"))));
        for (int i = 0; i < 20; ++i) {
            first << pdf(QStringLiteral("one/f%1.pdf").arg(i));
            second << pdf(QStringLiteral("two/f%1.pdf").arg(i));
            dir->write(QStringLiteral("t/f%1.txt").arg(i), "kept"); // every name is taken
        }
        QList<QProcess *> batches;
        for (const QStringList &sources : {first, second}) {
            auto *process = new QProcess(this);
            process->start(dir->file(QStringLiteral("ordvane-batch")),
                           QStringList{QStringLiteral("--existing"), QStringLiteral("rename"), QStringLiteral("--jobs"), QStringLiteral("1"),
                                       QStringLiteral("--target-dir"), dir->file(QStringLiteral("t"))} + sources);
            batches << process;
        }
        for (QProcess *process : batches) {
            QVERIFY(process->waitForFinished(120000));
            QCOMPARE(process->exitCode(), 0);
            delete process;
        }
        const QStringList written = QDir(dir->file(QStringLiteral("t"))).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(written.size(), 60);
        QCOMPARE(written.filter(QStringLiteral(".part")), QStringList());
        QCOMPARE(read(dir->file(QStringLiteral("t/f7.txt"))), QByteArray("kept"));
    }

    // Two batches in PID namespaces of their own, as on two nodes, converting PDFs of the
    // same names into one folder on a file system without extended attributes: the names one
    // takes pass the other to the next number, and the records of both are kept, so that a
    // re-run finds every text current.
    void twoNodesKeepEveryRecord()
    {
        const RamFolder ram(dir->file(QStringLiteral("t")));
        if (!ram.mounted())
            QSKIP("ramfs cannot be mounted here (it needs CAP_SYS_ADMIN)");
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        for (int i = 0; i < 20; ++i) {
            pdf(QStringLiteral("one/f%1.pdf").arg(i), {testpdf::linesPage({"one " + std::to_string(i)})});
            pdf(QStringLiteral("two/f%1.pdf").arg(i), {testpdf::linesPage({"two " + std::to_string(i)})});
        }
        const QStringList common{QStringLiteral("--existing"), QStringLiteral("update"), QStringLiteral("--json"), QStringLiteral("--jobs"), QStringLiteral("1"),
                                 QStringLiteral("--code-page"), QStringLiteral("65001"), QStringLiteral("--target-dir"), dir->file(QStringLiteral("t"))};
        QList<QProcess *> nodes;
        for (const char *folder : {"one", "two"}) {
            auto *process = new QProcess(this);
            process->start(unshare, QStringList{QStringLiteral("--pid"), QStringLiteral("--fork"), dir->file(QStringLiteral("ordvane-batch"))}
                                        + common + QStringList{dir->file(QLatin1String(folder))});
            nodes << process;
        }
        int converted = 0;
        for (QProcess *process : std::as_const(nodes)) {
            QVERIFY(process->waitForFinished(120000));
            QCOMPARE(process->exitCode(), 0);
            for (const QByteArray &line : process->readAllStandardOutput().split('\n')) {
                if (line.isEmpty())
                    continue;
                const QJsonObject outcome = QJsonDocument::fromJson(line).object();
                const QString source = outcome[QStringLiteral("source")].toString();
                const QByteArray words = source.section(u'/', -2, -2).toUtf8() + ' ' + source.section(u'/', -1).mid(1).chopped(4).toUtf8();
                QVERIFY2(read(outcome[QStringLiteral("target")].toString()).contains(words), qPrintable(source));
                ++converted;
            }
            delete process;
        }
        QCOMPARE(converted, 40);
        const QStringList texts = QDir(dir->file(QStringLiteral("t"))).entryList({QStringLiteral("*.txt")}, QDir::Files);
        QCOMPARE(texts.size(), 40);
        QSet<QString> recorded;
        for (const QByteArray &line : read(dir->file(QStringLiteral("t/") + QLatin1String(TextRecords::FolderFileName))).split('\n'))
            if (!line.isEmpty())
                recorded.insert(QString::fromUtf8(QByteArray::fromPercentEncoding(line.left(line.indexOf(' ')))));
        QCOMPARE(recorded, QSet<QString>(texts.begin(), texts.end()));
        const Outcome again = batch(QStringList{QStringLiteral("--existing"), QStringLiteral("update"), QStringLiteral("--code-page"), QStringLiteral("65001"),
                                                QStringLiteral("--target-dir"), dir->file(QStringLiteral("t")), dir->file(QStringLiteral("one")),
                                                dir->file(QStringLiteral("two"))});
        QVERIFY2(again.out.startsWith("0 converted, 40 skipped, 0 failed"), again.out.constData());
    }

    // Shards of a list from standard input are disjoint and together the whole list; every
    // line tells the whole outcome.
    void shardsAndJsonLines()
    {
        QByteArray list;
        for (int i = 0; i < 12; ++i)
            list += pdf(QStringLiteral("s/f%1.pdf").arg(i)).toUtf8() + '\0';
        QStringList seen;
        for (int k = 0; k < 3; ++k) {
            const Outcome outcome = batch({QStringLiteral("--shard"), QStringLiteral("%1/3").arg(k), QStringLiteral("--json"), QStringLiteral("-0"),
                                           QStringLiteral("--files-from"), QStringLiteral("-"), QStringLiteral("--target-dir"), dir->file(QStringLiteral("t"))},
                                          list);
            QCOMPARE(outcome.status, 0);
            for (const QJsonObject &line : outcome.lines()) {
                seen << line[QStringLiteral("source")].toString();
                QCOMPARE(line[QStringLiteral("state")].toString(), QStringLiteral("Converted"));
                QCOMPARE(line[QStringLiteral("pages")].toInt(), 1);
                QCOMPARE(line[QStringLiteral("bytes")].toInt(), QFileInfo(line[QStringLiteral("target")].toString()).size());
                QVERIFY(line.contains(QStringLiteral("seconds")) && line.contains(QStringLiteral("result")));
            }
        }
        QCOMPARE(seen.size(), 12);
        QCOMPARE(QSet<QString>(seen.begin(), seen.end()).size(), 12);
    }

    // Text in a font that cannot be made (a CJK font naming a character map nobody has) is
    // missing from its page: the file converts, and the page is named on standard error, in
    // its JSON line and in the log, and the batch ends with status 3.
    void textInFontsThatCannotBeMadeIsTold()
    {
        using testpdf::dictObject;
        const std::string pdf = testpdf::assemblePdf({
            dictObject("/Type /Catalog /Pages 2 0 R"), dictObject("/Type /Pages /Kids [3 0 R] /Count 1"),
            dictObject("/Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /H 5 0 R /J 6 0 R >> >> /Contents 4 0 R"),
            testpdf::streamObject("", "BT /H 12 Tf 72 720 Td (Kept words) Tj ET BT /J 24 Tf 72 700 Td <732B304C> Tj ET\n"),
            dictObject("/Type /Font /Subtype /Type1 /BaseFont /Helvetica"),
            dictObject("/Type /Font /Subtype /Type0 /BaseFont /Nonesuch /Encoding /Nonesuch-H /DescendantFonts [7 0 R]"),
            dictObject("/Type /Font /Subtype /CIDFontType0 /BaseFont /Nonesuch /FontDescriptor 8 0 R "
                       "/CIDSystemInfo << /Registry (Adobe) /Ordering (Nonesuch) /Supplement 0 >>"),
            dictObject("/Type /FontDescriptor /FontName /Nonesuch /Flags 6 /FontBBox [0 0 1000 1000] /ItalicAngle 0 /Ascent 800 "
                       "/Descent -200 /CapHeight 700 /StemV 80"),
        });
        const QString file = dir->file(QStringLiteral("lost.pdf"));
        QVERIFY(testpdf::writeFile(FileSystem::encodePath(file).toStdString(), pdf));
        const Outcome outcome = batch({QStringLiteral("--json"), QStringLiteral("--target-dir"), dir->file(QStringLiteral("t")), file});
        QCOMPARE(outcome.status, 3);
        const QList<QJsonObject> lines = outcome.lines();
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0][QStringLiteral("state")].toString(), QStringLiteral("Converted"));
        QCOMPARE(lines[0][QStringLiteral("lostTextPages")].toArray(), QJsonArray{1});
        QVERIFY2(outcome.err.contains("text in fonts that could not be read is missing: page 1 of " + file.toUtf8()), outcome.err.constData());
        QVERIFY(textOf(lines[0][QStringLiteral("target")].toString()).contains(QStringLiteral("Kept words")));
        const QStringList log = logTexts(dir->file(QStringLiteral("ordvnact.log")));
        QVERIFY2(log.contains(QStringLiteral("Page 1 shows text in a font that could not be read; that text is missing (%1)").arg(file)),
                 qPrintable(log.join(u'\n')));
        QVERIFY(log.contains(QStringLiteral("1 page(s) show text in fonts that could not be read; that text is missing, and the log names the pages.")));
    }

    // Two PDFs of one name from two folders into one folder keep a text each, with its own
    // words as poppler's own tool reads them, under every policy. An update re-run leaves both
    // and its log's summary counts them; once both changed, each gets its own new text.
    // --keep-tree keeps their folders instead, below the folder they were found in or --base.
    void sameNamesKeepTheirOwnTexts()
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        QVERIFY2(!tool.isEmpty(), "pdftotext (poppler-utils) is needed");
        const auto write = [&](const char *word) {
            pdf(QStringLiteral("in/one/report.pdf"), {testpdf::linesPage({std::string("alpha ") + word, "first folder"})});
            pdf(QStringLiteral("in/two/report.pdf"), {testpdf::linesPage({std::string("beta ") + word, "second folder"})});
        };
        const auto ownWords = [&](const Outcome &outcome) {
            QStringList targets;
            for (const QJsonObject &line : outcome.lines()) {
                QProcess reference;
                reference.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), line[QStringLiteral("source")].toString(), QStringLiteral("-")});
                reference.waitForFinished();
                const QString target = line[QStringLiteral("target")].toString();
                if (read(target) != "\xEF\xBB\xBF" + reference.readAllStandardOutput())
                    return QStringList{QStringLiteral("not its own words: ") + target};
                targets << FileSystem::fileNamePart(target);
            }
            targets.sort();
            return targets;
        };
        const QStringList two{QStringLiteral("report(1).txt"), QStringLiteral("report.txt")};
        const QStringList common{QStringLiteral("--json"), QStringLiteral("--recursive"), QStringLiteral("--code-page"), QStringLiteral("65001"),
                                 QStringLiteral("--target-dir"), dir->file(QStringLiteral("t")), QStringLiteral("--existing")};
        write("words");
        for (const char *policy : {"rename", "overwrite", "skip", "update"}) {
            removeTree(dir->file(QStringLiteral("t")));
            const Outcome outcome = batch(common + QStringList{QLatin1String(policy), dir->file(QStringLiteral("in"))});
            QCOMPARE(outcome.status, 0);
            QCOMPARE(outcome.lines().size(), 2);
            QCOMPARE(ownWords(outcome), two);
        }
        QFile::remove(dir->file(QStringLiteral("ordvnact.log")));
        const Outcome again = batch(common + QStringList{QStringLiteral("update"), dir->file(QStringLiteral("in"))});
        QCOMPARE(again.lines()[0][QStringLiteral("state")].toString(), QStringLiteral("Skipped"));
        QCOMPARE(again.lines()[1][QStringLiteral("state")].toString(), QStringLiteral("Skipped"));
        QVERIFY(logTexts(dir->file(QStringLiteral("ordvnact.log"))).contains(QStringLiteral("Conversion end. Successful: 0, Skipped: 2, Failed: 0, Total: 2")));
        write("changed");
        const Outcome changed = batch(common + QStringList{QStringLiteral("update"), dir->file(QStringLiteral("in"))});
        QCOMPARE(changed.lines()[0][QStringLiteral("state")].toString(), QStringLiteral("Converted"));
        QCOMPARE(ownWords(changed), two);
        QVERIFY(read(dir->file(QStringLiteral("t/report.txt"))).contains("changed"));
        QCOMPARE(QDir(dir->file(QStringLiteral("t"))).entryList(QDir::Files), two);

        const Outcome tree = batch({QStringLiteral("--keep-tree"), QStringLiteral("--recursive"), QStringLiteral("--target-dir"),
                                    dir->file(QStringLiteral("k")), dir->file(QStringLiteral("in"))});
        QCOMPARE(tree.status, 0);
        QVERIFY(read(dir->file(QStringLiteral("k/one/report.txt"))).size() > 0 && read(dir->file(QStringLiteral("k/two/report.txt"))).size() > 0);
        const Outcome listed = batch({QStringLiteral("--keep-tree"), QStringLiteral("--base"), dir->file(QStringLiteral("in")),
                                      QStringLiteral("--target-dir"), dir->file(QStringLiteral("l")), QStringLiteral("--files-from"), QStringLiteral("-")},
                                     dir->file(QStringLiteral("in/two/report.pdf")).toUtf8() + '\n');
        QCOMPARE(listed.status, 0);
        QVERIFY(QFileInfo::exists(dir->file(QStringLiteral("l/two/report.txt"))));
        QCOMPARE(batch({QStringLiteral("--keep-tree"), QStringLiteral("--same-dir"), dir->file(QStringLiteral("in"))}).status, 2);
    }

    // A job list built in the window: its Waiting entries are converted and recorded in it.
    void jobFileRoundTrip()
    {
        SettingsCore core;
        JobList list(core.setup());
        list.AddOneFile(pdf(QStringLiteral("j/one.pdf")));
        list.AddOneFile(pdf(QStringLiteral("j/two.pdf")));
        list.AddOneFile(dir->file(QStringLiteral("j/done.pdf")));
        list.setState(2, JobList::Converted);
        QVERIFY(JobFile::SaveJobFile(dir->file(QStringLiteral("list.job")), list.allEntries()));
        const Outcome outcome = batch({QStringLiteral("--job-file"), dir->file(QStringLiteral("list.job")), QStringLiteral("--same-dir")});
        QCOMPARE(outcome.status, 0);
        JobFile::Loaded loaded = JobFile::LoadJobFile(dir->file(QStringLiteral("list.job")));
        QCOMPARE(loaded.result, JobFile::LoadResult::Loaded);
        JobList after;
        after.replaceEntries(loaded.entries);
        QCOMPARE(after.count(), 3);
        for (int row : {0, 1}) {
            QCOMPARE(after.entry(row).state, qint32(JobList::Converted));
            QCOMPARE(after.text(row, JobList::Message), QStringLiteral("Convert successfully"));
        }
        QCOMPARE(after.text(2, JobList::Message), QString());
    }

    // SIGINT in the middle of a long file: the program ends at once, with no helper working
    // and no temporary or half target left.
    void interruptLeavesNothingBehind()
    {
        std::vector<testpdf::Page> pages(4000, testpdf::linesPage(std::vector<std::string>(45, "A line of text on a long page of a long book")));
        const QString book = pdf(QStringLiteral("b/book.pdf"), pages);
        QProcess process;
        process.start(dir->file(QStringLiteral("ordvane-batch")), {QStringLiteral("--json"), QStringLiteral("--same-dir"), book});
        QVERIFY(process.waitForStarted());
        QTest::qWait(400);
        const pid_t pid = pid_t(process.processId());
        QVERIFY2(pid > 0, "the conversion ended before it could be interrupted"); // kill(0) would hit the tests
        kill(pid, SIGINT);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 128 + SIGINT);
        QCOMPARE(QDir(dir->file(QStringLiteral("b"))).entryList(QDir::Files | QDir::Hidden), QStringList{"book.pdf"});
        QTest::qWait(300);
        QProcess pgrep;
        pgrep.start(QStringLiteral("pgrep"), {QStringLiteral("-f"), dir->file(QStringLiteral("tsypdf-worker"))});
        pgrep.waitForFinished();
        QCOMPARE(pgrep.readAllStandardOutput(), QByteArray());

        // SIGKILL leaves the temporary text behind; the next batch that writes there removes
        // it, and nothing of a process that still runs.
        process.start(dir->file(QStringLiteral("ordvane-batch")), {QStringLiteral("--same-dir"), book});
        QVERIFY(process.waitForStarted());
        const auto hidden = [&] { return QDir(dir->file(QStringLiteral("b"))).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".part")); };
        QTRY_VERIFY_WITH_TIMEOUT(!hidden().isEmpty(), 20000);
        QVERIFY(process.processId() > 0);
        kill(pid_t(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished(10000));
        QVERIFY(!hidden().isEmpty());
        QByteArray ours;
        const int fd = FileSystem::createTemporary(FileSystem::encodePath(dir->file(QStringLiteral("b/"))), ours);
        QVERIFY(fd >= 0);
        close(fd);
        QCOMPARE(batch({QStringLiteral("--same-dir"), pdf(QStringLiteral("b/small.pdf"))}).status, 0);
        QCOMPARE(hidden(), QStringList{FileSystem::decodePath(ours.mid(ours.lastIndexOf('/') + 1))});
    }

    // Files come as programs write them: each is taken once it is closed or moved in whole and
    // has settled, with the options of a run; what is current is left alone.
    void watchTakesWholeFiles()
    {
        const auto in = [&](const QString &name) { return dir->file(QStringLiteral("in/") + name); };
        const auto out = [&](const QString &name) { return dir->file(QStringLiteral("out/") + name); };
        const QStringList options = {QStringLiteral("--recursive"), QStringLiteral("--keep-tree"), QStringLiteral("--json"), QStringLiteral("--target-dir"),
                                     dir->file(QStringLiteral("out")), dir->file(QStringLiteral("in"))};
        pdf(QStringLiteral("in/current.pdf"));
        QCOMPARE(batch(QStringList{QStringLiteral("--existing"), QStringLiteral("update")} + options).status, 0);
        pdf(QStringLiteral("in/old.pdf"));
        const auto watcher = watch(options);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out(QStringLiteral("old.txt"))), 60000);

        pdf(QStringLiteral("in/written.pdf"), {testpdf::linesPage({"written words"})});
        pdf(QStringLiteral("in/gone.pdf"));
        QVERIFY(QFile::remove(in(QStringLiteral("gone.pdf")))); // long before it settles
        const QString odd = QStringLiteral("odd\nname \u00e9.pdf");
        QVERIFY(QFile::rename(pdf(QStringLiteral("stage/moved.pdf")), in(odd)));
        pdf(QStringLiteral("in/new/deep/below.pdf"));
        pdf(QStringLiteral("stage/tree/inside.pdf"));
        QVERIFY(QFile::rename(dir->file(QStringLiteral("stage/tree")), in(QStringLiteral("tree"))));
        const QString notUtf8 = FileSystem::decodePath("not \xff UTF-8.pdf");
        pdf(QStringLiteral("in/") + notUtf8);
        QTRY_VERIFY_WITH_TIMEOUT(textOf(out(QStringLiteral("written.txt"))).contains(QStringLiteral("written words")), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out(QStringLiteral("tree/inside.txt"))), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(FileSystem::exists(out(FileSystem::decodePath("not \xff UTF-8.txt"))), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out(QStringLiteral("odd\nname \u00e9.txt"))), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out(QStringLiteral("new/deep/below.txt"))), 60000);

        // Written over several seconds: not taken before it is closed.
        const std::string bytes = testpdf::makePdf({testpdf::linesPage({"slowly written"})});
        const int fd = ::open(FileSystem::encodePath(in(QStringLiteral("slow.pdf"))).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, bytes.data(), bytes.size() / 2), ssize_t(bytes.size() / 2));
        QTest::qWait(3000);
        QVERIFY(!QFileInfo::exists(out(QStringLiteral("slow.txt"))));
        QCOMPARE(::write(fd, bytes.data() + bytes.size() / 2, bytes.size() - bytes.size() / 2), ssize_t(bytes.size() - bytes.size() / 2));
        QCOMPARE(::close(fd), 0);
        QTRY_VERIFY_WITH_TIMEOUT(textOf(out(QStringLiteral("slow.txt"))).contains(QStringLiteral("slowly written")), 60000);

        // Replaced by another: its text follows.
        const QString replacing = pdf(QStringLiteral("stage/replacing.pdf"), {testpdf::linesPage({"replacing words"})});
        QCOMPARE(::rename(FileSystem::encodePath(replacing).constData(), FileSystem::encodePath(in(QStringLiteral("written.pdf"))).constData()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(textOf(out(QStringLiteral("written.txt"))).contains(QStringLiteral("replacing words")), 60000);

        QCOMPARE(watcher->end(), 128 + SIGTERM);
        const QMap<QString, QList<QJsonObject>> lines = watcher->bySource();
        QCOMPARE(lines.value(in(QStringLiteral("current.pdf"))).size(), 1);
        QCOMPARE(lines.value(in(QStringLiteral("current.pdf")))[0][QStringLiteral("state")].toString(), QStringLiteral("Skipped"));
        for (const QString &name : {QStringLiteral("old.pdf"), odd, QStringLiteral("new/deep/below.pdf"), QStringLiteral("tree/inside.pdf"), notUtf8,
                                    QStringLiteral("slow.pdf")}) {
            QCOMPARE(lines.value(in(name)).size(), 1);
            QCOMPARE(lines.value(in(name))[0][QStringLiteral("state")].toString(), QStringLiteral("Converted"));
        }
        QCOMPARE(lines.value(in(QStringLiteral("written.pdf"))).size(), 2);
        QCOMPARE(lines.size(), 8); // the removed file among none
        QVERIFY(!QFileInfo::exists(out(QStringLiteral("gone.txt"))));
    }

    // A burst of files is converted whole, each once, and so are those whose events the kernel
    // could not keep; a signal in the middle of a file ends the watch as it ends a run, with
    // neither half a text nor a helper left.
    void watchBurstThenSignal()
    {
        const QString in = dir->file(QStringLiteral("in")), out = dir->file(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(in));
        const auto watcher = watch({QStringLiteral("--json"), QStringLiteral("--settle"), QStringLiteral("500"), QStringLiteral("--target-dir"), out, in});
        // Once the watch takes a file, it watches.
        pdf(QStringLiteral("in/first.pdf"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out + QStringLiteral("/first.txt")), 60000);
        constexpr int Burst = 2000;
        const std::string bytes = testpdf::makePdf({testpdf::linesPage({"one of many"})});
        for (int i = 0; i < Burst; ++i)
            QVERIFY(testpdf::writeFile(FileSystem::encodePath(in + QStringLiteral("/f%1.pdf").arg(i)).toStdString(), bytes));
        QTRY_VERIFY_WITH_TIMEOUT(QDir(out).entryList(QDir::Files).size() == Burst + 1, 600000);

        // More events than the kernel keeps while the watch is held: the folder is searched
        // again, and the file whose events were lost is found.
        QFile limit(QStringLiteral("/proc/sys/fs/inotify/max_queued_events"));
        QVERIFY(limit.open(QIODevice::ReadOnly));
        const int kept = limit.readAll().trimmed().toInt();
        QVERIFY(kept > 0);
        kill(pid_t(watcher->process.processId()), SIGSTOP);
        for (int i = 0; i <= kept; ++i) // two files by turns: the kernel merges an event only with the one before
            QVERIFY(testpdf::writeFile(FileSystem::encodePath(in + QStringLiteral("/turn%1.pdf").arg(i % 2)).toStdString(), bytes));
        pdf(QStringLiteral("in/lost.pdf"));
        kill(pid_t(watcher->process.processId()), SIGCONT);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out + QStringLiteral("/lost.txt")), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(QDir(out).entryList(QDir::Files).size() == Burst + 4, 60000);

        std::vector<testpdf::Page> pages(4000, testpdf::linesPage(std::vector<std::string>(45, "A line of text on a long page of a long book")));
        QVERIFY(QFile::rename(pdf(QStringLiteral("stage/book.pdf"), pages), in + QStringLiteral("/book.pdf")));
        const auto parts = [&] { return QDir(out).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".part")); };
        QTRY_VERIFY_WITH_TIMEOUT(!parts().isEmpty(), 60000);
        QCOMPARE(watcher->end(), 128 + SIGTERM);
        QVERIFY(parts().isEmpty());
        QVERIFY(!QFileInfo::exists(out + QStringLiteral("/book.txt")));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), Burst + 4);
        QTest::qWait(300);
        QCOMPARE(helpersLeft(), QByteArray());
        const QMap<QString, QList<QJsonObject>> lines = watcher->bySource();
        QCOMPARE(lines.size(), Burst + 4);
        for (const QList<QJsonObject> &ofOne : lines) {
            QCOMPARE(ofOne.size(), 1);
            QCOMPARE(ofOne[0][QStringLiteral("state")].toString(), QStringLiteral("Converted"));
        }
    }

    // A watched folder that goes is told once, and watched again once it is back; a file that
    // came without an event (a second name) is found by the searches again, which convert
    // nothing twice; what the watch cannot take is refused with a word.
    void watchedFolderGoesAndComesBack()
    {
        const QString in = dir->file(QStringLiteral("in")), out = dir->file(QStringLiteral("out"));
        const QString file = pdf(QStringLiteral("a file.pdf"));
        for (const QStringList &wrong : {QStringList{QStringLiteral("--watch"), file}, {QStringLiteral("--settle"), QStringLiteral("5"), dir->path()},
                                         {QStringLiteral("--watch"), QStringLiteral("--rescan"), QStringLiteral("-1"), dir->path()},
                                         {QStringLiteral("--watch"), dir->file(QStringLiteral("missing"))}}) {
            const Outcome outcome = batch(wrong);
            QCOMPARE(outcome.status, 2);
            QVERIFY(outcome.err.startsWith("ordvane-batch: "));
        }

        QVERIFY(QDir().mkpath(in));
        const auto watcher = watch({QStringLiteral("--json"), QStringLiteral("--rescan"), QStringLiteral("1"), QStringLiteral("--target-dir"), out, in});
        pdf(QStringLiteral("in/before.pdf"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out + QStringLiteral("/before.txt")), 60000);
        const auto logged = [&](const QString &start) {
            return logTexts(dir->file(QStringLiteral("ordvnact.log"))).filter(QRegularExpression(u'^' + start)).size();
        };
        removeTree(in);
        QTRY_COMPARE_WITH_TIMEOUT(logged(QStringLiteral("Watched folder gone")), 1, 60000);
        QTest::qWait(5000); // the folder is looked for, again and again
        pdf(QStringLiteral("in/after.pdf"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out + QStringLiteral("/after.txt")), 60000);
        QCOMPARE(::link(FileSystem::encodePath(pdf(QStringLiteral("linked.pdf"))).constData(), FileSystem::encodePath(in + QStringLiteral("/linked.pdf")).constData()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out + QStringLiteral("/linked.txt")), 60000);
        // Found by the searches while its writer holds it open and pauses: taken once closed.
        const std::string bytes = testpdf::makePdf({testpdf::linesPage({"held open"})});
        const int fd = ::open(FileSystem::encodePath(in + QStringLiteral("/held.pdf")).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, bytes.data(), bytes.size() / 2), ssize_t(bytes.size() / 2));
        QTest::qWait(4000); // searched, and settled, again and again
        QCOMPARE(::write(fd, bytes.data() + bytes.size() / 2, bytes.size() - bytes.size() / 2), ssize_t(bytes.size() - bytes.size() / 2));
        QCOMPARE(::close(fd), 0);
        QTRY_VERIFY_WITH_TIMEOUT(textOf(out + QStringLiteral("/held.txt")).contains(QStringLiteral("held open")), 60000);
        QTest::qWait(3000); // searched again, and again
        QCOMPARE(watcher->end(SIGHUP), 128 + SIGHUP);
        const QMap<QString, QList<QJsonObject>> lines = watcher->bySource();
        QCOMPARE(lines.keys(), (QStringList{in + QStringLiteral("/after.pdf"), in + QStringLiteral("/before.pdf"), in + QStringLiteral("/held.pdf"),
                                            in + QStringLiteral("/linked.pdf")}));
        for (const QList<QJsonObject> &ofOne : lines)
            QCOMPARE(ofOne.size(), 1);
        QCOMPARE(logged(QStringLiteral("Watched folder gone")), 1);
        QCOMPARE(logged(QStringLiteral("Watched folder back")), 1);
        QCOMPARE(watcher->err.count(in.toUtf8()), 2);
    }
};

QTEST_GUILESS_MAIN(TestBatch)
#include "tst_batch.moc"
