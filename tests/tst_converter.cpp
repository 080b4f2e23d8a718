// The converter library on PDFs the tests make: text in the three orders with and without
// page breaks (checked against poppler's own command-line tool where it is installed), the
// result codes of bad input, and the guards around its helper process.
#include "conversion/MyPdfCvt.h"
#include "platform/FileSystem.h"
#include "tests/support/HelperProcesses.h"
#include "tests/support/PageText.h"
#include "tests/support/PdfMaker.h"
#include "tests/support/SanitizedHelpers.h"
#include "tests/support/TestProgramDirectory.h"
#include "tsypdf/tsypdf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QSet>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtConcurrent/QtConcurrentRun>
#include <dlfcn.h>
#include <memory>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

const std::vector<std::string> Left = {"Left column line one", "left column line two", "left column line three"};
const std::vector<std::string> Right = {"Right column line one", "right column line two", "right column line three"};

std::vector<testpdf::Page> threePages()
{
    return {testpdf::linesPage({"First page of the report", "Second line"}),
            testpdf::linesPage({"Caf\xC3\xA9 M\xC3\xBCller costs 5 \xE2\x82\xAC", "na\xC3\xAFve fa\xC3\xA7" "ade"}),
            testpdf::linesPage({"\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC \xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9",
                                "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xE4\xB8\xAD\xE6\x96\x87"})};
}

QString writePdf(const TestProgramDirectory &dir, const QString &name, const std::vector<testpdf::Page> &pages,
                 const testpdf::Options &options = {})
{
    const QString path = dir.file(name);
    if (!testpdf::writeFile(FileSystem::encodePath(path).toStdString(), testpdf::makePdf(pages, options)))
        return {};
    return path;
}

// The UTF-8 text of a file, as the library delivers it.
QByteArray extract(const QString &path, int textOrder, bool pageBreak, int *result = nullptr)
{
    QByteArray buffer;
    const int r = MyPdfCvt::ConvertPdfFile(path, buffer, 65001, textOrder, pageBreak);
    if (result)
        *result = r;
    return r >= 3 ? buffer.mid(3, r - 3) : QByteArray();
}

using Entry = decltype(&fnOrdvane);
using SetLimits = decltype(&tsypdfSetLimits);

thread_local QByteArray received;
void collect(const char *bytes, int32_t count)
{
    received.append(bytes, count);
}

void throwAtOnce(const char *, int32_t)
{
    throw std::runtime_error("disk full");
}

// The helpers of this process, running or not yet reaped.
QSet<pid_t> helpers()
{
    const QList<pid_t> ids = helperProcesses().keys();
    return QSet<pid_t>(ids.begin(), ids.end());
}

// The open descriptors of a process, each with what it refers to.
QMap<int, QByteArray> descriptors(const QString &pid)
{
    QMap<int, QByteArray> open;
    const QString folder = QStringLiteral("/proc/%1/fd/").arg(pid);
    for (const QString &fd : QDir(folder).entryList(QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const ssize_t n = readlink(FileSystem::encodePath(folder + fd).constData(), target, sizeof target);
        if (n > 0)
            open.insert(fd.toInt(), QByteArray(target, n));
    }
    return open;
}

QList<QByteArray> openSockets()
{
    QList<QByteArray> sockets;
    for (const QByteArray &target : descriptors(QStringLiteral("self")))
        if (target.startsWith("socket:"))
            sockets << target;
    return sockets;
}

// A program directory with a copy of the real library: loaded, it has no helper yet.
struct LibraryCopy {
    TestProgramDirectory directory{TestProgramDirectory::WithoutConverter};
    QString library = directory.file(QStringLiteral("tsypdf.so"));

    void *handle = nullptr;

    LibraryCopy()
    {
        QVERIFY(QFile::copy(QStringLiteral(ORDVANE_BIN_DIR "tsypdf.so"), library));
        QVERIFY(QFile::link(QStringLiteral(ORDVANE_BIN_DIR "tsypdf-worker"), directory.file(QStringLiteral("tsypdf-worker"))));
    }
    ~LibraryCopy()
    {
        if (handle)
            dlclose(handle);
    }

    // The copy's fnOrdvane, loaded as the program loads the library; null when it is not there.
    Entry load()
    {
        handle = dlopen(FileSystem::encodePath(library).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return nullptr;
        liftAddressSpaceCapWhenSanitized(handle);
        return reinterpret_cast<Entry>(dlsym(handle, "fnOrdvane"));
    }
};

}

class TestConverter : public QObject {
    Q_OBJECT

    QScopedPointer<TestProgramDirectory> dir;

private slots:
    void initTestCase()
    {
        dir.reset(new TestProgramDirectory);
        QVERIFY(MyPdfCvt::LoadConverterLibrary(dir->path()));
    }

    void cleanupTestCase()
    {
        MyPdfCvt::UnloadConverterLibrary();
    }

    void textOrdersAndPageBreaks()
    {
        const QString multi = writePdf(*dir, QStringLiteral("multi.pdf"), threePages());
        const QString columns = writePdf(*dir, QStringLiteral("columns.pdf"),
                                         {testpdf::twoColumnPage(Left, Right), testpdf::linesPage({"after"})});

        const QByteArray reading = extract(columns, 0, true);
        QVERIFY(reading.startsWith("Left column line one\nleft column line two\nleft column line three\n\n"
                                   "Right column line one\n"));
        QCOMPARE(reading.count('\f'), 2);
        QVERIFY(reading.endsWith("after\n\n\f"));
        const QByteArray layout = extract(columns, 1, true);
        QVERIFY(QRegularExpression(QStringLiteral("^Left column line one +Right column line one\n"))
                    .match(QString::fromUtf8(layout)).hasMatch());
        QVERIFY(extract(columns, 2, true).startsWith("Left column line one Right column line one\n"));
        const QByteArray unbroken = extract(columns, 0, false);
        QCOMPARE(unbroken.count('\f'), 0);
        QCOMPARE(unbroken, QByteArray(reading).replace('\f', ""));

        const QByteArray text = extract(multi, 0, true);
        QVERIFY(text.contains("Caf\xC3\xA9 M\xC3\xBCller costs 5 \xE2\x82\xAC"));
        QVERIFY(text.contains("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xE4\xB8\xAD\xE6\x96\x87"));
        QCOMPARE(text.count('\f'), 3);
    }

    void sameTextAsPopplersOwnTool()
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            QSKIP("pdftotext is not installed");
        const QString multi = writePdf(*dir, QStringLiteral("multi.pdf"), threePages());
        const QString columns = writePdf(*dir, QStringLiteral("columns.pdf"), {testpdf::twoColumnPage(Left, Right)});
        const QList<QPair<int, QString>> modes = {{0, QString()}, {1, QStringLiteral("-layout")}, {2, QStringLiteral("-raw")}};
        for (const QString &file : {multi, columns}) {
            for (const auto &[order, flag] : modes) {
                for (bool breaks : {true, false}) {
                    QStringList arguments;
                    if (!flag.isEmpty())
                        arguments << flag;
                    if (!breaks)
                        arguments << QStringLiteral("-nopgbrk");
                    QProcess process;
                    process.start(tool, arguments << file << QStringLiteral("-"));
                    QVERIFY(process.waitForFinished());
                    QCOMPARE(extract(file, order, breaks), process.readAllStandardOutput());
                }
            }
        }
    }

    // Real PDFs of many producers (fetched by scripts/fetch-real-pdfs) and the tests' own, whole
    // and in page ranges: the text of every page is poppler-cpp's, byte for byte.
    void sameTextAsPopplerCppPageByPage()
    {
        testpdf::Options unicode;
        unicode.fontMode = testpdf::FontMode::AlwaysUnicode;
        testpdf::Options inlineFont;
        inlineFont.inlineHelvetica = true;
        QStringList files = {
            writePdf(*dir, QStringLiteral("multi.pdf"), threePages()),
            writePdf(*dir, QStringLiteral("columns.pdf"), {testpdf::twoColumnPage(Left, Right), testpdf::scannedPage(),
                                                           testpdf::linesPage({"after"})}),
            writePdf(*dir, QStringLiteral("unicode.pdf"), threePages(), unicode),
            writePdf(*dir, QStringLiteral("inline.pdf"), threePages(), inlineFont),
        };
        const QDir real(QStringLiteral(ORDVANE_REAL_PDFS_DIR));
        const QStringList realFiles = real.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        // CI always fetches them; elsewhere the tests' own files are compared all the same.
        if (realFiles.isEmpty() && qEnvironmentVariableIsSet("CI"))
            QFAIL("no real PDFs: run scripts/fetch-real-pdfs");
        for (const QString &name : realFiles)
            files << real.filePath(name);

        for (const QString &file : files) {
            const int pages = MyPdfCvt::PageCount(file, 0);
            QVERIFY2(pages > 0, qPrintable(file));
            for (int order : {0, 1, 2}) {
                for (bool breaks : {true, false}) {
                    const QByteArray expected = popplerCppText(file, order, breaks);
                    const QString what = QStringLiteral("%1, order %2, page breaks %3").arg(file).arg(order).arg(breaks);
                    QVERIFY2(extractPages(file, order, breaks, {}) == expected, qPrintable(what));
                    const int third = std::max(1, pages / 3);
                    const QByteArray joined = extractPages(file, order, breaks, {0, third})
                        + extractPages(file, order, breaks, {third, third}) + extractPages(file, order, breaks, {2 * third, 0});
                    QVERIFY2(pages < 3 || joined == expected, qPrintable(what + QStringLiteral(", in ranges")));
                }
            }
        }
        if (realFiles.isEmpty())
            QSKIP("the tests' own PDFs compared; no real PDFs to compare (scripts/fetch-real-pdfs fetches them)");
    }

    void resultCodesOfBadInput()
    {
        const QString good = writePdf(*dir, QStringLiteral("good.pdf"), threePages());
        QByteArray bytes;
        bytes = FileSystem::readFile(good).value_or(QByteArray());
        dir->write(QStringLiteral("empty.pdf"), QByteArray());
        dir->write(QStringLiteral("text.pdf"), "This is not a PDF at all.\n");
        dir->write(QStringLiteral("truncated.pdf"), bytes.left(120));
        QDir(dir->path()).mkdir(QStringLiteral("folder.pdf"));
        testpdf::Options locked;
        locked.userPassword = "secret";
        locked.ownerPassword = "owner";
        testpdf::Options noCopy;
        noCopy.ownerPassword = "owner";
        noCopy.allowCopy = false;
        const QString lockedFile = writePdf(*dir, QStringLiteral("locked.pdf"), threePages(), locked);
        const QString noCopyFile = writePdf(*dir, QStringLiteral("nocopy.pdf"), threePages(), noCopy);
        const QString scanned = writePdf(*dir, QStringLiteral("scanned.pdf"), {testpdf::scannedPage(), testpdf::scannedPage()});
        // One real page under a page count that lies: no page is read, and that is no success.
        QByteArray lying;
        lying = FileSystem::readFile(writePdf(*dir, QStringLiteral("one.pdf"), {testpdf::linesPage({"The only page"})})).value_or(QByteArray());
        dir->write(QStringLiteral("lying.pdf"), lying.replace("/Count 1", "/Count 1000000000"));

        // Poppler's diagnostics must not reach the terminal: watch our standard error.
        QTemporaryFile captured;
        QVERIFY(captured.open());
        const int savedStderr = dup(2);
        dup2(captured.handle(), 2);

        int result = 0;
        QByteArray buffer;
        const auto code = [&](const QString &name) { return MyPdfCvt::ConvertPdfFile(name, buffer, 65001, 0, true); };
        QCOMPARE(code(dir->file(QStringLiteral("missing.pdf"))), -4);
        QCOMPARE(code(dir->file(QStringLiteral("folder.pdf"))), -4);
        QCOMPARE(code(QString()), -4);
        QCOMPARE(code(dir->file(QStringLiteral("empty.pdf"))), -5);
        QCOMPARE(code(dir->file(QStringLiteral("text.pdf"))), -5);
        QCOMPARE(code(dir->file(QStringLiteral("truncated.pdf"))), -5);
        QCOMPARE(code(lockedFile), -4); // ConvertPdfFile as ever: it cannot be opened
        QCOMPARE(code(noCopyFile), -11);
        // The run's own calls tell a file that needs a password apart; the library does only
        // for a caller that asks.
        const auto noText = [](QByteArrayView) {};
        QCOMPARE(MyPdfCvt::ExtractText(lockedFile, 0, true, 0, {}, noText, {}), MyPdfCvt::ResultPasswordRequired);
        QCOMPARE(MyPdfCvt::PageCount(lockedFile, 0), MyPdfCvt::ResultPasswordRequired);
        void *library = dlopen(FileSystem::encodePath(dir->file(QStringLiteral("tsypdf.so"))).constData(), RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(library);
        const auto report = reinterpret_cast<decltype(&tsypdfReportPasswordRequired)>(dlsym(library, "tsypdfReportPasswordRequired"));
        report(0);
        QCOMPARE(MyPdfCvt::ExtractText(lockedFile, 0, true, 0, {}, noText, {}), MyPdfCvt::ResultOpenError);
        report(1);
        dlclose(library);
        QCOMPARE(code(dir->file(QStringLiteral("lying.pdf"))), -5);
        QCOMPARE(extract(scanned, 0, true, &result), QByteArray("\f\f"));
        QCOMPARE(result, 5);
        QCOMPARE(extract(good, 0, true, &result).count('\f'), 3);

        fflush(stderr);
        dup2(savedStderr, 2);
        close(savedStderr);
        QCOMPARE(captured.readAll(), QByteArray());
    }

    // Passwords given to the run are tried on a file that needs one and reach the helpers over
    // their socket alone: no helper has one in its arguments or its environment.
    void passwordsReachHelpersOverTheirSocketOnly()
    {
        testpdf::Options locked;
        locked.userPassword = "Kennwort-7xq";
        locked.ownerPassword = "Besitzer-7xq";
        const QString lockedFile = writePdf(*dir, QStringLiteral("locked-twice.pdf"), threePages(), locked);
        [[maybe_unused]] const auto lockedMemory = [] { // kB kept out of swap
            QFile status(QStringLiteral("/proc/self/status"));
            status.open(QIODevice::ReadOnly);
            const QByteArray text = status.readAll();
            const qsizetype at = text.indexOf("VmLck:");
            return at < 0 ? -1 : text.mid(at + 6, text.indexOf('\n', at) - at - 6).trimmed().split(' ').value(0).toLongLong();
        };
        [[maybe_unused]] const qint64 lockedBefore = lockedMemory();
        MyPdfCvt::SetPasswords({"wrong", "Kennwort-7xq"});
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__) // their mlock does nothing
        QVERIFY(lockedMemory() > lockedBefore);
#endif
        QByteArray text;
        QCOMPARE(MyPdfCvt::ExtractText(lockedFile, 0, true, 0, {}, [&](QByteArrayView part) { text += part; }, {}), 0);
        QCOMPARE(text.count('\f'), 3);
        QCOMPARE(MyPdfCvt::PageCount(lockedFile, 0), 3);
        MyPdfCvt::SetPasswords({});
        QCOMPARE(MyPdfCvt::PageCount(lockedFile, 0), MyPdfCvt::ResultPasswordRequired);

        const QMap<pid_t, QByteArray> helpers = helperProcesses();
        QVERIFY(!helpers.isEmpty());
        for (const pid_t pid : helpers.keys()) {
            for (const char *part : {"cmdline", "environ"}) {
                QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(part)));
                // Unreadable is sound too: a helper is no process another may look into.
                if (file.open(QIODevice::ReadOnly))
                    QVERIFY(!file.readAll().contains("7xq"));
            }
        }
        QFile own(QStringLiteral("/proc/self/environ"));
        QVERIFY(own.open(QIODevice::ReadOnly));
        QVERIFY(!own.readAll().contains("7xq"));
    }

    void oddFileNames()
    {
        // A name with blanks, quotes, a line break, non-ASCII and a byte that is not UTF-8.
        const QString odd = QStringLiteral("odd \"name\"\n 'x' \u00e9 ") + QChar(0xDCFF) + QStringLiteral(".pdf");
        const QString path = writePdf(*dir, odd, {testpdf::linesPage({"odd but fine"})});
        QVERIFY(FileSystem::isExistingFile(path));
        QVERIFY(FileSystem::encodePath(path).contains('\xFF'));
        QVERIFY(extract(path, 0, false).startsWith("odd but fine"));
    }

    void severalThreadsAtOnce()
    {
        QList<QString> files;
        for (int i = 0; i < 4; ++i)
            files << writePdf(*dir, QStringLiteral("t%1.pdf").arg(i),
                              {testpdf::linesPage({"thread file " + std::to_string(i)})});
        QList<QFuture<QByteArray>> runs;
        for (int round = 0; round < 3; ++round)
            for (const QString &file : files)
                runs << QtConcurrent::run([file] { return extract(file, 0, false); });
        for (int i = 0; i < runs.size(); ++i)
            QVERIFY(runs[i].result().startsWith("thread file " + QByteArray::number(i % 4)));
    }

    // What a callback throws does not unwind through the library: the call's helper ends at
    // once, nothing of it stays open, and the next call converts. Through the binding, the
    // caller gets its own exception back.
    void callbackThatThrows()
    {
        const QString file = writePdf(*dir, QStringLiteral("throws.pdf"), threePages());
        const std::u16string path = file.toStdU16String();
        auto copy = std::make_unique<LibraryCopy>();
        const Entry convert = copy->load();
        QVERIFY(convert);
        const auto call = [&](TsyWriteCallback write) {
            received.clear();
            return convert(path.c_str(), int32_t(path.size() * 2), write, 1, 0, 0, 0, 0, 2, "", "");
        };
        QSet<pid_t> before = helpers();
        QList<QByteArray> sockets = openSockets();
        QCOMPARE(call(throwAtOnce), -2);
        QCOMPARE(helpers(), before);
        QCOMPARE(openSockets(), sockets);
        QCOMPARE(call(collect), 0);
        QVERIFY(received.startsWith("First page of the report"));
        copy.reset(); // unloads it

        LibraryCopy bound;
        QVERIFY(MyPdfCvt::LoadConverterLibrary(bound.directory.path()));
        before = helpers();
        sockets = openSockets();
        try {
            MyPdfCvt::ExtractText(file, 0, true, 0, {}, [](QByteArrayView) { throw std::runtime_error("disk full"); }, {});
            QFAIL("the receiver's exception did not reach the caller");
        } catch (const std::runtime_error &error) {
            QCOMPARE(error.what(), "disk full");
        }
        QCOMPARE(helpers(), before);
        QCOMPARE(openSockets(), sockets);
        QVERIFY(extract(file, 0, true).startsWith("First page of the report"));
        QVERIFY(MyPdfCvt::LoadConverterLibrary(dir->path()));
    }

    // A descriptor the program holds without close-on-exec, as one inherited from its parent
    // would be, does not reach a helper: it has its standard streams and its channel only.
    void helperInheritsNoDescriptors()
    {
        const QString file = writePdf(*dir, QStringLiteral("inherit.pdf"), threePages());
        dir->write(QStringLiteral("inherited"), "x");
        const int inherited = open(FileSystem::encodePath(dir->file(QStringLiteral("inherited"))).constData(), O_RDONLY);
        QVERIFY(inherited > 3);
        auto copy = std::make_unique<LibraryCopy>();
        const Entry convert = copy->load();
        QVERIFY(convert);
        const QSet<pid_t> before = helpers();
        const std::u16string path = file.toStdU16String();
        QCOMPARE(convert(path.c_str(), int32_t(path.size() * 2), collect, 1, 0, 0, 0, 0, 2, "", ""), 0);
        const QSet<pid_t> started = helpers() - before;
        QCOMPARE(started.size(), 1);
        const QMap<int, QByteArray> open = descriptors(QString::number(*started.begin()));
        close(inherited);
        copy.reset(); // unloads it
        QCOMPARE(open.keys(), QList<int>({0, 1, 2, 3}));
        QVERIFY(open.value(3).startsWith("socket:"));
    }

    // The guards, with a misbehaving helper beside a copy of the real library.
    void helperThatCrashesStallsOrEatsMemory()
    {
        TestProgramDirectory guarded(TestProgramDirectory::WithoutConverter);
        QVERIFY(QFile::copy(QStringLiteral(ORDVANE_BIN_DIR "tsypdf.so"), guarded.file(QStringLiteral("tsypdf.so"))));
        QVERIFY(QFile::link(QStringLiteral(ORDVANE_TEST_BIN_DIR "fake_worker"), guarded.file(QStringLiteral("tsypdf-worker"))));
        void *library = dlopen(FileSystem::encodePath(guarded.file(QStringLiteral("tsypdf.so"))).constData(), RTLD_NOW | RTLD_LOCAL);
        QVERIFY(library);
        const auto convert = reinterpret_cast<Entry>(dlsym(library, "fnOrdvane"));
        const auto setLimits = reinterpret_cast<SetLimits>(dlsym(library, "tsypdfSetLimits"));
        QVERIFY(convert && setLimits);
        setLimits(1000, 256ull << 20); // a second: far more than the slow helper's 150 ms a page

        const auto call = [&](const std::u16string &path) {
            received.clear();
            return convert(path.c_str(), int32_t(path.size() * 2), collect, 1, 0, 0, 0, 0, 2, "", "");
        };
        QCOMPARE(call(u"ok"), 0);
        const QByteArray firstHelper = received;
        QCOMPARE(call(u"ok"), 0);
        QCOMPARE(received, firstHelper); // the helper is reused

        QCOMPARE(call(u"crash"), -2);
        QCOMPARE(call(u"ok"), 0);
        QVERIFY(received != firstHelper); // a fresh helper took the next file
        const QByteArray secondHelper = received;

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(call(u"stall"), -2);
        QVERIFY(timer.elapsed() < 10'000);
        QCOMPARE(call(u"hog"), -2);
        // Pages that keep coming are progress, however long the whole file takes.
        QCOMPARE(call(u"slow"), 0);
        QCOMPARE(received, QByteArray("page 1\fpage 2\fpage 3\fpage 4\fpage 5\f"));
        QCOMPARE(call(u"exits"), 0);
        QCOMPARE(call(u"ok"), 0);

        // A helper that died while idle is replaced without failing the file.
        const pid_t idle = received.mid(5).toInt();
        QVERIFY(idle > 0);
        kill(idle, SIGKILL);
        QTest::qWait(50);
        QCOMPARE(call(u"ok"), 0);
        QVERIFY(received != secondHelper);

        dlclose(library);
    }
};

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"
