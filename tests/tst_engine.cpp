// The run engine's figures under abandon: a file given up while its pages are counted or
// converted leaves the gauge at once, whatever its calls report after.
#include "conversion/ConversionEngine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <tuple>

namespace {

using namespace std::chrono_literals;

// Holds the calls it is told to at a gate until the test opens it; then a conversion reports
// its pages done, as the library does, and is counted as reported.
struct GatedConverter : ConversionEngine::Converter {
    std::mutex mutex;
    std::condition_variable changed;
    std::map<QString, int> pagesOf; // the others cannot tell their page count
    std::set<QString> closed;       // gates: "pages:" or "text:" and a source
    std::multiset<QString> held;
    int reported = 0;
    int calls = 0; // of extract

    void close(const QString &gate)
    {
        std::lock_guard lock(mutex);
        closed.insert(gate);
    }
    void open(const QString &gate)
    {
        std::lock_guard lock(mutex);
        closed.erase(gate);
        changed.notify_all();
    }
    void openAll()
    {
        std::lock_guard lock(mutex);
        closed.clear();
        changed.notify_all();
    }
    bool waitUntil(const std::function<bool()> &condition)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 60s, condition);
    }
    bool waitUntilHeld(const QString &gate, size_t calls)
    {
        return waitUntil([&] { return held.count(gate) == calls; });
    }
    void pass(const QString &gate)
    {
        std::unique_lock lock(mutex);
        const auto at = held.insert(gate);
        changed.notify_all();
        changed.wait(lock, [&] { return closed.count(gate) == 0; });
        held.erase(at);
    }

    int pageCount(const QString &source, quint64) override
    {
        pass(QStringLiteral("pages:") + source);
        const auto it = pagesOf.find(source);
        return it == pagesOf.end() ? -1 : it->second;
    }
    int extract(const QString &source, const ConversionEngine::Options &, quint64, MyPdfCvt::PageRange pages,
                const MyPdfCvt::TextReceiver &text, const MyPdfCvt::ProgressReceiver &progress) override
    {
        pass(QStringLiteral("text:") + source);
        {
            std::lock_guard lock(mutex);
            ++calls;
        }
        if (const auto it = pagesOf.find(source); it != pagesOf.end()) {
            const int count = pages.count > 0 ? pages.count : it->second - pages.first;
            progress(MyPdfCvt::PageProgress::of(count, count, 0, 0));
        }
        text("text");
        std::lock_guard lock(mutex);
        ++reported;
        changed.notify_all();
        return 0;
    }
    void abandon(quint64) override {}
};

// Reads the file itself for every range, as each helper opens it anew; the first range waits
// until the test lets it read.
struct RereadingConverter : ConversionEngine::Converter {
    std::mutex mutex;
    std::condition_variable changed;
    bool firstMayRead = false;
    int reads = 0;

    int pageCount(const QString &, quint64) override { return 2 * ConversionEngine::MinPiecePages; }
    int extract(const QString &source, const ConversionEngine::Options &, quint64, MyPdfCvt::PageRange pages,
                const MyPdfCvt::TextReceiver &text, const MyPdfCvt::ProgressReceiver &progress) override
    {
        std::unique_lock lock(mutex);
        if (pages.first == 0 && pages.count > 0)
            changed.wait(lock, [&] { return firstMayRead; });
        const int count = pages.count > 0 ? pages.count : 2 * ConversionEngine::MinPiecePages - pages.first;
        progress(MyPdfCvt::PageProgress::of(count, count, 0, 0));
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly))
            return MyPdfCvt::ResultOpenError;
        text(file.readAll());
        ++reads;
        changed.notify_all();
        return 0;
    }
    void abandon(quint64) override {}
};

// Opens every gate when a test ends, so that a failed check leaves no call held for the
// engine to wait for.
struct OpenAtEnd {
    GatedConverter &converter;
    ~OpenAtEnd() { converter.openAll(); }
};

ConversionEngine::Progress noProgress() { return {}; }

void waitAndTake(ConversionEngine &engine, ConversionEngine::Job job)
{
    while (!engine.waitFor(job, 100ms)) {
    }
    QCOMPARE(engine.take(job).result, 0);
}

}

char *toString(const ConversionEngine::Progress &p)
{
    return qstrdup(QStringLiteral("%1 of %2 pages, %3 in flight, %4 waiting")
                       .arg(p.pagesDone)
                       .arg(p.pagesExpected)
                       .arg(p.filesInFlight)
                       .arg(p.filesWaiting)
                       .toUtf8());
}

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    // Files not yet opened count as many pages for their size as those opened so far: a large
    // file after small ones is expected large from the start, and the estimate does not jump
    // when it is opened.
    void unopenedFilesAreEstimatedBySize()
    {
        QTemporaryDir folder;
        GatedConverter gated;
        QStringList sources;
        for (const auto &[name, bytes, pages] : {std::tuple("a", 1000, 1), std::tuple("b", 1000, 1), std::tuple("c", 1000, 1),
                                                 std::tuple("d", 1000, 1), std::tuple("big", 100000, 100)}) {
            sources << folder.filePath(QString::fromLatin1(name) + QStringLiteral(".pdf"));
            QFile file(sources.last());
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(bytes, 'x')) == bytes);
            gated.pagesOf[sources.last()] = pages;
        }
        gated.close(QStringLiteral("text:") + sources.last());
        ConversionEngine engine({}, 1, &gated);
        const OpenAtEnd openAtEnd{gated};
        std::vector<ConversionEngine::Job> jobs;
        for (const QString &source : sources)
            jobs.push_back(engine.submit(source, folder.path()));
        for (int i = 0; i < 4; ++i)
            waitAndTake(engine, jobs[size_t(i)]);
        QVERIFY(gated.waitUntilHeld(QStringLiteral("text:") + sources.last(), 1));
        QCOMPARE(engine.progress().pagesExpected, 104);
        gated.open(QStringLiteral("text:") + sources.last());
        waitAndTake(engine, jobs.back());
        QCOMPARE(engine.progress().pagesExpected, 104);
        QCOMPARE(engine.progress().pagesDone, 104);
    }

    // Abandoned while its page count was read: the count that arrives after is not the run's.
    void abandonedWhilePagesAreCounted()
    {
        const QString book = QStringLiteral("/in/book.pdf"), other = QStringLiteral("/in/other.pdf"),
                      last = QStringLiteral("/in/last.pdf");
        GatedConverter gated;
        gated.pagesOf[book] = 1000;
        gated.close(QStringLiteral("pages:") + book);
        gated.close(QStringLiteral("text:") + other);
        ConversionEngine engine({}, 2, &gated);
        const OpenAtEnd openAtEnd{gated};
        engine.setSplitThreshold(0); // every file is asked for its page count

        // One thread converts the other file, the second counts the book's pages.
        const ConversionEngine::Job otherJob = engine.submit(other, QDir::tempPath());
        QVERIFY(gated.waitUntilHeld(QStringLiteral("text:") + other, 1));
        const ConversionEngine::Job bookJob = engine.submit(book, QDir::tempPath());
        QVERIFY(gated.waitUntilHeld(QStringLiteral("pages:") + book, 1));
        QCOMPARE(engine.progress(), (ConversionEngine::Progress{0, 0, 2, 2}));

        engine.abandon(bookJob);
        QCOMPARE(engine.progress(), (ConversionEngine::Progress{0, 0, 1, 1}));
        gated.open(QStringLiteral("pages:") + book);
        // The last file can only go to the thread that counted the book's pages, once it is
        // done with them.
        waitAndTake(engine, engine.submit(last, QDir::tempPath()));
        QCOMPARE(engine.progress(), (ConversionEngine::Progress{0, 0, 1, 1}));

        gated.open(QStringLiteral("text:") + other);
        waitAndTake(engine, otherJob);
        QCOMPARE(engine.progress(), noProgress());
    }

    // Each range opens the document and makes its fonts again, so text is cut once per
    // thread; scans, slow and uneven, twice.
    void piecesPerThread()
    {
        QTemporaryDir dir;
        const QString text = dir.filePath(QStringLiteral("text.pdf")), scan = dir.filePath(QStringLiteral("scan.pdf"));
        for (const auto &[source, pages, pieces] : {std::tuple{text, 1000, 2}, std::tuple{scan, 8, 4}}) {
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(source == scan ? pages * ConversionEngine::ScanBytesPerPage : 1000));
            file.close();
            GatedConverter counting;
            counting.pagesOf[source] = pages;
            ConversionEngine::Options options;
            options.recognition = true;
            ConversionEngine engine(options, 2, &counting);
            engine.setSplitThreshold(0);
            waitAndTake(engine, engine.submit(source, dir.path()));
            QCOMPARE(counting.calls, pieces);
        }
    }

    // Abandoned while converted, whole or in pieces: the pages its calls report after are not
    // the run's, and neither is the page count a whole file's report brings.
    void abandonedWhileConverted()
    {
        for (const bool whole : {true, false}) {
            const QString source = QStringLiteral("/in/book.pdf");
            GatedConverter gated;
            gated.pagesOf[source] = 100;
            gated.close(QStringLiteral("text:") + source);
            ConversionEngine engine({}, 2, &gated);
            const OpenAtEnd openAtEnd{gated};
            if (!whole)
                engine.setSplitThreshold(0); // two pieces, both under way
            const ConversionEngine::Job job = engine.submit(source, QDir::tempPath());
            QVERIFY(gated.waitUntilHeld(QStringLiteral("text:") + source, whole ? 1 : 2));
            QCOMPARE(engine.progress(), (ConversionEngine::Progress{0, whole ? 0 : 100, 1, 1}));

            engine.abandon(job);
            gated.open(QStringLiteral("text:") + source);
            QVERIFY(gated.waitUntil([&] { return gated.reported == (whole ? 1 : 2); }));
            QCOMPARE(engine.progress(), noProgress());
        }
    }

    // A file replaced while its ranges are read is read again whole: its text is never spliced
    // from two files.
    void fileReplacedWhileItsRangesAreRead()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("doc.pdf"));
        const auto put = [&](const QByteArray &bytes) {
            QFile file(dir.filePath(QStringLiteral("next")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            QVERIFY(::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(source).constData()) == 0);
        };
        put("old ");
        RereadingConverter converter;
        ConversionEngine engine({}, 2, &converter);
        engine.setSplitThreshold(0);
        const ConversionEngine::Job job = engine.submit(source, dir.path());
        {
            std::unique_lock lock(converter.mutex);
            QVERIFY(converter.changed.wait_for(lock, 60s, [&] { return converter.reads == 1; })); // the second range
        }
        put("new ");
        {
            std::lock_guard lock(converter.mutex);
            converter.firstMayRead = true;
            converter.changed.notify_all();
        }
        while (!engine.waitFor(job, 100ms)) {
        }
        QCOMPARE(engine.progress().pagesDone, qint64(2 * ConversionEngine::MinPiecePages)); // each page once
        ConversionEngine::Result result = engine.take(job);
        QCOMPARE(result.result, 0);
        const QString text = dir.filePath(QStringLiteral("doc.txt"));
        QCOMPARE(result.text->commit(text, false), Failure::None);
        QFile written(text);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("new "));
    }

    // A file rewritten in place while one helper reads it, the same size and with its time of
    // change set back: read again once; rewritten again meanwhile, it fails, never giving text
    // of two versions. Either way its figures are those of the version read last.
    void fileRewrittenInPlaceWhileItIsRead()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("doc.pdf"));
        const auto rewrite = [&](const QByteArray &bytes) {
            struct stat before{};
            stat(QFile::encodeName(source).constData(), &before);
            QFile file(source);
            if (!file.open(QIODevice::ReadWrite)) // the same file, not a new one in its place
                return;
            file.write(bytes);
            file.close();
            const timespec times[2] = {before.st_atim, before.st_mtim};
            utimensat(AT_FDCWD, QFile::encodeName(source).constData(), times, 0);
        };
        struct RewritingConverter : ConversionEngine::Converter {
            std::function<void()> duringRead;
            int rewrites = 0, reads = 0;
            int pageCount(const QString &, quint64) override { return 1; }
            int extract(const QString &source, const ConversionEngine::Options &, quint64, MyPdfCvt::PageRange,
                        const MyPdfCvt::TextReceiver &text, const MyPdfCvt::ProgressReceiver &progress) override
            {
                QFile file(source);
                file.open(QIODevice::ReadOnly);
                text(file.read(4));
                ++reads;
                if (rewrites-- > 0)
                    duringRead();
                text(file.readAll());
                progress(MyPdfCvt::PageProgress::of(reads, reads, 0, reads)); // each version one page longer
                return 0;
            }
            void abandon(quint64) override {}
        };
        for (const int rewrites : {1, 2}) {
            QFile::remove(source);
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old text") == 8);
            file.close();
            RewritingConverter converter;
            converter.rewrites = rewrites;
            converter.duringRead = [&] { rewrite("new text"); };
            ConversionEngine engine({}, 1, &converter);
            const ConversionEngine::Job job = engine.submit(source, dir.path());
            while (!engine.waitFor(job, 100ms)) {
            }
            ConversionEngine::Result result = engine.take(job);
            QCOMPARE(converter.reads, 2);
            QCOMPARE(result.pages, 2); // of the version read last
            QVERIFY(result.seconds > 0);
            if (rewrites == 1) {
                QCOMPARE(result.result, 0);
                const QString text = dir.filePath(QStringLiteral("doc.txt"));
                QCOMPARE(result.text->commit(text, true), Failure::None);
                QFile written(text);
                QVERIFY(written.open(QIODevice::ReadOnly));
                QCOMPARE(written.readAll(), QByteArray("new text"));
            } else {
                QCOMPARE(result.result, MyPdfCvt::ResultSourceChanged);
                QVERIFY(!result.text);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
