// The binding to the converter library, against a test library that answers with chosen
// result codes and bytes: result mapping, callback handling, arguments, and load failures.
#include "base/SecretMemory.h"
#include "conversion/MyPdfCvt.h"
#include "tests/support/TestProgramDirectory.h"

#include <algorithm>
#include <dlfcn.h>
#include <stdexcept>

namespace {

const QString TestBin = QStringLiteral(ORDVANE_TEST_BIN_DIR);

}

class TestConverterBinding : public QObject {
    Q_OBJECT

    QScopedPointer<TestProgramDirectory> dir;

    static int convert(const QString &commands, QByteArray &buffer, int codePage = 65001, int textOrder = 0,
                       bool pageBreak = false)
    {
        return MyPdfCvt::ConvertPdfFile(commands, buffer, codePage, textOrder, pageBreak);
    }

    static void install(const TestProgramDirectory &into, const QString &library, const QString &worker)
    {
        if (!library.isEmpty())
            QVERIFY(QFile::link(TestBin + library, into.file(QStringLiteral("tsypdf.so"))));
        if (!worker.isEmpty())
            QVERIFY(QFile::link(TestBin + worker, into.file(QStringLiteral("tsypdf-worker"))));
    }

private slots:
    void initTestCase()
    {
        dir.reset(new TestProgramDirectory(TestProgramDirectory::WithoutConverter));
        install(*dir, QStringLiteral("fake_converter.so"), QStringLiteral("fake_worker"));
        QVERIFY(MyPdfCvt::LoadConverterLibrary(dir->path()));
    }

    void cleanupTestCase()
    {
        MyPdfCvt::UnloadConverterLibrary();
    }

    // Passwords are tried on a file that needs one: the one that opened a file last first,
    // then those that opened files before, then the rest in order.
    void passwordsThatOpenedFilesComeFirst()
    {
        QList<QByteArray> passwords;
        for (int i = 1; i <= 50; ++i)
            passwords << "p" + QByteArray::number(i);
        MyPdfCvt::SetPasswords(passwords);
        void *library = dlopen(QFile::encodeName(dir->file(QStringLiteral("tsypdf.so"))).constData(), RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(library);
        const auto calls = reinterpret_cast<int32_t (*)()>(dlsym(library, "fakeConverterCalls"));
        dlclose(library); // still loaded by the binding
        QVERIFY(calls);
        const auto tries = [&](const char *password) {
            const int before = calls();
            const int result = MyPdfCvt::ExtractText(QStringLiteral("password=") + QLatin1String(password), 0, false, 0, {},
                                                     [](QByteArrayView) {}, {});
            return result == 0 ? calls() - before : -1;
        };
        QCOMPARE(tries("p50"), 51); // once without, then each in order
        QCOMPARE(tries("p50"), 2);  // the one that opened the last file first
        QCOMPARE(tries("p10"), 12); // p50, then p1 to p10
        QCOMPARE(tries("p50"), 3);  // p10, then p50
        QCOMPARE(tries("p60"), -1);
        MyPdfCvt::SetPasswords({});
        QCOMPARE(tries("p50"), -1);
    }

    // A secret never lies inside a string object, wherever that is (the stack, a thread's
    // storage), also after a swap or a move; clearing it overwrites its whole buffer.
    void secretsStayInTheirArena()
    {
        const auto outside = [](const SecretString &secret) {
            const auto *object = reinterpret_cast<const char *>(&secret);
            return secret.data() < object || secret.data() >= object + sizeof secret;
        };
        SecretString a("short", 5), b;
        QVERIFY(outside(a) && outside(b));
        a.swap(b);
        QVERIFY(outside(a) && outside(b));
        SecretString c(std::move(b));
        QVERIFY(outside(b) && outside(c));
        QCOMPARE(std::string_view(c), std::string_view("short"));
        c.assign("a longer secret than the last", 29);
        const char *buffer = c.data();
        const size_t capacity = c.capacity();
        c.assign("x", 1);
        c.clear();
        QVERIFY(std::all_of(buffer, buffer + capacity, [](char byte) { return byte == 0; }));
    }

    void resultMapping_data()
    {
        QTest::addColumn<int>("libraryResult");
        QTest::addColumn<int>("result");
        QTest::newRow("success") << 0 << 6;
        QTest::newRow("cannot open") << -1 << -4;
        QTest::newRow("not permitted") << -3 << -11;
        QTest::newRow("other failure") << -2 << -5;
        QTest::newRow("unknown positive") << 7 << -5;
    }

    void resultMapping()
    {
        QFETCH(int, libraryResult);
        QFETCH(int, result);
        QByteArray buffer("before");
        QCOMPARE(convert(QStringLiteral("result=%1;hex=616263").arg(libraryResult), buffer), result);
        if (result >= 0)
            QCOMPARE(buffer.left(result), QByteArray("\xEF\xBB\xBF" "abc"));
        else
            QCOMPARE(buffer, QByteArray("before")); // a failure writes nothing
    }

    void emptyTextLeavesTheBufferAlone()
    {
        QByteArray buffer("before");
        QCOMPARE(convert(QStringLiteral("result=0"), buffer), 0);
        QCOMPARE(buffer, QByteArray("before"));
    }

    void callbackCountsOfZeroOrLessAreIgnored()
    {
        QByteArray buffer;
        QCOMPARE(convert(QStringLiteral("badcounts;hex=7a"), buffer, 1252), 1);
        QCOMPARE(buffer.left(1), QByteArray("z"));
    }

    void manySmallCallbacksArriveWhole()
    {
        QByteArray buffer;
        QCOMPARE(convert(QStringLiteral("hex=c3a9;repeat=500000"), buffer, 1252), 500000);
        QCOMPARE(buffer.left(500000), QByteArray(500000, '\xE9'));
        // The text of one file never leaks into the next.
        QCOMPARE(convert(QStringLiteral("hex=41"), buffer, 1252), 1);
        QCOMPARE(buffer.left(1), QByteArray("A"));
    }

    // A receiver that throws hears nothing more of its call; its exception reaches the caller.
    void receiverThatThrows()
    {
        int pieces = 0;
        const auto failing = [&](QByteArrayView) {
            ++pieces;
            throw std::runtime_error("disk full");
        };
        try {
            MyPdfCvt::ExtractText(QStringLiteral("hex=41;repeat=3"), 0, false, 0, {}, failing, {});
            QFAIL("the receiver's exception did not reach the caller");
        } catch (const std::runtime_error &error) {
            QCOMPARE(error.what(), "disk full");
        }
        QCOMPARE(pieces, 1);
        QByteArray buffer;
        QCOMPARE(convert(QStringLiteral("hex=41"), buffer, 1252), 1);
    }

    void argumentsFollowTheSettings_data()
    {
        QTest::addColumn<int>("textOrder");
        QTest::addColumn<bool>("pageBreak");
        QTest::addColumn<QByteArray>("arguments");
        QTest::newRow("reading order, breaks") << 0 << true << QByteArray("1 0 0 0 0 2 [] []");
        QTest::newRow("reading order, none") << 0 << false << QByteArray("1 0 0 1 0 2 [] []");
        QTest::newRow("layout") << 1 << true << QByteArray("1 0 1 0 0 2 [] []");
        QTest::newRow("raw") << 2 << false << QByteArray("1 0 0 1 1 2 [] []");
        QTest::newRow("out of range") << 5 << true << QByteArray("1 0 0 0 0 2 [] []");
    }

    void argumentsFollowTheSettings()
    {
        QFETCH(int, textOrder);
        QFETCH(bool, pageBreak);
        QFETCH(QByteArray, arguments);
        QByteArray buffer;
        const int length = convert(QStringLiteral("args"), buffer, 1252, textOrder, pageBreak);
        QCOMPARE(buffer.left(length), arguments);
    }

    void missingLibraryGivesMinusOne()
    {
        TestProgramDirectory empty(TestProgramDirectory::WithoutConverter);
        QVERIFY(!MyPdfCvt::LoadConverterLibrary(empty.path()));
        QByteArray buffer("before");
        QCOMPARE(MyPdfCvt::ConvertPdfFile(QStringLiteral("/x.pdf"), buffer, 0, 0, false), -1);
        QCOMPARE(buffer, QByteArray("before"));

        TestProgramDirectory noEntry(TestProgramDirectory::WithoutConverter);
        install(noEntry, QStringLiteral("no_entry_library.so"), QStringLiteral("fake_worker"));
        QVERIFY(!MyPdfCvt::LoadConverterLibrary(noEntry.path()));
        QVERIFY(!MyPdfCvt::ConverterAvailable());

        // The library without its helper could convert nothing: it counts as missing.
        TestProgramDirectory noHelper(TestProgramDirectory::WithoutConverter);
        install(noHelper, QStringLiteral("fake_converter.so"), QString());
        QVERIFY(!MyPdfCvt::LoadConverterLibrary(noHelper.path()));

        QVERIFY(MyPdfCvt::LoadConverterLibrary(dir->path()));
    }
};

QTEST_GUILESS_MAIN(TestConverterBinding)
#include "tst_converter_binding.moc"
