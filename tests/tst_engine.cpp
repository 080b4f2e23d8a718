// The run engine's figures under abandon: a file given up while its pages are counted or
// converted leaves the gauge at once, whatever its calls report after.
#include "conversion/ConversionEngine.h"
#include "tests/support/ScriptedConverter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>

namespace {

using namespace std::chrono_literals;

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
        ScriptedConverter gated;
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
        ScriptedConverter gated;
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
    // thread, or twice with recognition on, which may spend seconds on a picture here and
    // there; scans, slow and uneven, twice, and a short scan, small as its file is, into pages.
    void piecesPerThread()
    {
        QTemporaryDir dir;
        const QString text = dir.filePath(QStringLiteral("text.pdf")), scan = dir.filePath(QStringLiteral("scan.pdf")),
                      shortScan = dir.filePath(QStringLiteral("short.pdf"));
        for (const auto &[source, recognition, pages, pieces] :
             {std::tuple{text, false, 1000, 2}, std::tuple{text, true, 1000, 4}, std::tuple{text, true, 40, 2},
              std::tuple{scan, true, 8, 4}, std::tuple{shortScan, true, 3, 3}}) {
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(source == text ? 1000 : pages * ConversionEngine::ScanBytesPerPage));
            file.close();
            ScriptedConverter counting;
            counting.pagesOf[source] = pages;
            ConversionEngine::Options options;
            options.recognition = recognition;
            ConversionEngine engine(options, 2, &counting);
            if (source != shortScan)
                engine.setSplitThreshold(0);
            waitAndTake(engine, engine.submit(source, dir.path()));
            QCOMPARE(counting.started.size(), pieces);
        }
    }

    // Abandoned while converted, whole or in pieces: the pages its calls report after are not
    // the run's, and neither is the page count a whole file's report brings.
    void abandonedWhileConverted()
    {
        for (const bool whole : {true, false}) {
            const QString source = QStringLiteral("/in/book.pdf");
            ScriptedConverter gated;
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
        // Each range reads the file itself, as each helper opens it anew; the first waits.
        ScriptedConverter converter;
        converter.pages = 2 * ConversionEngine::MinPiecePages;
        converter.close(QStringLiteral("first range"));
        converter.reading = [&](const QString &, MyPdfCvt::PageRange pages, const MyPdfCvt::TextReceiver &text,
                                const MyPdfCvt::ProgressReceiver &progress) {
            if (pages.first == 0 && pages.count > 0)
                converter.pass(QStringLiteral("first range"));
            const int count = pages.count > 0 ? pages.count : converter.pages - pages.first;
            progress(MyPdfCvt::PageProgress::of(count, count, 0, 0));
            QFile file(source);
            if (!file.open(QIODevice::ReadOnly))
                return MyPdfCvt::ResultOpenError;
            text(file.readAll());
            return 0;
        };
        const OpenAtEnd openAtEnd{converter};
        ConversionEngine engine({}, 2, &converter);
        engine.setSplitThreshold(0);
        const ConversionEngine::Job job = engine.submit(source, dir.path());
        QVERIFY(converter.waitUntil([&] { return converter.reported == 1; })); // the second range
        put("new ");
        converter.open(QStringLiteral("first range"));
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
        for (const int rewrites : {1, 2}) {
            QFile::remove(source);
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old text") == 8);
            file.close();
            // Rewrites the file while it reads it, as many times as asked.
            ScriptedConverter converter;
            converter.pages = 1;
            int rewritesLeft = rewrites, reads = 0;
            converter.reading = [&](const QString &, MyPdfCvt::PageRange, const MyPdfCvt::TextReceiver &text,
                                    const MyPdfCvt::ProgressReceiver &progress) {
                QFile file(source);
                if (!file.open(QIODevice::ReadOnly))
                    return MyPdfCvt::ResultOpenError;
                text(file.read(4));
                ++reads;
                if (rewritesLeft-- > 0)
                    rewrite("new text");
                text(file.readAll());
                progress(MyPdfCvt::PageProgress::of(reads, reads, 0, reads)); // each version one page longer
                return 0;
            };
            ConversionEngine engine({}, 1, &converter);
            const ConversionEngine::Job job = engine.submit(source, dir.path());
            while (!engine.waitFor(job, 100ms)) {
            }
            ConversionEngine::Result result = engine.take(job);
            QCOMPARE(reads, 2);
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
