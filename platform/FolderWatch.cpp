#include "platform/FolderWatch.h"

#include "platform/FileSystem.h"

#include <QDir>

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Closed after writing or moved in: a whole file. Created alone is not, nor touched.
constexpr uint32_t FolderEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF
                                  | IN_ATTRIB | IN_ONLYDIR | IN_EXCL_UNLINK;

bool hidden(const QString &name)
{
    return name.startsWith(u'.');
}

// The folder can be listed and its files opened: read and search permission.
int accessProblem(const QString &folder)
{
    if (!FileSystem::isDirectoryPath(folder))
        return FileSystem::exists(folder) ? ENOTDIR : ENOENT;
    return access(FileSystem::encodePath(folder).constData(), R_OK | X_OK) == 0 ? 0 : errno;
}

} // namespace

FolderWatch::FolderWatch(bool subfolders, int lookAgainMilliseconds, QObject *parent) : QObject(parent), subfolders(subfolders)
{
    descriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0) {
        initError = errno; // too many instances of this user, say
    } else {
        notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &FolderWatch::readEvents);
    }
    lookAgain.setInterval(lookAgainMilliseconds);
    connect(&lookAgain, &QTimer::timeout, this, &FolderWatch::lookForLostRoots);
}

FolderWatch::~FolderWatch()
{
    delete notifier;
    if (descriptor >= 0)
        close(descriptor);
}

IoResult<void> FolderWatch::watch(const QString &root)
{
    const QString path = QDir::cleanPath(root);
    if (descriptor < 0)
        return ioFailure(initError, path);
    if (const int problem = accessProblem(path))
        return ioFailure(problem, path);
    if (IoResult<void> added = addTree(path, path); !added)
        return added;
    roots.insert(FileSystem::pathKey(path), {path, false});
    return {};
}

QStringList FolderWatch::presentRoots() const
{
    QStringList present;
    for (const Root &root : roots)
        if (!root.lost)
            present << root.path;
    return present;
}

IoResult<void> FolderWatch::addTree(const QString &folder, const QString &root)
{
    const int watch = inotify_add_watch(descriptor, FileSystem::encodePath(folder).constData(), FolderEvents);
    if (watch < 0)
        return ioFailure(errno, folder);
    watches.insert(watch, {folder, root});
    if (!subfolders)
        return {};
    // By lstat: a link to a folder is not followed, so no loop of links is walked. A subfolder
    // that cannot be watched (unreadable, or past the user's number of watches) is left to
    // the searches again.
    for (const QString &name : FileSystem::namesIn(folder)) {
        const QString path = FileSystem::joinPath(folder, name);
        if (!hidden(name) && FileSystem::entryAt(path) == FileSystem::Entry::Directory)
            (void)addTree(path, root);
    }
    return {};
}

void FolderWatch::forgetBelow(const QString &folder)
{
    const QString below = FileSystem::withTrailingSeparator(folder);
    for (auto it = watches.begin(); it != watches.end();) {
        if (FileSystem::samePath(it->folder, folder) || it->folder.startsWith(below)) {
            inotify_rm_watch(descriptor, it.key());
            it = watches.erase(it);
        } else {
            ++it;
        }
    }
}

void FolderWatch::loseRoot(const QString &root, int errorNumber)
{
    Root &state = roots[FileSystem::pathKey(root)];
    if (state.lost)
        return;
    state.lost = true;
    forgetBelow(root);
    emit rootLost(root, errorNumber);
    if (!lookAgain.isActive())
        lookAgain.start();
}

void FolderWatch::lookForLostRoots()
{
    bool stillLost = false;
    for (Root &root : roots) {
        if (!root.lost)
            continue;
        if (accessProblem(root.path) != 0 || !addTree(root.path, root.path)) {
            stillLost = true;
            continue;
        }
        root.lost = false;
        emit rootBack(root.path);
    }
    if (!stillLost)
        lookAgain.stop();
}

void FolderWatch::readEvents()
{
    alignas(inotify_event) char buffer[64 * 1024];
    for (ssize_t size; (size = read(descriptor, buffer, sizeof buffer)) > 0;) {
        for (const char *at = buffer; at < buffer + size;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            at += sizeof(inotify_event) + event->len;
            if (event->mask & IN_Q_OVERFLOW) {
                emit eventsLost();
                continue;
            }
            const auto watched = watches.constFind(event->wd);
            if (watched == watches.cend())
                continue; // a folder forgotten already
            const Watched folder = *watched;
            const bool isRoot = FileSystem::samePath(folder.folder, folder.root);
            if (event->len == 0) { // the folder itself
                if (event->mask & IN_IGNORED)
                    watches.remove(event->wd);
                if (isRoot && (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)))
                    loseRoot(folder.root, event->mask & IN_UNMOUNT ? ENODEV : ENOENT);
                else if (isRoot && (event->mask & IN_ATTRIB))
                    if (const int problem = accessProblem(folder.root))
                        loseRoot(folder.root, problem);
                continue;
            }
            const QString name = FileSystem::decodePath(QByteArrayView(event->name, qsizetype(strnlen(event->name, event->len))));
            if (hidden(name))
                continue;
            const QString path = FileSystem::joinPath(folder.folder, name);
            if (event->mask & IN_ISDIR) {
                if (event->mask & (IN_MOVED_FROM | IN_DELETE))
                    forgetBelow(path);
                else if (subfolders && (event->mask & (IN_CREATE | IN_MOVED_TO)) && addTree(path, folder.root))
                    emit folderArrived(path, folder.root);
            } else if (event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) {
                emit fileArrived(path, folder.root);
            } else if (event->mask & (IN_DELETE | IN_MOVED_FROM)) {
                emit fileGone(path);
            }
        }
    }
}
