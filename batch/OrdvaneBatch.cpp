// ordvane-batch: the conversion of the window, without a window. The same target rule,
// policies, code pages, result codes, messages and engine, through the same ConversionRun;
// the defaults come from the program's settings file, and every one can be overridden.
#include "base/Version.h"
#include "conversion/ActivityLog.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/RunOptions.h"
#include "gathering/KvFileFind.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/IoError.h"
#include "platform/JobListLock.h"
#include "platform/LocaleInfo.h"
#include "platform/OrphanReaper.h"
#include "platform/ProgramFolders.h"
#include "platform/Translations.h"
#include "settings/DocumentTypes.h"
#include "settings/RecognitionChoice.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QThread>
#include <climits>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// The context of this program's texts in the translations.
struct Batch {
    Q_DECLARE_TR_FUNCTIONS(Batch)
};

// Some text missing: pages that recognition did not read, or not in full; no file failed.
constexpr int ExitConverted = 0, ExitSomeFailed = 1, ExitUsage = 2, ExitPagesUnread = 3;

volatile std::sig_atomic_t interruptedBy = 0;

void interrupt(int signal)
{
    interruptedBy = signal;
}

// Page numbers as a list: "3, 7".
QString pageList(const QList<int> &pages)
{
    QStringList numbers;
    for (const int page : pages)
        numbers << QString::number(page);
    return numbers.join(QStringLiteral(", "));
}

void printLine(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

[[noreturn]] void usageError(const QString &message)
{
    printLine(stderr, QStringLiteral("ordvane-batch: ") + message);
    printLine(stderr, Batch::tr("Try 'ordvane-batch --help' for more information."));
    std::exit(ExitUsage);
}

// A stable part of the input: the same on every machine that sees the same paths.
struct Shard {
    quint64 index = 0, count = 1;

    bool takes(const QString &path) const
    {
        quint64 hash = 1469598103934665603ull; // FNV-1a over the path's bytes
        for (const char byte : FileSystem::encodePath(path)) {
            hash ^= quint8(byte);
            hash *= 1099511628211ull;
        }
        return hash % count == index;
    }
};

struct Inputs {
    QStringList files;
    QSet<QString> seen;
    QHash<QString, QString> subfolders; // with --keep-tree: below the target folder, by path key
};

// How the files' texts are placed below the target folder.
struct Tree {
    bool kept = false; // --keep-tree
    QString base;      // --base, absolute; empty without
};

// The folder that holds the file, below root, ending in "/"; empty when the file lies in root
// itself or outside it.
QString subfolderOf(const QString &file, const QString &root)
{
    const QString folder = QDir::cleanPath(FileSystem::folderOf(file));
    const QString prefix = FileSystem::withTrailingSeparator(QDir::cleanPath(root));
    return folder.startsWith(prefix) ? FileSystem::withTrailingSeparator(folder.mid(prefix.size())) : QString();
}

// Files as a drop adds them, folders as Add Dir searches them; duplicates are refused with
// the window's message. Under --keep-tree a file keeps its folder below the base, or below
// the folder argument it was found in.
void gather(const QString &given, bool recursive, const Tree &tree, const Shard &shard, Inputs &inputs)
{
    const QString path = given.startsWith(FileSystem::Separator) ? given : QDir::current().absoluteFilePath(given);
    const auto add = [&](const QString &file, const QString &root) {
        if (!shard.takes(file))
            return;
        if (inputs.seen.contains(FileSystem::pathKey(file))) {
            printLine(stderr, Batch::tr("File [%1] already added!").arg(file));
            return;
        }
        inputs.seen.insert(FileSystem::pathKey(file));
        inputs.files << file;
        if (const QString below = tree.kept && !root.isEmpty() ? subfolderOf(file, root) : QString(); !below.isEmpty())
            inputs.subfolders.insert(FileSystem::pathKey(file), below);
    };
    if (!FileSystem::isDirectoryPath(path)) {
        add(path, tree.base);
        return;
    }
    TKvFileSearch search;
    search.SearchDir = path;
    search.SearchExts = DirectorySearchFilter({true});
    search.RecurseSubFolders = recursive;
    search.OnFileFind = [&](const QString &folder, const TSearchRecW &found) {
        add(FileSystem::joinPath(folder, found.Name), tree.base.isEmpty() ? path : tree.base);
    };
    search.Execute();
}

// A list of paths beyond this is not a list of files that exist.
constexpr qint64 MaxListBytes = qint64(1) << 30;

QStringList readList(const QString &name, bool nulSeparated)
{
    QFile file;
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                  : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened)
        usageError(Batch::tr("cannot read the list %1: %2").arg(name, file.errorString()));
    // Read as it comes: the list may be a pipe, or endless.
    const char separator = nulSeparated ? '\0' : '\n';
    QStringList paths;
    QByteArray pending;
    qint64 total = 0;
    char chunk[65536];
    for (qint64 n; (n = file.read(chunk, sizeof chunk)) > 0;) {
        if ((total += n) > MaxListBytes)
            usageError(Batch::tr("the list %1 is larger than %2 bytes").arg(name).arg(MaxListBytes));
        pending.append(chunk, n);
        qsizetype start = 0;
        for (qsizetype end; (end = pending.indexOf(separator, start)) >= 0; start = end + 1) {
            if (end == start) { // an empty line: a run of them goes at once
                const char *bytes = pending.constData();
                while (end + 1 < pending.size() && bytes[end + 1] == separator)
                    ++end;
                continue;
            }
            QByteArray path = pending.mid(start, end - start);
            if (!nulSeparated)
                path.replace('\r', "");
            if (!path.isEmpty())
                paths << FileSystem::decodePath(path);
        }
        pending.remove(0, start);
        if (pending.size() > PATH_MAX)
            usageError(Batch::tr("a line of the list %1 is longer than a path can be").arg(name));
    }
    if (file.error() != QFileDevice::NoError)
        usageError(Batch::tr("cannot read the list %1: %2").arg(name, file.errorString()));
    if (!nulSeparated)
        pending.replace('\r', "");
    if (!pending.isEmpty())
        paths << FileSystem::decodePath(pending);
    return paths;
}

struct Totals {
    int converted = 0, failed = 0, skipped = 0;
    int unreadPages = 0; // for want of recognition data, or of time
    qint64 pages = 0;
    QElapsedTimer clock;
};

// What the window would show, told on the terminal: a line per entry, a progress bar.
class BatchDisplay : public ConversionRun::Display {
public:
    BatchDisplay(const JobList &list, bool json, Totals &totals)
        : list(list), json(json), progressBar(isatty(STDERR_FILENO) == 1), totals(totals)
    {
    }

    bool cancelRequested() override { return interruptedBy != 0; }
    void waiting(const ConversionEngine::Progress &progress) override
    {
        latest = progress;
        showProgress();
    }
    void processEvents() override { showProgress(); }
    void runFinished() override
    {
        if (progressBar && shown)
            std::fputs("\r\033[K", stderr);
    }

    void entrySkipped(int row, const QString &why) override
    {
        if (json) {
            QString message = why;
            message[0] = message[0].toUpper();
            printJson(row, QStringLiteral("Skipped"), message, ConversionRun::EntryReport());
        }
        std::fflush(stdout);
    }

    void entryDone(int row, const ConversionRun::EntryReport &report) override
    {
        const bool converted = list.entry(row).state == JobList::Converted;
        totals.pages += std::max<qint64>(report.pages, 0);
        if (json) {
            ConversionRun::EntryReport told = report;
            if (!converted)
                told.bytes = -1; // no text was kept
            printJson(row, converted ? QStringLiteral("Converted") : QStringLiteral("Failed"), list.text(row, JobList::Message), told);
        } else if (!converted) {
            clearProgress();
            printLine(stdout, Batch::tr("Failed: %1 (%2)").arg(list.shownMessage(row), list.text(row, JobList::Source)));
        }
        // Text missing from a converted file is told whatever else is asked: with --json, and
        // without a log.
        totals.unreadPages += int(report.unreadPages.size() + report.unfinishedPages.size());
        if (!report.unfinishedPages.isEmpty()) {
            clearProgress();
            printLine(stderr, QStringLiteral("ordvane-batch: ")
                                  + Batch::tr("recognition did not finish in time, text is missing: page(s) %1 of %2")
                                        .arg(pageList(report.unfinishedPages), list.text(row, JobList::Source)));
        }
        std::fflush(stdout);
    }

private:
    void printJson(int row, const QString &state, const QString &message, const ConversionRun::EntryReport &report)
    {
        QJsonObject line;
        line[QStringLiteral("source")] = list.text(row, JobList::Source);
        line[QStringLiteral("target")] = list.text(row, JobList::Target);
        line[QStringLiteral("state")] = state;
        line[QStringLiteral("result")] = report.converted ? QJsonValue(report.result) : QJsonValue();
        line[QStringLiteral("message")] = message;
        line[QStringLiteral("pages")] = report.pages >= 0 ? QJsonValue(report.pages) : QJsonValue();
        line[QStringLiteral("bytes")] = report.bytes >= 0 ? QJsonValue(report.bytes) : QJsonValue();
        line[QStringLiteral("seconds")] = qRound(report.seconds * 1000) / 1000.0;
        // Pages whose text is missing: no recognition data read them, or their reading did
        // not finish in time.
        for (const auto &[name, pages] : {std::pair{"unreadPages", &report.unreadPages}, std::pair{"unfinishedPages", &report.unfinishedPages}}) {
            QJsonArray numbers;
            for (const int page : *pages)
                numbers << page;
            if (!numbers.isEmpty())
                line[QLatin1String(name)] = numbers;
        }
        clearProgress();
        printLine(stdout, QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)));
    }

    void clearProgress()
    {
        if (progressBar && shown)
            std::fputs("\r\033[K", stderr);
        shown = false;
    }

    void showProgress()
    {
        if (!progressBar || (lastShown.isValid() && lastShown.elapsed() < 200) || latest.pagesExpected <= 0)
            return;
        lastShown.start();
        const double done = std::min(1.0, double(latest.pagesDone) / double(latest.pagesExpected));
        const double seconds = totals.clock.elapsed() / 1000.0;
        const int filled = int(done * 30);
        QString line = QStringLiteral("\r[%1%2] %3% ")
                           .arg(QString(filled, u'#'), QString(30 - filled, u'.'))
                           .arg(int(done * 100), 3)
                       + Batch::tr("%1 pages/s").arg(seconds > 0 ? qRound(latest.pagesDone / seconds) : 0);
        if (seconds > 3 && done > 0.02) {
            const qint64 left = qint64(seconds * (1 - done) / done);
            line += Batch::tr(", %1:%2 left").arg(left / 60).arg(left % 60, 2, 10, QLatin1Char('0'));
        }
        std::fputs(qPrintable(line + QStringLiteral("\033[K")), stderr);
        shown = true;
    }

    const JobList &list;
    const bool json;
    const bool progressBar;
    Totals &totals;
    bool shown = false;
    ConversionEngine::Progress latest;
    QElapsedTimer lastShown;
};

void runOver(JobList &list, int mode, const RunOptions &options, int jobs, bool json, Totals &totals)
{
    BatchDisplay display(list, json, totals);
    ConversionRun run(list, display, jobs);
    run.run(mode, options);
    totals.converted += run.successful();
    totals.failed += run.failed();
    totals.skipped += run.skipped();
    if (run.unreadPages() > 0)
        printLine(stderr, QStringLiteral("ordvane-batch: ") + run.unreadNote(ConversionRun::Language::User));
    if (run.unfinishedPages() > 0)
        printLine(stderr, QStringLiteral("ordvane-batch: ") + run.unfinishedNote(ConversionRun::Language::User));
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(Batch::tr(
        "Converts PDF files to text files as KV-Ordvane does, without a window. Folders are searched as Add Dir "
        "searches them. Defaults come from the program's settings file.\n\n"
        "A text file is named as its PDF, with the extension .txt. Where a name is taken, by a text of another PDF "
        "of the same run or, under rename, by any file, the text gets the first free name with a number, as "
        "report(1).txt."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("PATH"), Batch::tr("PDF files and folders to convert."), QStringLiteral("[PATH...]"));
    parser.addOptions({
        {QStringLiteral("recursive"), Batch::tr("Search folders' subfolders too.")},
        {QStringLiteral("files-from"), Batch::tr("Read paths from FILE, one a line (\"-\": standard input)."), QStringLiteral("FILE")},
        {QStringLiteral("0"), Batch::tr("The list of --files-from is separated by NUL bytes.")},
        {QStringLiteral("target-dir"), Batch::tr("Write the text files into DIR."), QStringLiteral("DIR")},
        {QStringLiteral("same-dir"), Batch::tr("Write each text file beside its PDF.")},
        {QStringLiteral("keep-tree"), Batch::tr("Put each text file into the folder below the target folder that holds its PDF below the folder it was "
                                                "found in (or below --base); files given by name go straight into the target folder.")},
        {QStringLiteral("base"), Batch::tr("With --keep-tree: the folders below DIR are kept for every file, also those given by name or in a list."),
         QStringLiteral("DIR")},
        {QStringLiteral("existing"), Batch::tr("When a text file exists: rename, overwrite, skip, or update (convert again only when the PDF or the options changed since its text was made)."), QStringLiteral("POLICY")},
        {QStringLiteral("code-page"), Batch::tr("Code page of the text files (65001 UTF-8, 1200 UTF-16, 0 the system's, or a Windows code page)."), QStringLiteral("N")},
        {QStringLiteral("order"), Batch::tr("Text order: reading, layout or raw."), QStringLiteral("ORDER")},
        {QStringLiteral("page-breaks"), Batch::tr("A form feed after each page.")},
        {QStringLiteral("no-page-breaks"), Batch::tr("No form feeds between pages.")},
        {QStringLiteral("ocr"), Batch::tr("Recognise text in scanned pages.")},
        {QStringLiteral("no-ocr"), Batch::tr("Do not recognise text in scanned pages.")},
        {QStringLiteral("ocr-lang"), Batch::tr("Recognition languages, Tesseract codes joined by \"+\" (eng+deu)."), QStringLiteral("LANGS")},
        {QStringLiteral("ocr-time"), Batch::tr("Give the recognition of a page N seconds (default 120); a page not read by then keeps what was read, and is told."),
         QStringLiteral("N")},
        {QStringLiteral("jobs"), Batch::tr("Convert N files at once (default: one per processor)."), QStringLiteral("N")},
        {QStringLiteral("no-log"), Batch::tr("Do not append to the activity log.")},
        {QStringLiteral("json"), Batch::tr("One JSON object a line per file on standard output.")},
        {QStringLiteral("shard"), Batch::tr("Take part K of N of the input (0 <= K < N), split by a hash of each path."), QStringLiteral("K/N")},
        {QStringLiteral("job-file"), Batch::tr("Convert the Waiting entries of a job list and record their outcomes in it."), QStringLiteral("FILE")},
        {QStringLiteral("password-file"), Batch::tr("Try the passwords in FILE, one a line (\"-\": standard input), on each file that needs one."), QStringLiteral("FILE")},
    });
}

// What the command line asks of the run, over the settings' choices.
RunOptions runOptionsOf(const QCommandLineParser &parser)
{
    const auto set = [&](const char *name) { return parser.isSet(QLatin1String(name)); };
    const auto value = [&](const char *name) { return parser.value(QLatin1String(name)); };
    RunOptions options = RunOptions::fromSettings(Settings);
    if (set("target-dir") && set("same-dir"))
        usageError(Batch::tr("--target-dir and --same-dir exclude each other"));
    if (set("target-dir")) {
        options.sameFolder = false;
        options.targetFolder = FileSystem::withTrailingSeparator(QDir::current().absoluteFilePath(value("target-dir")));
    }
    if (set("same-dir"))
        options.sameFolder = true;
    if (set("existing")) {
        const QString policy = value("existing");
        if (policy == QLatin1String("rename"))
            options.existing = ExistingTarget::AutoRename;
        else if (policy == QLatin1String("overwrite"))
            options.existing = ExistingTarget::Overwrite;
        else if (policy == QLatin1String("skip"))
            options.existing = ExistingTarget::Skip;
        else if (policy == QLatin1String("update"))
            options.existing = ExistingTarget::Update;
        else
            usageError(Batch::tr("--existing takes rename, overwrite, skip or update, not \"%1\"").arg(policy));
    }
    if (set("code-page")) {
        qint32 number = 0;
        if (!ParseInteger(value("code-page"), number))
            usageError(Batch::tr("--code-page takes a number, not \"%1\"").arg(value("code-page")));
        if (!CodePage::hasConverter(number))
            usageError(Batch::tr("code page %1 has no converter on this system").arg(number));
        options.codePage = number;
    }
    if (set("order")) {
        const QStringList orders = {QStringLiteral("reading"), QStringLiteral("layout"), QStringLiteral("raw")};
        if (!orders.contains(value("order")))
            usageError(Batch::tr("--order takes reading, layout or raw, not \"%1\"").arg(value("order")));
        options.order = TextOrder(orders.indexOf(value("order")));
    }
    if (set("page-breaks") && set("no-page-breaks"))
        usageError(Batch::tr("--page-breaks and --no-page-breaks exclude each other"));
    if (set("page-breaks") || set("no-page-breaks"))
        options.pageBreaks = set("page-breaks");
    if (set("ocr") && set("no-ocr"))
        usageError(Batch::tr("--ocr and --no-ocr exclude each other"));
    if (set("ocr") || set("no-ocr"))
        options.recognition = set("ocr");
    if (set("ocr-lang"))
        options.recognitionLanguages = value("ocr-lang").trimmed();
    if (options.recognition) {
        if (const QString problem = RecognitionLanguagesProblem(options.recognitionLanguages); !problem.isEmpty())
            usageError(problem);
    }

    return options;
}

// The passwords of --password-file, one a line. Never on the command line, where every user's
// process list would show them; kept in memory only, and the bytes read are overwritten.
// UTF-8, as editors write it: with or without a byte-order mark, lines ended by LF, CR LF or
// CR alone.
QList<QByteArray> readPasswords(const QString &name)
{
    QFile file;
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                  : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened)
        usageError(Batch::tr("cannot read the passwords %1: %2").arg(name, file.errorString()));
    constexpr qint64 MostBytes = 1 << 20;
    QByteArray all = file.read(MostBytes + 1);
    QList<QByteArray> passwords;
    const auto overwrite = [&] {
        explicit_bzero(all.data(), size_t(all.size()));
        for (QByteArray &password : passwords)
            explicit_bzero(password.data(), size_t(password.size()));
    };
    const auto refuse = [&](const QString &message) {
        overwrite();
        usageError(message);
    };
    if (all.size() > MostBytes)
        refuse(Batch::tr("the passwords %1 are more than %2 bytes").arg(name).arg(MostBytes));
    if (all.startsWith("\xFF\xFE") || all.startsWith("\xFE\xFF") || all.contains('\0'))
        refuse(Batch::tr("the password file %1 is not UTF-8 (UTF-16, say): save it as UTF-8, one password a line").arg(name));
    const qsizetype start = all.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype at = start; at < all.size();) {
        qsizetype end = at;
        while (end < all.size() && all[end] != '\n' && all[end] != '\r')
            ++end;
        if (end > at) {
            if (end - at > MyPdfCvt::MaxPasswordBytes)
                refuse(Batch::tr("a password in %1 is longer than %2 bytes").arg(name).arg(MyPdfCvt::MaxPasswordBytes));
            if (passwords.size() == MyPdfCvt::MaxPasswords)
                refuse(Batch::tr("the password file %1 holds more than %2 passwords").arg(name).arg(MyPdfCvt::MaxPasswords));
            passwords << all.mid(at, end - at); // one copy each, kept
        }
        at = end + (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n' ? 2 : 1);
    }
    explicit_bzero(all.data(), size_t(all.size()));
    return passwords;
}

// The rest of the command line: how, and what, to convert.
struct Command {
    int threads = 0; // 0: one per processor
    bool json = false;
    bool recursive = false;
    int ocrSeconds = 0; // the recognition's time for a page; 0: the library's own
    Tree tree;
    Shard part;
    QString jobFile;   // absolute; empty without --job-file
    QStringList given; // paths of files and folders
};

Command commandOf(const QCommandLineParser &parser)
{
    Command command;
    command.json = parser.isSet(QStringLiteral("json"));
    command.recursive = parser.isSet(QStringLiteral("recursive"));
    if (parser.isSet(QStringLiteral("jobs"))) {
        bool ok = false;
        command.threads = parser.value(QStringLiteral("jobs")).toInt(&ok);
        if (!ok || command.threads < 1 || command.threads > 1024)
            usageError(Batch::tr("--jobs takes a number from 1 to 1024, not \"%1\"").arg(parser.value(QStringLiteral("jobs"))));
    }
    if (parser.isSet(QStringLiteral("shard"))) {
        const QString text = parser.value(QStringLiteral("shard"));
        const QStringList numbers = text.split(u'/');
        bool okIndex = false, okCount = false;
        if (numbers.size() == 2) {
            command.part.index = numbers[0].toULongLong(&okIndex);
            command.part.count = numbers[1].toULongLong(&okCount);
        }
        if (!okIndex || !okCount || command.part.count == 0 || command.part.index >= command.part.count)
            usageError(Batch::tr("--shard takes K/N with 0 <= K < N, not \"%1\"").arg(text));
    }
    if (parser.isSet(QStringLiteral("ocr-time"))) {
        bool ok = false;
        command.ocrSeconds = parser.value(QStringLiteral("ocr-time")).toInt(&ok);
        if (!ok || command.ocrSeconds < 1 || command.ocrSeconds > 65535)
            usageError(Batch::tr("--ocr-time takes a number of seconds from 1 to 65535, not \"%1\"").arg(parser.value(QStringLiteral("ocr-time"))));
    }
    command.tree.kept = parser.isSet(QStringLiteral("keep-tree"));
    if (parser.isSet(QStringLiteral("base"))) {
        if (!command.tree.kept)
            usageError(Batch::tr("--base goes with --keep-tree"));
        command.tree.base = QDir::cleanPath(QDir::current().absoluteFilePath(parser.value(QStringLiteral("base"))));
    }
    command.given = parser.positionalArguments();
    if (parser.value(QStringLiteral("files-from")) == QLatin1String("-") && parser.value(QStringLiteral("password-file")) == QLatin1String("-"))
        usageError(Batch::tr("--files-from and --password-file cannot both read standard input"));
    if (parser.isSet(QStringLiteral("password-file"))) {
        QList<QByteArray> passwords = readPasswords(parser.value(QStringLiteral("password-file")));
        MyPdfCvt::SetPasswords(passwords); // which keeps copies of its own
        for (QByteArray &password : passwords)
            explicit_bzero(password.data(), size_t(password.size()));
    }
    if (parser.isSet(QStringLiteral("files-from")))
        command.given += readList(parser.value(QStringLiteral("files-from")), parser.isSet(QStringLiteral("0")));
    if (parser.isSet(QStringLiteral("job-file"))) {
        if (!command.given.isEmpty())
            usageError(Batch::tr("--job-file takes no other paths"));
        command.jobFile = QDir::current().absoluteFilePath(parser.value(QStringLiteral("job-file")));
    } else if (command.given.isEmpty()) {
        usageError(Batch::tr("no files or folders to convert"));
    }
    return command;
}

// The Waiting entries of the job list in the shard, their outcomes recorded in it.
void convertJobFile(const Command &command, const RunOptions &options, Totals &totals)
{
    JobListLock lock(command.jobFile); // the window and other batches keep off
    if (lock.tryLock() != JobListLock::Result::Locked)
        usageError(Batch::tr("the job list %1 is in use").arg(command.jobFile));
    JobList list;
    if (list.LoadJobFile(command.jobFile) != JobList::LoadResult::Loaded)
        usageError(Batch::tr("the job list %1 cannot be read in full").arg(command.jobFile));
    RunOptions placed = options;
    for (int row = 0; row < list.count(); ++row) {
        const QString source = list.text(row, JobList::Source);
        list.setSelected(row, list.entry(row).state == JobList::Waiting && command.part.takes(source));
        if (const QString below = command.tree.base.isEmpty() ? QString() : subfolderOf(source, command.tree.base); !below.isEmpty())
            placed.subfolders.insert(FileSystem::pathKey(source), below);
    }
    runOver(list, ConversionRun::ConvertSelected, placed, command.threads, command.json, totals);
    list.SaveJobFile(command.jobFile);
}

void convertPaths(const Command &command, const RunOptions &options, Totals &totals)
{
    Inputs inputs;
    for (const QString &path : command.given)
        gather(path, command.recursive, command.tree, command.part, inputs);
    RunOptions placed = options;
    placed.subfolders = inputs.subfolders;
    // The job list holds at most 65535 entries: larger inputs go through in parts.
    for (qsizetype first = 0; first < inputs.files.size() && !interruptedBy; first += JobList::MaxEntries) {
        JobList list;
        QObject::connect(&list, &JobList::statusMessage, [](const QString &text) { printLine(stderr, text); });
        for (const QString &file : inputs.files.mid(first, JobList::MaxEntries)) {
            // A file named that is not there, or no PDF, is not converted: the run failed it.
            const JobList::AddResult added = list.AddOneFile(file, JobList::Presence::Required);
            if (added == JobList::AddResult::NotFound || added == JobList::AddResult::TypeNotSupported)
                ++totals.failed;
        }
        runOver(list, ConversionRun::ConvertAll, placed, command.threads, command.json, totals);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    ReapOrphansAsProcessOne();
    FileSystem::failWritesPastSizeLimit();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ordvane-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORDVANE_VERSION));
    LocaleInfo::initialise();
    Translations::install();

    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    LoadSettings();
    const RunOptions options = runOptionsOf(parser);
    if (parser.isSet(QStringLiteral("keep-tree")) && options.sameFolder)
        usageError(Batch::tr("--keep-tree needs a target folder (--target-dir)"));
    // The job list names each entry's target as it is added.
    Settings.samedir = options.sameFolder;
    Settings.targetdir = options.targetFolder;
    if (parser.isSet(QStringLiteral("no-log")))
        Settings.notlog = true;
    // A log that cannot be written (another user's, in a shared program folder) costs its
    // lines and one warning, never the run.
    SetLogFailureHandler([](const IoError &error) {
        static bool warned = false;
        if (!std::exchange(warned, true))
            printLine(stderr, QStringLiteral("ordvane-batch: ") + Batch::tr("the activity log cannot be written, its lines are lost: %1").arg(error.message()));
    });
    const Command command = commandOf(parser);

    if (!MyPdfCvt::LoadConverterLibrary(ProgramDirectory()))
        printLine(stderr, QStringLiteral("ordvane-batch: ") + Batch::tr("the converter library cannot be loaded from %1").arg(ProgramDirectory()));
    if (command.ocrSeconds > 0)
        MyPdfCvt::SetRecognitionBudget(command.ocrSeconds);
    // Each of these ends the run at once, with no helper left and no half target: a closed
    // pipe too (| head), which would otherwise end the program in the middle of a write.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
        std::signal(signal, interrupt);

    Totals totals;
    totals.clock.start();
    try {
        if (!command.jobFile.isEmpty())
            convertJobFile(command, options, totals);
        else
            convertPaths(command, options, totals);
    } catch (const OrdvaneError &error) {
        printLine(stderr, QStringLiteral("ordvane-batch: ") + error.message());
        MyPdfCvt::UnloadConverterLibrary();
        return ExitSomeFailed;
    }
    MyPdfCvt::UnloadConverterLibrary();
    if (!command.json) {
        const double seconds = totals.clock.elapsed() / 1000.0;
        const QString summary = totals.skipped > 0
            ? Batch::tr("%1 converted, %2 skipped, %3 failed; %4 pages in %5 s").arg(totals.converted).arg(totals.skipped)
            : Batch::tr("%1 converted, %2 failed; %3 pages in %4 s").arg(totals.converted);
        printLine(stdout, summary.arg(totals.failed).arg(totals.pages).arg(seconds, 0, 'f', 1));
    }
    if (interruptedBy) {
        printLine(stderr, QStringLiteral("ordvane-batch: ") + Batch::tr("interrupted"));
        return 128 + interruptedBy;
    }
    return totals.failed > 0 ? ExitSomeFailed : totals.unreadPages > 0 ? ExitPagesUnread : ExitConverted;
}
