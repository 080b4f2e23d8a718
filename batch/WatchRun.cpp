#include "batch/WatchRun.h"

#include "batch/Batch.h"
#include "batch/BatchDisplay.h"
#include "conversion/ActivityLog.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"

#include <QSet>
#include <limits>

namespace {

constexpr qint64 MinimumPause = 50; // milliseconds between two looks at the files waiting

// The same file with the same bytes, as far as its size and time of writing tell; the times
// of its last change are left out, which the reading of records may move.
bool sameState(const FileSystem::Identity &a, const FileSystem::Identity &b)
{
    return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modified == b.modified;
}

QString reason(int errorNumber)
{
    return IoFailure{errorNumber, {}}.reason();
}

void tell(const Conversion &conversion, const QString &line, const QString &logLine)
{
    printLine(stderr, QStringLiteral("ordvane-batch: ") + line);
    std::fflush(stderr);
    conversion.log.AppendLog(logLine);
}

} // namespace

WatchRun::WatchRun(const Conversion &conversion, QObject *parent)
    : QObject(parent), conversion(conversion), folders(conversion.command.recursive)
{
    clock.start();
    settleTicks.setSingleShot(true);
    settleTicks.setTimerType(Qt::PreciseTimer);
    connect(&settleTicks, &QTimer::timeout, this, &WatchRun::takeSettled);
    connect(&folders, &FolderWatch::fileArrived, this, &WatchRun::arrived);
    connect(&folders, &FolderWatch::fileGone, this, &WatchRun::gone);
    connect(&folders, &FolderWatch::folderArrived, this, &WatchRun::search);
    connect(&folders, &FolderWatch::eventsLost, this, &WatchRun::searchAll);
    connect(&folders, &FolderWatch::rootLost, this, [this](const QString &root, int errorNumber) {
        tell(this->conversion, Batch::tr("the folder %1 is gone or cannot be read (%2); it is watched again once it is back").arg(root, reason(errorNumber)),
             QStringLiteral("Watched folder gone: ") + reason(errorNumber) + QStringLiteral(" (") + root + u')');
    });
    connect(&folders, &FolderWatch::rootBack, this, [this](const QString &root) {
        tell(this->conversion, Batch::tr("the folder %1 is back and watched again").arg(root), QStringLiteral("Watched folder back (") + root + u')');
        search(root, root);
    });
    if (const int seconds = conversion.command.watch.rescanSeconds; seconds > 0) {
        rescan.setInterval(std::chrono::seconds(seconds));
        connect(&rescan, &QTimer::timeout, this, &WatchRun::searchAll);
    }
}

WatchRun::~WatchRun() = default;

Expected<void, QString> WatchRun::start()
{
    // Watched before they are searched: a file that comes meanwhile is not missed.
    for (const QString &folder : conversion.command.given)
        if (const IoResult<void> watched = folders.watch(folder); !watched)
            return unexpected(Batch::tr("the folder %1 cannot be watched: %2").arg(folder, reason(watched.error().errorNumber)));
    for (const QString &folder : conversion.command.given)
        search(folder, folder);
    if (rescan.interval() > 0)
        rescan.start();
    return {};
}

void WatchRun::end()
{
    ending = true;
    settleTicks.stop();
    rescan.stop();
    if (!run)
        QMetaObject::invokeMethod(this, &WatchRun::ended, Qt::QueuedConnection);
}

void WatchRun::search(const QString &folder, const QString &root)
{
    searchFolder(conversion.command, folder, [&](const QString &file) { arrived(file, root); });
}

void WatchRun::searchAll()
{
    QSet<QString> found;
    for (const QString &root : folders.presentRoots())
        searchFolder(conversion.command, root, [&](const QString &file) {
            found.insert(FileSystem::pathKey(file));
            arrived(file, root);
        });
    // What was taken and is there no more is forgotten, even when the events that told of it
    // were lost.
    taken.removeIf([&](const auto &entry) { return !found.contains(entry.key()); });
}

void WatchRun::arrived(const QString &path, const QString &root)
{
    const Command &command = conversion.command;
    if (ending || command.types.FindDocumentType(path) == 0 || !command.part.takes(path))
        return; // the texts written beside their PDFs among them
    // A file written again, or replaced, waits its whole settle time again as it is then; one
    // found again as it was keeps its time, or searches more often than that would hold it up.
    const QString key = FileSystem::pathKey(path);
    const FileSystem::Identity state = FileSystem::identityOf(path, FileSystem::Sampling::Unsampled);
    if (const auto already = waiting.constFind(key); already != waiting.cend() && sameState(already->seen, state))
        return;
    waiting.insert(key, {path, root, state, clock.elapsed() + command.watch.settleMilliseconds});
    if (!settleTicks.isActive()) // a file that came earlier is due earlier
        settleTicks.start(command.watch.settleMilliseconds);
}

void WatchRun::gone(const QString &path)
{
    waiting.remove(FileSystem::pathKey(path));
    taken.remove(FileSystem::pathKey(path));
}

void WatchRun::takeSettled()
{
    if (interruptedBy) // SIGPIPE, which only a write notices
        end();
    if (run || ending)
        return; // taken once the run is over, as they are then
    const qint64 now = clock.elapsed();
    qint64 next = std::numeric_limits<qint64>::max();
    QList<Waiting> settled;
    for (auto it = waiting.begin(); it != waiting.end();) {
        if (it->due > now || settled.size() == JobList::MaxEntries) {
            next = std::min(next, it->due);
            ++it;
            continue;
        }
        const FileSystem::Identity state = FileSystem::identityOf(it->path, FileSystem::Sampling::Unsampled);
        if (state.size < 0) { // removed before it settled
            it = waiting.erase(it);
            continue;
        }
        // A file found by a search, not told of by its close, may be open to a writer that
        // pauses: it waits till it is closed.
        if (!sameState(state, it->seen) || FileSystem::writersOf(it->path) == FileSystem::Writers::Some) {
            it->seen = state;
            it->due = now + conversion.command.watch.settleMilliseconds;
            next = std::min(next, it->due);
            ++it;
            continue;
        }
        const auto before = taken.constFind(it.key());
        if (before == taken.cend() || !sameState(*before, state)) {
            taken.insert(it.key(), state);
            settled << *it;
        }
        it = waiting.erase(it);
    }
    // The next look when the next file is due; a burst settling file by file is looked at
    // in steps, not once a file.
    if (!waiting.isEmpty() && settled.isEmpty())
        settleTicks.start(int(std::max<qint64>(next - now, MinimumPause)));
    if (!settled.isEmpty())
        convert(settled);
}

void WatchRun::convert(const QList<Waiting> &files)
{
    const Command &command = conversion.command;
    RunOptions placed = command.options;
    QStringList paths;
    for (const Waiting &file : files) {
        paths << file.path;
        if (const QString below = keptSubfolder(command, file.path, file.root); !below.isEmpty())
            placed.target.subfolders.insert(FileSystem::pathKey(file.path), below);
    }
    list = std::make_unique<JobList>(JobList::Setup{command.types, placed.target, &conversion.log});
    addFiles(conversion, *list, paths);
    display = std::make_unique<BatchDisplay>(*list, command.json, conversion.totals);
    run = std::make_unique<ConversionRun>(*list, *display, conversion.log, command.threads);
    // Queued: the run is done with before it goes.
    connect(run.get(), &ConversionRun::finished, this, &WatchRun::runFinished, Qt::QueuedConnection);
    if (!run->start(ConversionRun::ConvertAll, placed) || !run->running())
        QMetaObject::invokeMethod(this, &WatchRun::runFinished, Qt::QueuedConnection);
}

void WatchRun::runFinished()
{
    if (!run || run->running())
        return;
    addToTotals(conversion, *run);
    run.reset();
    display.reset();
    list.reset();
    if (ending || interruptedBy) {
        ending = true;
        emit ended();
    }
    else if (!waiting.isEmpty())
        takeSettled();
}
