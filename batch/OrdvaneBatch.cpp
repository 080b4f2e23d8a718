// ordvane-batch: the conversion of the window, without a window. The same target rule,
// policies, code pages, result codes, messages and engine, through the same ConversionRun;
// the defaults come from the program's settings file, and every one can be overridden.
#include "base/Version.h"
#include "batch/Batch.h"
#include "batch/BatchCommand.h"
#include "batch/BatchDisplay.h"
#include "batch/BatchRun.h"
#include "batch/WatchRun.h"
#include "conversion/ActivityLog.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobFile.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "platform/EndRequests.h"
#include "platform/FileSystem.h"
#include "platform/JobListLock.h"
#include "platform/LocaleInfo.h"
#include "platform/OrphanReaper.h"
#include "platform/ProgramFolders.h"
#include "platform/Translations.h"
#include "settings/Settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <csignal>

namespace {

// Some text missing: pages that recognition did not read, or not in full; no file failed.
constexpr int ExitConverted = 0, ExitSomeFailed = 1, ExitUsage = 2, ExitPagesUnread = 3;

void interrupt(int signal)
{
    interruptedBy = signal;
}

int usageError(const QString &message)
{
    printLine(stderr, QStringLiteral("ordvane-batch: ") + message);
    printLine(stderr, Batch::tr("Try 'ordvane-batch --help' for more information."));
    return ExitUsage;
}

// One run over the list, in this program's event loop, which only the run uses.
void runOver(const Conversion &conversion, JobList &list, int mode, const RunOptions &options)
{
    BatchDisplay display(list, conversion.command.json, conversion.totals);
    ConversionRun run(list, display, conversion.log, conversion.command.threads);
    QEventLoop loop;
    QObject::connect(&run, &ConversionRun::finished, &loop, &QEventLoop::quit);
    if (run.start(mode, options) && run.running())
        loop.exec();
    addToTotals(conversion, run);
}

// The Waiting entries of the job list in the shard, their outcomes recorded in it.
Expected<void, QString> convertJobFile(const Conversion &conversion)
{
    const Command &command = conversion.command;
    JobListLock lock(command.jobFile); // the window and other batches keep off
    if (lock.tryLock() != JobListLock::Result::Locked)
        return unexpected(Batch::tr("the job list %1 is in use").arg(command.jobFile));
    JobFile::Loaded loaded = JobFile::LoadJobFile(command.jobFile);
    if (loaded.result != JobFile::LoadResult::Loaded)
        return unexpected(Batch::tr("the job list %1 cannot be read in full").arg(command.jobFile));
    JobList list({command.types, command.options.target, &conversion.log});
    list.replaceEntries(std::move(loaded.entries));
    RunOptions placed = command.options;
    for (int row = 0; row < list.count(); ++row) {
        const QString &source = list.entry(row).source;
        list.setSelected(row, list.entry(row).state == JobList::Waiting && command.part.takes(source));
        if (const QString below = command.tree.base.isEmpty() ? QString() : subfolderOf(source, command.tree.base); !below.isEmpty())
            placed.target.subfolders.insert(FileSystem::pathKey(source), below);
    }
    runOver(conversion, list, ConversionRun::ConvertSelected, placed);
    if (const IoResult<void> saved = JobFile::SaveJobFile(command.jobFile, list.allEntries()); !saved)
        return unexpected(saved.error().message());
    return {};
}

void convertPaths(const Conversion &conversion)
{
    const Command &command = conversion.command;
    const Inputs inputs = gather(command);
    RunOptions placed = command.options;
    placed.target.subfolders = inputs.subfolders;
    // The job list holds at most 65535 entries: larger inputs go through in parts.
    for (qsizetype first = 0; first < inputs.files.size() && !interruptedBy; first += JobList::MaxEntries) {
        JobList list({command.types, placed.target, &conversion.log});
        addFiles(conversion, list, inputs.files.mid(first, JobList::MaxEntries));
        runOver(conversion, list, ConversionRun::ConvertAll, placed);
    }
}

// The folders watched in the program's event loop until a signal ends the watch; the
// message when one of them cannot be watched.
Expected<void, QString> watchFolders(const Conversion &conversion)
{
    WatchRun watch(conversion);
    // The event loop wakes on them; a second one ends the watch as the first does.
    EndRequests ends(EndRequests::Repeated::Told);
    QObject::connect(&ends, &EndRequests::endRequested, [&watch](int signal) {
        interruptedBy = signal;
        watch.end();
    });
    QObject::connect(&watch, &WatchRun::ended, QCoreApplication::instance(), &QCoreApplication::quit);
    if (const Expected<void, QString> started = watch.start(); !started)
        return started;
    if (interruptedBy) // before the signals woke the loop
        watch.end();
    QCoreApplication::exec();
    return {};
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
    const CommandLine::Help help = batchHelp();
    addOptions(parser, help);
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (CommandLine::answerStandardOptions(parser, help))
        return 0;
    LoadSettings();
    const Expected<Command, QString> command = commandOf(parser, Settings);
    if (!command)
        return usageError(command.error());
    ActivityLog log(ActivityLogPath(), !Settings.notlog && !parser.isSet(QStringLiteral("no-log")));
    // A log that cannot be written (another user's, in a shared program folder) costs its
    // lines and one warning, never the run.
    log.setFailureHandler([warned = false](const IoError &error) mutable {
        if (!std::exchange(warned, true))
            printLine(stderr, QStringLiteral("ordvane-batch: ") + Batch::tr("the activity log cannot be written, its lines are lost: %1").arg(error.message()));
    });

    if (!MyPdfCvt::LoadConverterLibrary(ProgramDirectory()))
        printLine(stderr, QStringLiteral("ordvane-batch: ") + Batch::tr("the converter library cannot be loaded from %1").arg(ProgramDirectory()));
    if (command->ocrSeconds > 0)
        MyPdfCvt::SetRecognitionBudget(command->ocrSeconds);
    // Each of these ends the run at once, with no helper left and no half target: a closed
    // pipe too (| head), which would otherwise end the program in the middle of a write.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
        std::signal(signal, interrupt);

    Totals totals;
    totals.clock.start();
    const Conversion conversion{*command, log, totals};
    if (!command->jobFile.isEmpty()) {
        if (const Expected<void, QString> converted = convertJobFile(conversion); !converted) {
            MyPdfCvt::UnloadConverterLibrary();
            return usageError(converted.error());
        }
    } else if (command->watch.on) {
        if (const Expected<void, QString> watched = watchFolders(conversion); !watched) {
            MyPdfCvt::UnloadConverterLibrary();
            printLine(stderr, QStringLiteral("ordvane-batch: ") + watched.error());
            return ExitSomeFailed;
        }
    } else {
        convertPaths(conversion);
    }
    MyPdfCvt::UnloadConverterLibrary();
    if (!command->json) {
        const double seconds = totals.clock.elapsed() / 1000.0;
        //: After the counts of the run: "3 converted, 1 failed; 12 pages in 0.4 s".
        printLine(stdout, ConversionRun::countsText(totals.converted, totals.skipped, totals.failed, 0)
                              + Batch::tr("; %n page(s) in %1 s", nullptr, totals.pages).arg(QLocale().toString(seconds, 'f', 1)));
    }
    if (interruptedBy) {
        printLine(stderr, QStringLiteral("ordvane-batch: ") + Batch::tr("interrupted"));
        return 128 + interruptedBy;
    }
    return totals.failed > 0 ? ExitSomeFailed : totals.unreadPages > 0 ? ExitPagesUnread : ExitConverted;
}
