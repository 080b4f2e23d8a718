#include "gathering/DirectorySearch.h"

#include <QElapsedTimer>
#include <QMetaObject>

namespace {
// A batch goes when it is this large or this old, so that the list fills as the search goes.
constexpr qsizetype BatchSize = 512;
constexpr qint64 BatchAgeMs = 50;
} // namespace

DirectorySearch::~DirectorySearch()
{
    stopRequested = true;
    if (worker.joinable())
        worker.join();
}

void DirectorySearch::start(const QStringList &folders)
{
    if (running())
        return;
    UserStopped = false;
    stopRequested = false;
    worker = std::thread(&DirectorySearch::search, this, folders, SearchExts, RecurseSubFolders);
}

void DirectorySearch::Stop()
{
    if (!running())
        return;
    UserStopped = true;
    stopRequested = true;
}

// In the worker thread: nothing of the owner's is touched but the posted batches.
void DirectorySearch::search(QStringList folders, QString exts, bool recurse)
{
    QList<Found> batch;
    QElapsedTimer age;
    age.start();
    const auto post = [this, &batch, &age] {
        if (batch.isEmpty())
            return;
        QMetaObject::invokeMethod(this, [this, sent = std::exchange(batch, {})] { deliver(sent); }, Qt::QueuedConnection);
        age.restart();
    };
    TKvFileSearch files;
    files.SearchExts = exts;
    files.RecurseSubFolders = recurse;
    files.Cancelled = &stopRequested;
    files.OnChangeFolder = [&](const QString &folder) {
        batch.append({folder, true, {}});
        if (batch.size() >= BatchSize || age.elapsed() >= BatchAgeMs)
            post();
    };
    files.OnFileFind = [&](const QString &folder, const TSearchRecW &info) {
        batch.append({folder, false, info});
        if (batch.size() >= BatchSize || age.elapsed() >= BatchAgeMs)
            post();
    };
    for (const QString &folder : std::as_const(folders)) {
        if (stopRequested)
            break;
        if (folder.isEmpty())
            continue; // an empty entry names no folder, and never the root
        files.SearchDir = folder;
        files.Execute();
    }
    post();
    QMetaObject::invokeMethod(this, [this] { finished(); }, Qt::QueuedConnection);
}

void DirectorySearch::deliver(const QList<Found> &batch)
{
    pending.insert(pending.end(), batch.begin(), batch.end());
    if (delivering)
        return;
    delivering = true;
    while (!pending.empty() && !UserStopped) {
        const Found found = std::move(pending.front());
        pending.pop_front();
        if (found.entered) {
            if (OnChangeFolder)
                OnChangeFolder(found.folder);
        } else if (OnFileFind) {
            OnFileFind(found.folder, found.info);
        }
    }
    pending.clear();
    delivering = false;
    if (std::exchange(endPending, false))
        finished();
}

void DirectorySearch::finished()
{
    if (delivering) {
        endPending = true;
        return;
    }
    if (worker.joinable())
        worker.join();
    if (OnFinish)
        OnFinish();
}
