// The conversion run in temporary folders with the real converter library and real PDFs:
// the three modes, every policy for an existing target, the prompt's answers, cancel and
// stop, every outcome with its message and log line, and a log that fails in mid-run.
#include "conversion/ActivityLog.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobFile.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/TargetFile.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryFiles.h"
#include "platform/IoError.h"
#include "tests/support/HelperProcesses.h"
#include "tests/support/LogLines.h"
#include "tests/support/PdfMaker.h"
#include "tests/support/RamFolder.h"
#include "tests/support/RemoveTree.h"
#include "tests/support/ScanMaker.h"
#include "tests/support/ScriptedConverter.h"
#include "tests/support/SettingsCore.h"
#include "tests/support/TestProgramDirectory.h"
#include "settings/Settings.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <csignal>
#include <functional>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using PromptAnswer = ConversionRun::PromptAnswer;

namespace {

// The window's part, scripted: answers for the prompt, a cancel after a chosen file, and a
// hook before each file is shown.
struct ScriptedDisplay : ConversionRun::Display {
    QList<PromptAnswer> answers;
    QStringList prompts, shown;
    int steps = 0, total = -1, cancelAfterShown = -1;
    bool finished = false;
    std::function<void(int)> beforeShowing;

    void runStarted(int t) override { total = t; }
    void showFile(const QString &source) override
    {
        if (beforeShowing)
            beforeShowing(int(shown.size()));
        shown << source;
    }
    void stepProgress() override { ++steps; }
    void askTargetExists(const QString &target, const std::function<void(PromptAnswer)> &answer) override
    {
        prompts << target;
        answer(answers.isEmpty() ? PromptAnswer::Cancel : answers.takeFirst());
    }
    bool cancelRequested() override { return cancelAfterShown >= 0 && shown.size() > cancelAfterShown; }
    void runFinished() override { finished = true; }
};

// Helpers of this process that are working rather than waiting for their next file.
int busyHelpers()
{
    return int(helperProcesses().values().count("R"));
}

const QString Summary = QStringLiteral("Conversion end. Successful: %1, Failed: %2, Total: %3");

}

class TestConversionRun : public QObject {
    Q_OBJECT

    QScopedPointer<TestProgramDirectory> dir;
    JobList *list = nullptr;
    std::unique_ptr<SettingsCore> core;

    QString pdf(const QString &name, const std::vector<testpdf::Page> &pages = {testpdf::linesPage({"Caf\xC3\xA9 text"})},
                const testpdf::Options &options = {})
    {
        const QString path = dir->file(QStringLiteral("docs/") + name);
        QDir().mkpath(FileSystem::folderOf(path));
        testpdf::writeFile(FileSystem::encodePath(path).toStdString(), testpdf::makePdf(pages, options));
        return path;
    }

    QString out(const QString &name) const { return dir->file(QStringLiteral("out/") + name); }
    QStringList log() const { return logTexts(dir->file(QStringLiteral("ordvnact.log"))); }
    QString message(int row) const { return list->text(row, JobList::Message); }
    qint32 state(int row) const { return list->entry(row).state; }

    void run(ScriptedDisplay &display, int mode)
    {
        core->run(*list, display, mode);
    }

    // A run over these files alone; the files converted, or -1 when any failed.
    int updateRun(const QStringList &sources, const RunOptions &options)
    {
        list->SelectAllEntries();
        list->DeleteSelectedEntries();
        for (const QString &source : sources)
            list->AddOneFile(source);
        ScriptedDisplay display;
        ConversionRun run(*list, display, core->log);
        runToEnd(run, ConversionRun::ConvertAll, options);
        return run.failed() == 0 ? run.successful() : -1;
    }

    // A source written again with other words, and the time given.
    void rewrite(QString &source, const char *words, const timespec &modified)
    {
        source = pdf(source.mid(dir->file(QStringLiteral("docs/")).size()), {testpdf::linesPage({words})});
        const timespec times[2] = {modified, modified};
        QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(source).constData(), times, 0), 0);
    }
    static timespec later(int seconds) { return {time(nullptr) + seconds, 0}; }

private slots:
    void init()
    {
        dir.reset(new TestProgramDirectory);
        QVERIFY(MyPdfCvt::LoadConverterLibrary(dir->path()));
        MyPdfCvt::SetRecognition(false, {});
        core = std::make_unique<SettingsCore>();
        core->options.target.targetFolder = dir->file(QStringLiteral("out/"));
        core->options.codePage = 65001;
        core->options.recognition = false; // the test pages that stand for scans would take long to read
        list = new JobList(core->setup());
    }

    void cleanup()
    {
        delete list;
        MyPdfCvt::UnloadConverterLibrary();
    }

    void emptyListDoesNothing()
    {
        ScriptedDisplay display;
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(display.total, -1);
        QVERIFY(!QFile::exists(dir->file(QStringLiteral("ordvnact.log"))));
    }

    void convertAllTakesWaitingEntriesOnly()
    {
        const QString a = pdf(QStringLiteral("a.pdf")), b = pdf(QStringLiteral("b.pdf")), c = pdf(QStringLiteral("c.pdf"));
        for (const QString &p : {a, b, c})
            list->AddOneFile(p);
        list->setState(1, JobList::Converted);
        list->setState(2, JobList::Failed);
        list->clearSelection();
        ScriptedDisplay display;
        run(display, ConversionRun::ConvertAll);

        QCOMPARE(display.total, 3);
        QCOMPARE(display.shown, (QStringList{a, b, c}));
        QCOMPARE(display.steps, 3); // one converted, two passed over that were not waiting
        QVERIFY(display.finished);
        QCOMPARE(state(0), qint32(JobList::Converted));
        QCOMPARE(message(0), QStringLiteral("Convert successfully"));
        QCOMPARE(list->text(0, JobList::Target), out(QStringLiteral("a.txt")));
        QByteArray written;
        written = FileSystem::readFile(out(QStringLiteral("a.txt"))).value_or(QByteArray());
        QVERIFY(written.startsWith("\xEF\xBB\xBF" "Caf\xC3\xA9 text"));
        QCOMPARE(state(1), qint32(JobList::Converted));
        QCOMPARE(message(1), QString());
        QVERIFY(!QFile::exists(out(QStringLiteral("b.txt"))));
        QCOMPARE(log(), (QStringList{QStringLiteral("Conversion start..."), QStringLiteral("Convert successfully (") + a + u')',
                                      Summary.arg(1).arg(0).arg(1), QString()}));
    }

    void selectedModes()
    {
        const QString a = pdf(QStringLiteral("a.pdf")), b = pdf(QStringLiteral("b.pdf"));
        list->AddOneFile(a);
        list->AddOneFile(b);
        list->clearSelection();
        ScriptedDisplay none;
        run(none, ConversionRun::ConvertSelected);
        QCOMPARE(state(0), qint32(JobList::Waiting));
        QCOMPARE(log(), (QStringList{QStringLiteral("Conversion start..."), Summary.arg(0).arg(0).arg(0), QString()}));

        // ReConvert passes over a selected waiting entry, and converts a selected failed one.
        list->setSelected(0, true);
        list->setSelected(1, true);
        list->setState(1, JobList::Failed);
        ScriptedDisplay again;
        run(again, ConversionRun::ReConvertSelected);
        QCOMPARE(state(0), qint32(JobList::Waiting));
        QCOMPARE(state(1), qint32(JobList::Converted));
        QCOMPARE(again.steps, 1);

        ScriptedDisplay selected;
        run(selected, ConversionRun::ConvertSelected);
        QCOMPARE(state(0), qint32(JobList::Converted));
    }

    void existingTargets()
    {
        QDir().mkpath(out(QString()));
        for (const char *name : {"r.txt", "r(1).txt", "p.txt"})
            QFile(out(QLatin1String(name))).open(QIODevice::WriteOnly);
        const QString r = pdf(QStringLiteral("r.pdf"));
        list->AddOneFile(r);

        core->options.existing = ExistingTarget::AutoRename; // the first free number
        ScriptedDisplay display;
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(list->text(0, JobList::Target), out(QStringLiteral("r(2).txt")));
        QVERIFY(QFileInfo(out(QStringLiteral("r(2).txt"))).size() > 0);

        core->options.existing = ExistingTarget::Overwrite;
        list->setState(0, JobList::Waiting);
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(list->text(0, JobList::Target), out(QStringLiteral("r.txt")));
        QVERIFY(QFileInfo(out(QStringLiteral("r.txt"))).size() > 0);

        core->options.existing = ExistingTarget::Cancel; // fails, the column keeps its text and names it in the log
        list->setState(0, JobList::Waiting);
        setStoredText(*list, 0, JobList::Target, QStringLiteral("earlier text"));
        ScriptedDisplay cancelled;
        run(cancelled, ConversionRun::ConvertAll);
        QCOMPARE(state(0), qint32(JobList::Failed));
        QCOMPARE(message(0), QStringLiteral("Target file already exists, user canceled"));
        QCOMPARE(list->text(0, JobList::Target), QStringLiteral("earlier text"));
        QCOMPARE(cancelled.steps, 1);
        QVERIFY(log().contains(QStringLiteral("Failed: Target file already exists, user canceled (earlier text)")));
    }

    // Two PDFs of one name converted into one folder keep a text each under every policy: the
    // name one entry takes is never an existing target for the other, which gets the next
    // number, and the log says so.
    void oneTextPerSource()
    {
        const QString a = pdf(QStringLiteral("a/report.pdf"), {testpdf::linesPage({"alpha words"})});
        const QString b = pdf(QStringLiteral("b/report.pdf"), {testpdf::linesPage({"beta words"})});
        const QString x = pdf(QStringLiteral("report(1).pdf"), {testpdf::linesPage({"gamma words"})});
        for (const ExistingTarget policy : {ExistingTarget::AutoRename, ExistingTarget::Overwrite, ExistingTarget::Prompt,
                                            ExistingTarget::Cancel, ExistingTarget::Skip, ExistingTarget::Update}) {
            removeTree(out(QString()));
            QFile::remove(dir->file(QStringLiteral("ordvnact.log")));
            JobList jobs(core->setup());
            for (const QString &source : {a, b, x})
                jobs.AddOneFile(source);
            RunOptions options = core->options;
            options.existing = policy;
            ScriptedDisplay display;
            ConversionRun run(jobs, display, core->log);
            runToEnd(run, ConversionRun::ConvertAll, options);
            QCOMPARE(display.prompts, QStringList());
            // The third source's own name is not given to the second, which comes first.
            const QStringList targets = {out(QStringLiteral("report.txt")), out(QStringLiteral("report(2).txt")), out(QStringLiteral("report(1).txt"))};
            const char *const words[] = {"alpha words", "beta words", "gamma words"};
            for (int row = 0; row < 3; ++row) {
                QCOMPARE(jobs.text(row, JobList::Message), QStringLiteral("Convert successfully"));
                QCOMPARE(jobs.text(row, JobList::Target), targets[row]);
                QVERIFY(dir->read(QStringLiteral("out/") + FileSystem::fileNamePart(targets[row])).contains(words[row]));
            }
            QVERIFY(log().contains(QStringLiteral("Renamed: another file of this run has the same target file name (") + targets[1] + u')'));
        }
    }

    // Update decides by what made each text: its own text is found by the records, a
    // numbered name included; it is current only while its PDF and the options are as they
    // were; a text of another PDF is never this one's; a text without a record is judged by
    // times.
    void updateFollowsWhatMadeEachText()
    {
        QString a = pdf(QStringLiteral("a/report.pdf"), {testpdf::linesPage({"alpha words"})});
        QString b = pdf(QStringLiteral("b/report.pdf"), {testpdf::linesPage({"beta words"})});
        const QString aText = out(QStringLiteral("report.txt")), bText = out(QStringLiteral("report(1).txt"));
        RunOptions options = core->options;
        options.existing = ExistingTarget::Update;
        const auto runOver = [&](const QStringList &sources) { return updateRun(sources, options); };
        QCOMPARE(runOver({a, b}), 2);
        // Nothing changed: both are left, in either order, each with its own text.
        for (const QStringList &order : {QStringList{a, b}, QStringList{b, a}}) {
            QCOMPARE(runOver(order), 0);
            for (int row = 0; row < 2; ++row) {
                QCOMPARE(message(row), QStringLiteral("Target file is up to date"));
                QCOMPARE(list->text(row, JobList::Target), list->text(row, JobList::Source) == a ? aText : bText);
            }
        }
        QCOMPARE(log().filter(QStringLiteral("Conversion end.")).last(), QStringLiteral("Conversion end. Successful: 0, Skipped: 2, Failed: 0, Total: 2"));

        // Both changed: each gets its own new text, over its old one, whatever the order.
        rewrite(a, "alpha again", later(60));
        rewrite(b, "beta again", later(60));
        QCOMPARE(runOver({b, a}), 2);
        QVERIFY(dir->read(QStringLiteral("out/report.txt")).contains("alpha again"));
        QVERIFY(dir->read(QStringLiteral("out/report(1).txt")).contains("beta again"));
        QVERIFY(!QFileInfo::exists(out(QStringLiteral("report(2).txt"))));

        // Another version with the same size and time (cp -p, a restore) is converted all the same.
        struct stat before{};
        QCOMPARE(stat(QFile::encodeName(b).constData(), &before), 0);
        rewrite(b, "beta AGAIN", before.st_mtim);
        QCOMPARE(QFileInfo(b).size(), qint64(before.st_size));
        QCOMPARE(runOver({a, b}), 1);
        QVERIFY(dir->read(QStringLiteral("out/report(1).txt")).contains("beta AGAIN"));

        // Other options make other texts.
        options.pageBreaks = !options.pageBreaks;
        QCOMPARE(runOver({a, b}), 2);
        QCOMPARE(runOver({a, b}), 0);

        // A text without a record, made by an older version or by hand: by times, as before.
        QString c = pdf(QStringLiteral("c.pdf"));
        const auto byHand = [&](const QByteArray &text, int seconds) {
            dir->write(QStringLiteral("out/c.txt"), text);
            const timespec times[2] = {later(seconds), later(seconds)};
            QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(out(QStringLiteral("c.txt"))).constData(), times, 0), 0);
        };
        byHand("by hand", 120);
        QCOMPARE(runOver({c}), 0);
        QCOMPARE(dir->read(QStringLiteral("out/c.txt")), QByteArray("by hand"));
        rewrite(c, "Caf\xC3\xA9 text", later(240));
        QCOMPARE(runOver({c}), 1);
        QVERIFY(dir->read(QStringLiteral("out/c.txt")).contains("Caf\xC3\xA9 text"));
        // A text edited since it was made is no longer what its record says it made.
        byHand("edited", 360);
        QCOMPARE(runOver({c}), 0);
        QCOMPARE(dir->read(QStringLiteral("out/c.txt")), QByteArray("edited"));
    }

    // Where the file system keeps no extended attributes, the records live in a file of the
    // folder: the same decisions, and a file that grows large keeps only the records of the
    // texts still there.
    void recordsWithoutExtendedAttributes()
    {
        const RamFolder ram(out(QString()));
        if (!ram.mounted())
            QSKIP("ramfs cannot be mounted here (it needs CAP_SYS_ADMIN)");
        QString a = pdf(QStringLiteral("a/report.pdf"), {testpdf::linesPage({"alpha words"})});
        const QString b = pdf(QStringLiteral("b/report.pdf"), {testpdf::linesPage({"beta words"})});
        RunOptions options = core->options;
        options.existing = ExistingTarget::Update;
        QCOMPARE(updateRun({a, b}, options), 2);
        const QString records = out(QLatin1String(TextRecords::FolderFileName));
        QCOMPARE(dir->read(QStringLiteral("out/") + QLatin1String(TextRecords::FolderFileName)).count('\n'), 2);
        QCOMPARE(updateRun({b, a}, options), 0);
        QCOMPARE(list->text(0, JobList::Target), out(QStringLiteral("report(1).txt")));

        QByteArray filler;
        const QByteArray line = dir->read(QStringLiteral("out/") + QLatin1String(TextRecords::FolderFileName)).split('\n').first();
        for (int i = 0; filler.size() < TextRecords::FolderFileCompactBytes; ++i)
            filler += "gone" + QByteArray::number(i) + ".txt" + line.mid(line.indexOf(' ')) + '\n';
        QFile file(records);
        QVERIFY(file.open(QIODevice::Append) && file.write(filler) == filler.size());
        file.close();
        rewrite(a, "alpha again", later(60));
        QCOMPARE(updateRun({a, b}, options), 1);
        QVERIFY(QFileInfo(records).size() < TextRecords::FolderFileNewestBytes + 4096); // the newest lines stay whatever
        QCOMPARE(updateRun({a, b}, options), 0);
        QVERIFY(dir->read(QStringLiteral("out/report.txt")).contains("alpha again"));
    }

    void promptAnswers()
    {
        QDir().mkpath(out(QString()));
        QStringList sources;
        for (int i = 1; i <= 5; ++i) {
            sources << pdf(QStringLiteral("f%1.pdf").arg(i));
            list->AddOneFile(sources.last());
            QFile(out(QStringLiteral("f%1.txt").arg(i))).open(QIODevice::WriteOnly);
        }
        core->options.existing = ExistingTarget::Prompt;
        ScriptedDisplay display;
        display.answers = {PromptAnswer::AutoRename, PromptAnswer::Overwrite, PromptAnswer::StopConvert};
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(display.prompts, (QStringList{out("f1.txt"), out("f2.txt"), out("f3.txt")}));
        QCOMPARE(list->text(0, JobList::Target), out(QStringLiteral("f1(1).txt")));
        QCOMPARE(list->text(1, JobList::Target), out(QStringLiteral("f2.txt")));
        QCOMPARE(state(0), qint32(JobList::Converted));
        QCOMPARE(state(1), qint32(JobList::Converted));
        // Stopped at the third: it is untouched, and four and five are not visited.
        QCOMPARE(state(2), qint32(JobList::Waiting));
        QCOMPARE(list->text(2, JobList::Target), out(QStringLiteral("f3.txt")));
        QCOMPARE(display.shown.size(), 3);
        QCOMPARE(display.steps, 2);
        QCOMPARE(log().at(log().size() - 2), Summary.arg(2).arg(0).arg(2));

        // Cancel in the prompt (or closing it) fails the entry.
        ScriptedDisplay cancel;
        cancel.answers = {PromptAnswer::Cancel};
        list->clearSelection();
        list->setSelected(2, true);
        run(cancel, ConversionRun::ConvertSelected);
        QCOMPARE(message(2), QStringLiteral("Target file already exists, user canceled"));
    }

    void cancelTakesEffectBetweenFiles()
    {
        for (int i = 0; i < 4; ++i)
            list->AddOneFile(pdf(QStringLiteral("c%1.pdf").arg(i)));
        ScriptedDisplay display;
        display.cancelAfterShown = 1; // pressed while the second file converts
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(state(0), qint32(JobList::Converted));
        // The file in hand is recorded when it was already done, else abandoned as it was.
        const bool inHandDone = state(1) == JobList::Converted;
        QVERIFY(inHandDone || state(1) == JobList::Waiting);
        QCOMPARE(state(2), qint32(JobList::Waiting));
        QCOMPARE(log().at(log().size() - 2), Summary.arg(inHandDone ? 2 : 1).arg(0).arg(inHandDone ? 2 : 1));
    }

    void everyFailure()
    {
        testpdf::Options locked;
        locked.userPassword = "secret";
        testpdf::Options noCopy;
        noCopy.ownerPassword = "owner";
        noCopy.allowCopy = false;
        const QString missing = dir->file(QStringLiteral("docs/gone.pdf"));
        const QString notPdf = dir->file(QStringLiteral("docs/text.pdf"));
        const QString sources[] = {pdf(QStringLiteral("good.pdf")), missing, notPdf,
                                   pdf(QStringLiteral("locked.pdf"), {testpdf::linesPage({"x"})}, locked),
                                   pdf(QStringLiteral("nocopy.pdf"), {testpdf::linesPage({"x"})}, noCopy)};
        dir->write(QStringLiteral("docs/text.pdf"), "plain text\n");
        for (const QString &s : sources)
            list->AddOneFile(s);
        ScriptedDisplay display;
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(message(0), QStringLiteral("Convert successfully"));
        QCOMPARE(message(1), QStringLiteral("Source file open error"));
        QCOMPARE(message(2), QStringLiteral("File format not correct"));
        QCOMPARE(message(3), QStringLiteral("Password required")); // said apart from a file that cannot be opened
        QCOMPARE(message(4), QStringLiteral("Extracting text from source file not allowed"));
        for (int row = 1; row < 5; ++row)
            QCOMPARE(state(row), qint32(JobList::Failed));
        QVERIFY(log().contains(QStringLiteral("Failed: Source file open error (") + missing + u')'));
        QVERIFY(log().contains(QStringLiteral("Failed: File format not correct (") + notPdf + u')'));
        QCOMPARE(log().at(log().size() - 2), Summary.arg(1).arg(4).arg(5));

        // Without the converter library every file reports it.
        MyPdfCvt::UnloadConverterLibrary();
        list->SelectAllEntries();
        ScriptedDisplay noLibrary;
        run(noLibrary, ConversionRun::ReConvertSelected);
        QCOMPARE(message(0), QStringLiteral("Load file filter dll error"));
    }

    void typeMustReadExactlyPdf()
    {
        const QString a = pdf(QStringLiteral("a.pdf"));
        list->AddOneFile(a);
        setStoredText(*list, 0, JobList::Type, QStringLiteral("pdf"));
        QDir().mkpath(out(QString()));
        QFile(out(QStringLiteral("a.txt"))).open(QIODevice::WriteOnly);
        core->options.existing = ExistingTarget::Prompt; // the prompt comes first
        ScriptedDisplay display;
        display.answers = {PromptAnswer::Overwrite};
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(display.prompts.size(), 1);
        QCOMPARE(message(0), QStringLiteral("File type not support"));
        QVERIFY(log().contains(QStringLiteral("Failed: File type not support (") + a + u')'));
    }

    void emptyTextGivesAnEmptyFile()
    {
        core->options.pageBreaks = false;
        list->AddOneFile(pdf(QStringLiteral("scan.pdf"), {testpdf::scannedPage()}));
        ScriptedDisplay display;
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(state(0), qint32(JobList::Converted));
        QVERIFY(QFileInfo::exists(out(QStringLiteral("scan.txt"))));
        QCOMPARE(QFileInfo(out(QStringLiteral("scan.txt"))).size(), 0);
    }

    void targetFoldersAndCodePages()
    {
        const QString a = pdf(QStringLiteral("a.pdf"));
        list->AddOneFile(a);
        core->options.target.targetFolder = dir->file(QStringLiteral("deep/er/still/"));
        core->options.codePage = 1252;
        ScriptedDisplay display;
        run(display, ConversionRun::ConvertAll);
        QByteArray bytes;
        bytes = FileSystem::readFile(dir->file(QStringLiteral("deep/er/still/a.txt"))).value_or(QByteArray());
        QVERIFY(bytes.startsWith("Caf\xE9 text"));

        // Beside the source, in the locale's code page (UTF-8 here, no mark).
        core->options.target.sameFolder = true;
        core->options.codePage = 0;
        list->setState(0, JobList::Waiting);
        run(display, ConversionRun::ConvertAll);
        bytes = FileSystem::readFile(dir->file(QStringLiteral("docs/a.txt"))).value_or(QByteArray());
        QVERIFY(bytes.startsWith("Caf\xC3\xA9 text"));

        // A code page with no converter (a hand-edited settings file) writes nothing.
        QFile::remove(dir->file(QStringLiteral("docs/a.txt")));
        core->options.codePage = 12345;
        list->setState(0, JobList::Waiting);
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(message(0), QStringLiteral("Code page 12345 is not supported on this system"));
        QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("docs/a.txt"))));

        // Nor does recognition in a language whose data is not installed: it would read no
        // scanned page, and a file of scans would come out empty as if it had no text.
        core->options.codePage = 65001;
        core->options.recognition = true;
        core->options.recognitionLanguages = QStringLiteral("eng+xyz");
        list->setState(0, JobList::Waiting);
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(state(0), qint32(JobList::Failed));
        QVERIFY(message(0).contains(QStringLiteral("\"xyz\" is not installed")));
        QVERIFY(message(0).contains(QStringLiteral("the package tesseract-ocr-xyz holds it"))); // what to install
        QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("docs/a.txt"))));
        core->options.recognition = false; // without recognition the languages do not matter
        list->setState(0, JobList::Waiting);
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(state(0), qint32(JobList::Converted));
    }

    // Cancel with a long file under way: the run returns without waiting for it, the entry
    // stays as it was, and no helper goes on working.
    void cancelWithALargeFileInFlight()
    {
        std::vector<testpdf::Page> pages(1500, testpdf::linesPage(std::vector<std::string>(45, "A line of text on a long page of a long book")));
        list->AddOneFile(pdf(QStringLiteral("book.pdf"), pages));
        struct CancelOnFirstPages : ScriptedDisplay {
            QElapsedTimer sinceCancel;
            void waiting(const ConversionEngine::Progress &progress) override
            {
                if (progress.pagesDone > 0 && !sinceCancel.isValid())
                    sinceCancel.start();
            }
            bool cancelRequested() override { return sinceCancel.isValid(); }
        } display;
        run(display, ConversionRun::ConvertAll);
        QVERIFY(display.sinceCancel.isValid());
        QCOMPARE(state(0), qint32(JobList::Waiting));
        QCOMPARE(QDir(out(QString())).entryList(QDir::Files | QDir::Hidden), QStringList());
        QTest::qWait(200);
        QCOMPARE(busyHelpers(), 0);

        // A re-conversion under auto rename given up: the entry keeps the target it has, not
        // the numbered one that was never written.
        list->setState(0, JobList::Converted);
        setStoredText(*list, 0, JobList::Message, QStringLiteral("Convert successfully"));
        setStoredText(*list, 0, JobList::Target, out(QStringLiteral("book.txt")));
        QDir().mkpath(out(QString()));
        dir->write(QStringLiteral("out/book.txt"), "converted before");
        core->options.existing = ExistingTarget::AutoRename;
        list->SelectAllEntries();
        display.sinceCancel.invalidate();
        run(display, ConversionRun::ReConvertSelected);
        QVERIFY(display.sinceCancel.isValid());
        QCOMPARE(state(0), qint32(JobList::Converted));
        QCOMPARE(list->text(0, JobList::Target), out(QStringLiteral("book.txt")));
        QCOMPARE(QDir(out(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("book.txt")});
    }

    // Text waits in its target's own folder, made for it, readable by the user alone until it
    // is put in place with a new file's mode; never in a folder others share.
    void textWaitsPrivatelyInTheTargetsFolder()
    {
        TargetFile text;
        QCOMPARE(text.create(out(QStringLiteral("new/sub"))), 0);
        const QStringList waiting = QDir(out(QStringLiteral("new/sub"))).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(waiting.size(), 1);
        struct stat info{};
        QVERIFY(stat(FileSystem::encodePath(out(QStringLiteral("new/sub/")) + waiting[0]).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
        QCOMPARE(text.write("private text"), 0);
        QCOMPARE(text.commit(out(QStringLiteral("new/sub/t.txt")), false), Failure::None);
        QVERIFY(stat(FileSystem::encodePath(out(QStringLiteral("new/sub/t.txt"))).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, FileSystem::newFileMode());
    }

    void targetsThatCannotBeWritten()
    {
        const QString a = pdf(QStringLiteral("a.pdf")), b = pdf(QStringLiteral("b.pdf"));
        dir->write(QStringLiteral("blocker"), "a file where a folder should be");
        ScriptedDisplay display;
        // The first file's folder cannot be made; the second file's name is a folder.
        core->options.target.targetFolder = dir->file(QStringLiteral("blocker/sub/"));
        list->AddOneFile(a);
        run(display, ConversionRun::ConvertAll);
        core->options.target.targetFolder = dir->file(QStringLiteral("out/"));
        list->AddOneFile(b);
        QDir().mkpath(out(QStringLiteral("b.txt")));
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(message(0), QStringLiteral("Target file create error"));
        QCOMPARE(message(1), QStringLiteral("Target file create error"));
        QVERIFY(log().contains(QStringLiteral("Failed: Target file create error (") + dir->file(QStringLiteral("blocker/sub/a.txt")) + u')'));
        QVERIFY(log().contains(QStringLiteral("Failed: Target file create error (") + out(QStringLiteral("b.txt")) + u')'));
    }

    // A link where a target goes is an existing target under every policy; Overwrite replaces
    // the link itself, and what it points at is never opened for writing.
    void linksAreNeverWrittenThrough()
    {
        core->options.target.sameFolder = true;
        QDir(dir->path()).mkpath(QStringLiteral("victim"));
        dir->write(QStringLiteral("victim/kept.txt"), "keep");
        const QString report = pdf(QStringLiteral("report.pdf")), other = pdf(QStringLiteral("other.pdf"));
        const QString link = dir->file(QStringLiteral("docs/report.txt")), otherLink = dir->file(QStringLiteral("docs/other.txt"));
        QVERIFY(QFile::link(QStringLiteral("../victim/evil.desktop"), link)); // leads nowhere
        QVERIFY(QFile::link(QStringLiteral("../victim/kept.txt"), otherLink));
        list->AddOneFile(report);
        list->AddOneFile(other);

        // The prompt (answered Cancel), Cancel, AutoRename.
        for (const ExistingTarget policy : {ExistingTarget::Prompt, ExistingTarget::Cancel, ExistingTarget::AutoRename}) {
            core->options.existing = policy;
            ScriptedDisplay display;
            run(display, ConversionRun::ConvertAll);
            QCOMPARE(display.prompts.size(), policy == ExistingTarget::Prompt ? 2 : 0);
            if (policy != ExistingTarget::AutoRename) {
                QCOMPARE(message(0), QStringLiteral("Target file already exists, user canceled"));
                for (int row : {0, 1})
                    list->setState(row, JobList::Waiting);
            }
        }
        QCOMPARE(list->text(0, JobList::Target), dir->file(QStringLiteral("docs/report(1).txt")));
        QVERIFY(QFileInfo(dir->file(QStringLiteral("docs/report(1).txt"))).isFile());
        QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("victim/evil.desktop"))));

        core->options.existing = ExistingTarget::Overwrite;
        list->setState(1, JobList::Waiting);
        QFile::remove(dir->file(QStringLiteral("docs/other(1).txt")));
        ScriptedDisplay display;
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(message(1), QStringLiteral("Convert successfully"));
        QVERIFY(!QFileInfo(otherLink).isSymLink());
        QVERIFY(dir->read(QStringLiteral("docs/other.txt")).contains("Caf"));
        QCOMPARE(dir->read(QStringLiteral("victim/kept.txt")), QByteArray("keep"));
        QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("victim/evil.desktop"))));
    }

    // A write that fails part-way (here at a file-size limit, as on a full disk) leaves the
    // old target whole and no temporary file; the limit's signal does not end the program.
    void failedWritesKeepTheOldTarget()
    {
#ifdef __SANITIZE_THREAD__
        QSKIP("ThreadSanitizer cannot follow the threads of a run in a fork of this threaded test");
#endif
        std::vector<std::string> lines(40, "A long line of text that fills the target beyond the limit");
        const QString a = pdf(QStringLiteral("a.pdf"), {testpdf::linesPage(lines)}), b = pdf(QStringLiteral("b.pdf"), {testpdf::linesPage(lines)});
        list->AddOneFile(a);
        list->AddOneFile(b);
        QDir().mkpath(out(QString()));
        dir->write(QStringLiteral("out/a.txt"), "the old target");
        core->options.existing = ExistingTarget::Overwrite;
        const pid_t child = fork();
        if (child == 0) {
            FileSystem::failWritesPastSizeLimit(); // as the programs do at start
            const rlimit tiny{1500, 1500}; // room for the log's lines, not for the text
            setrlimit(RLIMIT_FSIZE, &tiny);
            ScriptedDisplay display;
            core->run(*list, display, ConversionRun::ConvertAll);
            _exit(message(0) == QStringLiteral("Target file write error") && message(1) == message(0) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(dir->read(QStringLiteral("out/a.txt")), QByteArray("the old target"));
        QCOMPARE(QDir(out(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
        QVERIFY(log().contains(QStringLiteral("Failed: Target file write error (") + a + u')'));
    }

    // Files of ours opened by name are never followed through a link, waited on as a pipe, or
    // read without end: a link to another file, a FIFO or a link to /dev/zero in the place of
    // the journal, the job list, the settings or the log harms nothing and blocks nothing.
    void ourFilesThatAreNotWhatTheySeem()
    {
        dir->write(QStringLiteral("victim"), "precious");
        const QByteArray victim = FileSystem::encodePath(dir->file(QStringLiteral("victim")));
        for (const char *name : {"Ordvane.tmp", "Ordvane.job", "Ordvane.dat", "ordvnact.log"}) {
            const QByteArray file = FileSystem::encodePath(dir->file(QLatin1String(name)));
            for (int kind = 0; kind < 3; ++kind) {
                unlink(file.constData());
                QVERIFY(kind == 0 ? symlink(victim.constData(), file.constData()) == 0
                        : kind == 1 ? mkfifo(file.constData(), 0600) == 0
                                    : symlink("/dev/zero", file.constData()) == 0);
                TargetFile::setJournal(dir->file(QStringLiteral("Ordvane.tmp")));
                TargetFile::removeLeftovers({});
                {
                    TargetFile text;
                    QCOMPARE(text.create(out(QString())), 0);
                }
                const JobFile::Loaded loaded = JobFile::LoadJobFile(JobFilePath());
                QVERIFY(loaded.result != JobFile::LoadResult::Loaded || loaded.entries.isEmpty());
                LoadSettings();
                try {
                    core->log.AppendLog(QStringLiteral("a line"));
                    if (!ReadLogText(dir->file(QStringLiteral("ordvnact.log"))))
                        QCOMPARE(QLatin1String(name), QLatin1String("ordvnact.log"));
                } catch (const IoError &) {
                    QCOMPARE(QLatin1String(name), QLatin1String("ordvnact.log"));
                }
                unlink(file.constData());
            }
        }
        QCOMPARE(dir->read(QStringLiteral("victim")), QByteArray("precious"));
        QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("Ordvane.tmp")))); // there only while it lists something
        TargetFile::setJournal(QString());
    }

    // A killed program's temporary text goes the next time a run writes there. What only
    // looks like one stays: an older program's, a name the program never makes, another user's,
    // and one of a process in another PID namespace (a container, a cluster node), which this
    // process cannot see whether it lives or not.
    void leftoversOfAKilledProgramAreRemoved()
    {
        QDir().mkpath(out(QString()));
        TargetFile::setJournal(dir->file(QStringLiteral("Ordvane.tmp")));
        const pid_t child = fork();
        if (child == 0) {
            auto *text = new TargetFile; // never destroyed: the program is "killed"
            text->create(out(QString()));
            text->write("half a text");
            _exit(0);
        }
        waitpid(child, nullptr, 0);
        const QStringList killed = QDir(out(QString())).entryList({QStringLiteral(".kv-ordvane-*.part")}, QDir::Files | QDir::Hidden);
        QCOMPARE(killed.size(), 1);
        // <machine>.<namespace>.<pid>.<start>-XXXXXX
        const QStringList fields = killed[0].mid(12).section(u'-', 0, 0).split(u'.');
        QCOMPARE(fields.size(), 4);
        const QString elsewhere = QStringLiteral(".kv-ordvane-%1.%2.%3.%4-Zz9Yy8.part");
        QStringList kept = {
            QStringLiteral(".kv-ordvane-Ab12Cd.part"),   // an older program's
            QStringLiteral(".kv-ordvane-1.2-Ab12Cd.part"), // an older program's
            QStringLiteral(".kv-ordvane-backup.part"),
            QStringLiteral(".kv-ordvane-a b.c-.part"),
            QStringLiteral(".kv-ordvane-mine.txt"),
            elsewhere.arg(fields[0]).arg(fields[1].toULongLong() + 1).arg(fields[2], fields[3]), // another namespace
            elsewhere.arg(QStringLiteral("0badc0de"), fields[1], fields[2], fields[3]),           // another machine
        };
        for (const QString &name : kept)
            dir->write(QStringLiteral("out/") + name, "not a leftover of ours");
        // Another user's, of a process that has ended here: not ours to remove.
        const QString othersName = elsewhere.arg(fields[0], fields[1], fields[2], fields[3]);
        dir->write(QStringLiteral("out/") + othersName, "another user's");
        if (geteuid() == 0 && chown(FileSystem::encodePath(out(othersName)).constData(), 65534, 65534) == 0)
            kept << othersName;
        else
            QFile::remove(out(othersName));
        TargetFile::removeLeftovers({dir->path()});
        QStringList left = QDir(out(QString())).entryList(QDir::Files | QDir::Hidden);
        kept.sort();
        left.sort();
        QCOMPARE(left, kept);
        TargetFile::setJournal(QString());
    }

    // A live run in another PID namespace writing into the same folder keeps its text while a
    // run here writes there: its process id means nothing here.
    void aRunInAnotherPidNamespaceKeepsItsText()
    {
        QDir().mkpath(out(QString()));
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        const pid_t child = fork();
        if (child == 0) {
            setpgid(0, 0); // the test ends the group, process 1 of the new namespace with it
            if (unshare(CLONE_NEWPID) != 0)
                _exit(77);
            const pid_t inside = fork(); // process 1 of the new namespace
            if (inside == 0) {
                auto *text = new TargetFile;
                text->create(out(QString()));
                text->write("a text on its way");
                (void)!write(ready[1], "r", 1);
                pause(); // alive until killed
                _exit(0);
            }
            waitpid(inside, nullptr, 0);
            _exit(0);
        }
        close(ready[1]);
        char answer = 0;
        const bool started = read(ready[0], &answer, 1) == 1;
        close(ready[0]);
        const auto end = qScopeGuard([child] {
            kill(-child, SIGKILL);
            waitpid(child, nullptr, 0);
        });
        if (!started) {
            QSKIP("no PID namespace can be made here (unshare needs CAP_SYS_ADMIN)");
        }
        const QStringList before = QDir(out(QString())).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(before.size(), 1);
        TargetFile text; // a run here writes into the folder, and sweeps it first
        QCOMPARE(text.create(out(QString())), 0);
        QVERIFY(QDir(out(QString())).entryList(QDir::Files | QDir::Hidden).contains(before[0]));
    }

    // Where /proc hides the processes one may not look into (hidepid=2, as on HPC login
    // nodes and under systemd's ProtectProc), a run of one user that holds passwords (and so
    // is not dumpable) is hidden from the next run of the same user: that one takes it for
    // alive all the same, since it answers a signal, and leaves its text on the way alone.
    void aHiddenRunKeepsItsText()
    {
        QDir().mkpath(out(QString()));
        chmod(QFile::encodeName(dir->path()).constData(), 0711); // the other user gets to the folder
        chmod(QFile::encodeName(out(QString())).constData(), 0777);
        const pid_t child = fork();
        if (child == 0) {
            setpgid(0, 0);
            if (unshare(CLONE_NEWNS | CLONE_NEWPID) != 0)
                _exit(77);
            const pid_t inside = fork(); // process 1 of the new namespace, with /proc of its own
            if (inside == 0) {
                if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                    || mount("proc", "/proc", "proc", 0, "hidepid=2") != 0 || setgid(65534) != 0 || setuid(65534) != 0)
                    _exit(77);
                int ready[2];
                if (pipe(ready) != 0)
                    _exit(1);
                const pid_t holder = fork();
                if (holder == 0) {
                    prctl(PR_SET_DUMPABLE, 0);
                    auto *text = new TargetFile;
                    if (text->create(out(QString())) != 0)
                        _exit(1);
                    (void)!write(ready[1], "r", 1);
                    pause();
                    _exit(0);
                }
                close(ready[1]);
                char answer = 0;
                if (read(ready[0], &answer, 1) != 1)
                    _exit(1);
                const QStringList before = QDir(out(QString())).entryList(QDir::Files | QDir::Hidden);
                const bool hidden = !QFileInfo::exists(QStringLiteral("/proc/%1/stat").arg(holder));
                TargetFile text; // sweeps the folder first
                const bool kept = text.create(out(QString())) == 0 && before.size() == 1
                                  && QDir(out(QString())).entryList(QDir::Files | QDir::Hidden).contains(before[0]);
                kill(holder, SIGKILL);
                _exit(!hidden ? 78 : kept ? 0 : 1);
            }
            int status = 0;
            waitpid(inside, &status, 0);
            _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        if (WEXITSTATUS(status) == 77)
            QSKIP("no PID namespace with a hidepid /proc can be made here (it needs CAP_SYS_ADMIN)");
        QVERIFY2(WEXITSTATUS(status) != 78, "the holder was not hidden: the test proves nothing here");
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void textsAndFoldersTakeTheCreationMask()
    {
        const QString folder = dir->file(QStringLiteral("masked"));
        QVERIFY(QDir().mkpath(folder));
        QProcess probe;
        probe.setChildProcessModifier([] { umask(027); });
        probe.start(QStringLiteral(ORDVANE_TEST_BIN_DIR "mask_probe"), {folder});
        QVERIFY(probe.waitForFinished(60000));
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 0);
        const auto permissions = [](const QString &path) {
            struct stat info{};
            return stat(FileSystem::encodePath(path).constData(), &info) == 0 ? info.st_mode & 07777 : mode_t(-1);
        };
        QCOMPARE(permissions(folder + QStringLiteral("/text.txt")), mode_t(0640));
        const QStringList folders = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(folders.size() >= 100);
        for (const QString &made : folders)
            QCOMPARE(permissions(folder + u'/' + made), mode_t(0750));
    }

    void logFailureEndsTheRun()
    {
        for (int i = 0; i < 3; ++i)
            list->AddOneFile(pdf(QStringLiteral("l%1.pdf").arg(i)));
        ScriptedDisplay display;
        display.beforeShowing = [&](int shown) {
            if (shown == 1) { // the log becomes a folder: the next line cannot be written
                QFile::remove(dir->file(QStringLiteral("ordvnact.log")));
                QDir(dir->path()).mkdir(QStringLiteral("ordvnact.log"));
            }
        };
        QVERIFY_THROWS_EXCEPTION(IoError, run(display, ConversionRun::ConvertAll));
        QCOMPARE(state(0), qint32(JobList::Converted));
        QCOMPARE(state(1), qint32(JobList::Converted)); // recorded before its log line failed
        QCOMPARE(state(2), qint32(JobList::Waiting));
        QVERIFY(display.finished); // the progress display does not stay behind
    }

    // Conversions run ahead, several at once, and finish out of order; entries are still
    // written in list order, and one that is no longer wanted when its turn comes is not.
    void conversionsRunAheadOnSeveralThreads()
    {
        ScriptedConverter slow;
        slow.delayOf = [](const QString &source) { return source.endsWith(u'0') || source.endsWith(u'2') ? 150 : 20; };
        for (int i = 0; i < 6; ++i)
            list->AddOneFile(QStringLiteral("/in/f%1.pdf").arg(i));
        ScriptedDisplay display;
        QStringList writtenBefore;
        display.beforeShowing = [&](int shown) {
            if (shown == 1)
                list->setSelected(4, false); // deselected while its conversion may be under way
            writtenBefore << QString::number(QDir(out(QString())).entryList(QDir::Files).size());
        };
        core->run(*list, display, ConversionRun::ConvertSelected, 3, &slow);
        QVERIFY(slow.most >= 2);
        QCOMPARE(writtenBefore, (QStringList{"0", "1", "2", "3", "4", "4"})); // one at a time, in order
        QCOMPARE(state(4), qint32(JobList::Waiting));
        QVERIFY(!QFileInfo::exists(out(QStringLiteral("f4.txt"))));
        QByteArray bytes;
        bytes = FileSystem::readFile(out(QStringLiteral("f5.txt"))).value_or(QByteArray());
        QCOMPARE(bytes, QByteArray("\xEF\xBB\xBF" "text of /in/f5.pdf"));
        const QStringList lines = log();
        for (int i = 0; i < 6; ++i)
            if (i != 4)
                QCOMPARE(lines.at(1 + (i > 4 ? i - 1 : i)), QStringLiteral("Convert successfully (/in/f%1.pdf)").arg(i));
        QCOMPARE(slow.started.count(QStringLiteral("/in/f5.pdf")), 1); // nothing converted twice
    }

    // A declined target and a cancel abandon what is under way at once; no text is left over.
    void abandonedConversionsEndAtOnce()
    {
        ScriptedConverter slow;
        slow.delayOf = [](const QString &) { return 30000; };
        QDir().mkpath(out(QString()));
        dir->write(QStringLiteral("out/d0.txt"), "there");
        for (int i = 0; i < 3; ++i)
            list->AddOneFile(QStringLiteral("/in/d%1.pdf").arg(i));
        core->options.existing = ExistingTarget::Cancel; // the first entry is declined
        ScriptedDisplay display;
        display.cancelAfterShown = 1;
        QElapsedTimer timer;
        timer.start();
        core->run(*list, display, ConversionRun::ConvertAll, 2, &slow);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(message(0), QStringLiteral("Target file already exists, user canceled"));
        QCOMPARE(state(1), qint32(JobList::Waiting)); // cancelled while its file was converted
        for (const QString &source : {QStringLiteral("/in/d0.pdf"), QStringLiteral("/in/d1.pdf")}) // declined, cancelled
            QVERIFY(!slow.started.contains(source) || slow.abandonedSources.contains(source));
        QCOMPARE(QDir(out(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{"d0.txt"});
    }

    // A long file is cut into ranges of pages converted at once; joined, they are byte for
    // byte the text of the whole file, in every order, with and without page breaks, in
    // code pages with and without a byte-order mark, and with no text at all.
    void splitFilesJoinToTheWholeText()
    {
        std::vector<testpdf::Page> pages;
        for (int i = 0; i < 100; ++i) {
            if (i % 7 == 3)
                pages.push_back(testpdf::scannedPage());
            else if (i % 2)
                pages.push_back(testpdf::twoColumnPage({"left " + std::to_string(i)}, {"right \xC3\xA9"}));
            else
                pages.push_back(testpdf::linesPage({"Page " + std::to_string(i), "\xCE\x95\xCE\xBB \xE6\x97\xA5 \xE2\x82\xAC"}));
        }
        const QString book = pdf(QStringLiteral("book.pdf"), pages);
        const QString blank = pdf(QStringLiteral("blank.pdf"), std::vector<testpdf::Page>(70, testpdf::scannedPage()));
        for (const QString &source : {book, blank}) {
            for (const int codePage : {65001, 1200, 1252}) {
                for (const int order : {0, 1, 2}) {
                    for (const bool breaks : {true, false}) {
                        QByteArray whole;
                        const int length = MyPdfCvt::ConvertPdfFile(source, whole, codePage, order, breaks);
                        QVERIFY(length >= 0);
                        whole.truncate(length);

                        ScriptedConverter recording;
                        recording.library = true;
                        ConversionEngine engine({codePage, order, breaks}, 2, &recording);
                        engine.setSplitThreshold(0);
                        const ConversionEngine::Job job = engine.submit(source, out(QString()));
                        while (!engine.waitFor(job, std::chrono::milliseconds(100))) {
                        }
                        ConversionEngine::Result result = engine.take(job);
                        QCOMPARE(result.result, 0);
                        QVERIFY(recording.ranges.size() >= 2);
                        QCOMPARE(result.text->commit(out(QStringLiteral("joined.txt")), true), Failure::None);
                        QByteArray joined;
                        joined = FileSystem::readFile(out(QStringLiteral("joined.txt"))).value_or(QByteArray());
                        QCOMPARE(joined, whole);
                    }
                }
            }
        }
        QCOMPARE(QDir(out(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{"joined.txt"});

        // With recognition on, even a short scan is cut into its pages, as each takes seconds;
        // a short file with a text layer is not.
        const std::vector<testpdf::Page> text(4, testpdf::linesPage({"A page of text"}));
        const QString scan = pdf(QStringLiteral("scan.pdf"), testpdf::scannedPages(testpdf::makePdf(text), 150));
        for (const QString &source : {scan, pdf(QStringLiteral("typed.pdf"), text)}) {
            ScriptedConverter recording;
            recording.library = true;
            ConversionEngine engine({65001, 0, true, true}, 2, &recording);
            engine.setSplitThreshold(0);
            const ConversionEngine::Job job = engine.submit(source, out(QString()));
            while (!engine.waitFor(job, std::chrono::milliseconds(100))) {
            }
            QCOMPARE(recording.ranges.size(), source == scan ? 4 : 1);
        }
    }

    void stoppedRunLeavesFilesConvertedAheadUnwritten()
    {
        QDir().mkpath(out(QString()));
        QFile(out(QStringLiteral("s1.txt"))).open(QIODevice::WriteOnly);
        for (int i = 0; i < 4; ++i)
            list->AddOneFile(pdf(QStringLiteral("s%1.pdf").arg(i)));
        core->options.existing = ExistingTarget::Prompt;
        ScriptedDisplay display;
        display.answers = {PromptAnswer::StopConvert};
        core->run(*list, display, ConversionRun::ConvertAll, 4);
        QCOMPARE(state(0), qint32(JobList::Converted));
        QCOMPARE(QDir(out(QString())).entryList(QDir::Files), (QStringList{"s0.txt", "s1.txt"}));
        QCOMPARE(QFileInfo(out(QStringLiteral("s1.txt"))).size(), 0); // the existing one, untouched
    }

    // A target folder that a hand-edited settings file leaves empty, relative or not UTF-8
    // places no text in the current folder: the entries fail as a target that cannot be made.
    void targetFolderThatIsNoFullPath()
    {
        const QString source = pdf(QStringLiteral("a.pdf"));
        list->AddOneFile(source);
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir->path()));
        const auto back = qScopeGuard([current] { QDir::setCurrent(current); });
        for (const QByteArray &folder : {QByteArray(""), QByteArray("relative/"), QByteArray("\xff\xfe/")}) {
            dir->write(QStringLiteral("Ordvane.dat"), "[general]\r\nsamedir=0\r\nsourcecode=65001\r\ntargetdir=" + folder + "\r\n");
            LoadSettings();
            core->options = RunOptions::fromSettings(Settings);
            list->setState(0, JobList::Waiting);
            ScriptedDisplay display;
            run(display, ConversionRun::ConvertAll);
            QCOMPARE(state(0), qint32(JobList::Failed));
            QCOMPARE(message(0), QStringLiteral("Target file create error"));
            QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("a.txt"))));
            QVERIFY(!QFileInfo::exists(dir->file(QStringLiteral("relative"))));
            QVERIFY(QDir(dir->path()).entryList({QStringLiteral(".kv-ordvane-*")}, QDir::Files | QDir::Hidden).isEmpty());
        }
        QCOMPARE(log().filter(QStringLiteral("Failed: Target file create error")).size(), 3);
    }

    void numberedNames()
    {
        QCOMPARE(TargetNames::numberedName(QStringLiteral("/nowhere/x.txt")), QStringLiteral("/nowhere/x(1).txt"));
        QCOMPARE(TargetNames::numberedName(QStringLiteral("/nowhere/x")), QStringLiteral("/nowhere/x(1)"));
        QDir(dir->path()).mkdir(QStringLiteral("n(1).txt")); // a folder takes a name too
        QCOMPARE(TargetNames::numberedName(dir->file(QStringLiteral("n.txt"))), dir->file(QStringLiteral("n(2).txt")));

        // The numbered name taken by another run while the text was made: the next number of
        // the same name, never a number of the numbered one.
        core->options.existing = ExistingTarget::AutoRename;
        list->AddOneFile(pdf(QStringLiteral("clash.pdf")));
        QDir().mkpath(out(QString()));
        dir->write(QStringLiteral("out/clash.txt"), "first");
        struct TakesTheName : ScriptedDisplay {
            QString taken;
            void stepProgress() override
            {
                ScriptedDisplay::stepProgress();
                QFile(taken).open(QIODevice::WriteOnly);
            }
        } display;
        display.taken = out(QStringLiteral("clash(1).txt"));
        run(display, ConversionRun::ConvertAll);
        QCOMPARE(list->text(0, JobList::Target), out(QStringLiteral("clash(2).txt")));
        QVERIFY(QFileInfo::exists(out(QStringLiteral("clash(2).txt"))));
        QVERIFY(!QFileInfo::exists(out(QStringLiteral("clash(1)(1).txt"))));
    }
};

QTEST_GUILESS_MAIN(TestConversionRun)
#include "tst_conversion_run.moc"
