#include "batch/BatchCommand.h"

#include "batch/Batch.h"
#include "conversion/MyPdfCvt.h"
#include "gathering/KvFileFind.h"
#include "platform/CodePage.h"
#include "settings/DocumentTypes.h"
#include "settings/RecognitionChoice.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QSet>
#include <climits>
#include <string.h>

namespace {

// A list of paths beyond this is not a list of files that exist.
constexpr qint64 MaxListBytes = qint64(1) << 30;

Expected<QStringList, QString> readList(const QString &name, bool nulSeparated)
{
    QFile file;
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                  : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened)
        return unexpected(Batch::tr("cannot read the list %1: %2").arg(name, file.errorString()));
    // Read as it comes: the list may be a pipe, or endless.
    const char separator = nulSeparated ? '\0' : '\n';
    QStringList paths;
    QByteArray pending;
    qint64 total = 0;
    char chunk[65536];
    for (qint64 n; (n = file.read(chunk, sizeof chunk)) > 0;) {
        if ((total += n) > MaxListBytes)
            return unexpected(Batch::tr("the list %1 is larger than %2 bytes").arg(name).arg(MaxListBytes));
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
            return unexpected(Batch::tr("a line of the list %1 is longer than a path can be").arg(name));
    }
    if (file.error() != QFileDevice::NoError)
        return unexpected(Batch::tr("cannot read the list %1: %2").arg(name, file.errorString()));
    if (!nulSeparated)
        pending.replace('\r', "");
    if (!pending.isEmpty())
        paths << FileSystem::decodePath(pending);
    return paths;
}

// The passwords of --password-file, one a line. Never on the command line, where every user's
// process list would show them; kept in memory only, and the bytes read are overwritten.
// UTF-8, as editors write it: with or without a byte-order mark, lines ended by LF, CR LF or
// CR alone.
Expected<QList<QByteArray>, QString> readPasswords(const QString &name)
{
    QFile file;
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                  : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened)
        return unexpected(Batch::tr("cannot read the passwords %1: %2").arg(name, file.errorString()));
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
        return unexpected(message);
    };
    if (all.size() > MostBytes)
        return refuse(Batch::tr("the passwords %1 are more than %2 bytes").arg(name).arg(MostBytes));
    if (all.startsWith("\xFF\xFE") || all.startsWith("\xFE\xFF") || all.contains('\0'))
        return refuse(Batch::tr("the password file %1 is not UTF-8 (UTF-16, say): save it as UTF-8, one password a line").arg(name));
    const qsizetype start = all.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype at = start; at < all.size();) {
        qsizetype end = at;
        while (end < all.size() && all[end] != '\n' && all[end] != '\r')
            ++end;
        if (end > at) {
            if (end - at > MyPdfCvt::MaxPasswordBytes)
                return refuse(Batch::tr("a password in %1 is longer than %2 bytes").arg(name).arg(MyPdfCvt::MaxPasswordBytes));
            if (passwords.size() == MyPdfCvt::MaxPasswords)
                return refuse(Batch::tr("the password file %1 holds more than %2 passwords").arg(name).arg(MyPdfCvt::MaxPasswords));
            passwords << all.mid(at, end - at); // one copy each, kept
        }
        at = end + (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n' ? 2 : 1);
    }
    explicit_bzero(all.data(), size_t(all.size()));
    return passwords;
}

// What the command line asks of the run, over the settings' choices.
Expected<RunOptions, QString> runOptionsOf(const QCommandLineParser &parser, const TSettings &settings)
{
    const auto set = [&](const char *name) { return parser.isSet(QLatin1String(name)); };
    const auto value = [&](const char *name) { return parser.value(QLatin1String(name)); };
    RunOptions options = RunOptions::fromSettings(settings);
    if (set("target-dir") && set("same-dir"))
        return unexpected(Batch::tr("--target-dir and --same-dir exclude each other"));
    if (set("target-dir")) {
        options.target.sameFolder = false;
        options.target.targetFolder = FileSystem::withTrailingSeparator(QDir::current().absoluteFilePath(value("target-dir")));
    }
    if (set("same-dir"))
        options.target.sameFolder = true;
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
            return unexpected(Batch::tr("--existing takes rename, overwrite, skip or update, not \"%1\"").arg(policy));
    }
    if (set("code-page")) {
        qint32 number = 0;
        if (!ParseInteger(value("code-page"), number))
            return unexpected(Batch::tr("--code-page takes a number, not \"%1\"").arg(value("code-page")));
        if (!CodePage::hasConverter(number))
            return unexpected(Batch::tr("code page %1 has no converter on this system").arg(number));
        options.codePage = number;
    }
    if (set("order")) {
        const QStringList orders = {QStringLiteral("reading"), QStringLiteral("layout"), QStringLiteral("raw")};
        if (!orders.contains(value("order")))
            return unexpected(Batch::tr("--order takes reading, layout or raw, not \"%1\"").arg(value("order")));
        options.order = TextOrder(orders.indexOf(value("order")));
    }
    if (set("page-breaks") && set("no-page-breaks"))
        return unexpected(Batch::tr("--page-breaks and --no-page-breaks exclude each other"));
    if (set("page-breaks") || set("no-page-breaks"))
        options.pageBreaks = set("page-breaks");
    if (set("ocr") && set("no-ocr"))
        return unexpected(Batch::tr("--ocr and --no-ocr exclude each other"));
    if (set("ocr") || set("no-ocr"))
        options.recognition = set("ocr");
    if (set("ocr-lang"))
        options.recognitionLanguages = value("ocr-lang").trimmed();
    if (options.recognition) {
        if (const QString problem = RecognitionLanguagesProblem(options.recognitionLanguages); !problem.isEmpty())
            return unexpected(problem);
    }
    if (set("keep-tree") && options.target.sameFolder)
        return unexpected(Batch::tr("--keep-tree needs a target folder (--target-dir)"));
    return options;
}

// A number of the command line within its bounds.
Expected<int, QString> boundedNumber(const QCommandLineParser &parser, const QString &option, int least, int most)
{
    bool ok = false;
    const int number = parser.value(option).toInt(&ok);
    if (!ok || number < least || number > most)
        return unexpected(Batch::tr("--%1 takes a number from %2 to %3, not \"%4\"").arg(option).arg(least).arg(most).arg(parser.value(option)));
    return number;
}

Expected<void, QString> watchOf(const QCommandLineParser &parser, Command::Watch &watch)
{
    const QString settle = QStringLiteral("settle"), rescan = QStringLiteral("rescan");
    watch.on = parser.isSet(QStringLiteral("watch"));
    if (!watch.on && (parser.isSet(settle) || parser.isSet(rescan)))
        return unexpected(Batch::tr("--settle and --rescan go with --watch"));
    if (parser.isSet(settle)) {
        const Expected<int, QString> milliseconds = boundedNumber(parser, settle, 0, 3600000);
        if (!milliseconds)
            return unexpected(milliseconds.error());
        watch.settleMilliseconds = *milliseconds;
    }
    if (parser.isSet(rescan)) {
        const Expected<int, QString> seconds = boundedNumber(parser, rescan, 0, 86400 * 7);
        if (!seconds)
            return unexpected(seconds.error());
        watch.rescanSeconds = *seconds;
    }
    return {};
}

} // namespace

CommandLine::Help batchHelp()
{
    CommandLine::Help help;
    help.description = Batch::tr(
        "Converts PDF files to text files as KV-Ordvane does, without a window. Folders are searched as Add Dir "
        "searches them. Defaults come from the program's settings file.\n\n"
        "A text file is named as its PDF, with the extension .txt. Where a name is taken, by a text of another PDF "
        "of the same run or, under rename, by any file, the text gets the first free name with a number, as "
        "report(1).txt.");
    help.argument = QStringLiteral("PATH");
    help.argumentText = Batch::tr("PDF files and folders to convert.");
    help.argumentSyntax = QStringLiteral("[PATH...]");
    help.options = {
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
        {QStringLiteral("watch"), Batch::tr("Convert what is not current in the folders, then keep watching them and convert each PDF written "
                                            "or moved into them, until ended by a signal (SIGTERM, SIGINT, SIGHUP).")},
        {QStringLiteral("settle"), Batch::tr("With --watch: take a file once it has been left unchanged for MS milliseconds (default 1000)."),
         QStringLiteral("MS")},
        {QStringLiteral("rescan"), Batch::tr("With --watch: also search the folders again every N seconds, for file systems that do not tell of "
                                             "changes (default 0: never)."),
         QStringLiteral("N")},
        {QStringLiteral("password-file"), Batch::tr("Try the passwords in FILE, one a line (\"-\": standard input), on each file that needs one."), QStringLiteral("FILE")},
    };
    return help;
}

void addOptions(QCommandLineParser &parser, const CommandLine::Help &help)
{
    CommandLine::addStandardOptions(parser);
    parser.addOptions(help.options);
    parser.addPositionalArgument(help.argument, help.argumentText, help.argumentSyntax);
}
Expected<Command, QString> commandOf(const QCommandLineParser &parser, const TSettings &settings)
{
    Command command;
    Expected<RunOptions, QString> options = runOptionsOf(parser, settings);
    if (!options)
        return unexpected(options.error());
    command.options = *options;
    command.types = DocumentTypes(settings.userfileext1);
    command.json = parser.isSet(QStringLiteral("json"));
    command.recursive = parser.isSet(QStringLiteral("recursive"));
    if (parser.isSet(QStringLiteral("jobs"))) {
        bool ok = false;
        command.threads = parser.value(QStringLiteral("jobs")).toInt(&ok);
        if (!ok || command.threads < 1 || command.threads > 1024)
            return unexpected(Batch::tr("--jobs takes a number from 1 to 1024, not \"%1\"").arg(parser.value(QStringLiteral("jobs"))));
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
            return unexpected(Batch::tr("--shard takes K/N with 0 <= K < N, not \"%1\"").arg(text));
    }
    if (parser.isSet(QStringLiteral("ocr-time"))) {
        bool ok = false;
        command.ocrSeconds = parser.value(QStringLiteral("ocr-time")).toInt(&ok);
        if (!ok || command.ocrSeconds < 1 || command.ocrSeconds > 65535)
            return unexpected(Batch::tr("--ocr-time takes a number of seconds from 1 to 65535, not \"%1\"").arg(parser.value(QStringLiteral("ocr-time"))));
    }
    if (const Expected<void, QString> watching = watchOf(parser, command.watch); !watching)
        return unexpected(watching.error());
    command.tree.kept = parser.isSet(QStringLiteral("keep-tree"));
    if (parser.isSet(QStringLiteral("base"))) {
        if (!command.tree.kept)
            return unexpected(Batch::tr("--base goes with --keep-tree"));
        command.tree.base = QDir::cleanPath(QDir::current().absoluteFilePath(parser.value(QStringLiteral("base"))));
    }
    command.given = parser.positionalArguments();
    if (parser.value(QStringLiteral("files-from")) == QLatin1String("-") && parser.value(QStringLiteral("password-file")) == QLatin1String("-"))
        return unexpected(Batch::tr("--files-from and --password-file cannot both read standard input"));
    if (parser.isSet(QStringLiteral("password-file"))) {
        Expected<QList<QByteArray>, QString> passwords = readPasswords(parser.value(QStringLiteral("password-file")));
        if (!passwords)
            return unexpected(passwords.error());
        MyPdfCvt::SetPasswords(*passwords); // which keeps copies of its own
        for (QByteArray &password : *passwords)
            explicit_bzero(password.data(), size_t(password.size()));
    }
    if (parser.isSet(QStringLiteral("files-from")))
    {
        const Expected<QStringList, QString> listed = readList(parser.value(QStringLiteral("files-from")), parser.isSet(QStringLiteral("0")));
        if (!listed)
            return unexpected(listed.error());
        command.given += *listed;
    }
    if (parser.isSet(QStringLiteral("job-file"))) {
        if (!command.given.isEmpty())
            return unexpected(Batch::tr("--job-file takes no other paths"));
        command.jobFile = QDir::current().absoluteFilePath(parser.value(QStringLiteral("job-file")));
    } else if (command.given.isEmpty()) {
        return unexpected(Batch::tr("no files or folders to convert"));
    }
    if (command.watch.on) {
        if (!command.jobFile.isEmpty())
            return unexpected(Batch::tr("--watch and --job-file exclude each other"));
        for (QString &folder : command.given) {
            folder = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
            if (!FileSystem::isDirectoryPath(folder))
                return unexpected(Batch::tr("--watch takes folders, and %1 is none").arg(folder));
        }
        // What is current is left as it is: the records of what made each text tell.
        if (!parser.isSet(QStringLiteral("existing")))
            command.options.existing = ExistingTarget::Update;
    }
    return command;
}
QString subfolderOf(const QString &file, const QString &root)
{
    const QString folder = QDir::cleanPath(FileSystem::folderOf(file));
    const QString prefix = FileSystem::withTrailingSeparator(QDir::cleanPath(root));
    return folder.startsWith(prefix) ? FileSystem::withTrailingSeparator(folder.mid(prefix.size())) : QString();
}

QString keptSubfolder(const Command &command, const QString &file, const QString &searched)
{
    const QString root = command.tree.base.isEmpty() ? searched : command.tree.base;
    return command.tree.kept && !root.isEmpty() ? subfolderOf(file, root) : QString();
}

void searchFolder(const Command &command, const QString &folder, const std::function<void(const QString &file)> &found)
{
    TKvFileSearch search;
    search.SearchDir = folder;
    search.SearchExts = command.types.DirectorySearchFilter({true});
    search.RecurseSubFolders = command.recursive;
    search.OnFileFind = [&](const QString &in, const TSearchRecW &file) {
        if (const QString path = FileSystem::joinPath(in, file.Name); command.part.takes(path))
            found(path);
    };
    search.Execute();
}

Inputs gather(const Command &command)
{
    Inputs inputs;
    QSet<QString> seen;
    for (const QString &given : command.given) {
        const QString path = given.startsWith(FileSystem::Separator) ? given : QDir::current().absoluteFilePath(given);
        // Under --keep-tree a file keeps its folder below the base, or below the folder
        // argument it was found in.
        const auto add = [&](const QString &file, const QString &searched) {
            if (seen.contains(FileSystem::pathKey(file))) {
                printLine(stderr, Batch::tr("File [%1] already added!").arg(file));
                return;
            }
            seen.insert(FileSystem::pathKey(file));
            inputs.files << file;
            if (const QString below = keptSubfolder(command, file, searched); !below.isEmpty())
                inputs.subfolders.insert(FileSystem::pathKey(file), below);
        };
        if (!FileSystem::isDirectoryPath(path)) {
            if (command.part.takes(path))
                add(path, QString());
            continue;
        }
        searchFolder(command, path, [&](const QString &file) { add(file, path); });
    }
    return inputs;
}
