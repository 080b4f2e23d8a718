#include "conversion/TargetFile.h"

#include "platform/FileSystem.h"
#include "platform/TemporaryFiles.h"

#include <QSet>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A journal larger than this lists no files of ours.
constexpr qint64 MaxJournalBytes = 64 << 20;

std::mutex journalMutex;
QByteArray journalPath;
int liveFiles = 0;

void record(const QByteArray &temporary)
{
    std::lock_guard lock(journalMutex);
    ++liveFiles;
    if (journalPath.isEmpty())
        return;
    const int fd = FileSystem::openOwnFile(journalPath, O_WRONLY | O_CREAT | O_APPEND);
    if (fd < 0)
        return; // without a journal only the leftovers go unnoticed
    (void)FileSystem::writeAll(fd, temporary.constData(), size_t(temporary.size()) + 1); // with its zero byte; best effort, as above
    ::close(fd);
}

// Once no temporary file is alive, the journal has nothing left to tell, and goes: whatever
// is in its place, a link too, is removed, never written through.
void forget()
{
    std::lock_guard lock(journalMutex);
    if (--liveFiles == 0 && !journalPath.isEmpty())
        unlink(journalPath.constData());
}

// A folder's bytes as createTemporary takes them; a bare name's folder is the current one.
QByteArray folderBytes(const QString &folder)
{
    return folder.isEmpty() ? QByteArray("./") : FileSystem::encodePath(FileSystem::withTrailingSeparator(folder));
}

// A temporary file of ours whose process has ended, and nothing else of that name: never
// another user's, whatever its name says.
void removeIfLeftover(const QByteArray &file)
{
    struct stat info{};
    const qsizetype slash = file.lastIndexOf('/');
    if (FileSystem::isLeftoverTemporary(file.mid(slash + 1)) && lstat(file.constData(), &info) == 0 && S_ISREG(info.st_mode)
        && info.st_uid == geteuid())
        unlink(file.constData());
}

void removeLeftoversIn(const QByteArray &folder)
{
    DIR *listing = folder.contains('\0') ? nullptr : opendir(folder.constData());
    if (!listing)
        return;
    while (const dirent *entry = readdir(listing))
        removeIfLeftover(folder + entry->d_name);
    closedir(listing);
}

// A folder's leftovers go the first time this process writes there: a batch killed in the
// middle leaves its temporary files behind, and no journal lists them.
void removeLeftoversOnce(const QByteArray &folder)
{
    static std::mutex mutex;
    static QSet<QByteArray> swept;
    {
        std::lock_guard lock(mutex);
        if (swept.contains(folder))
            return;
        swept.insert(folder);
    }
    removeLeftoversIn(folder);
}

} // namespace

TargetFile::~TargetFile()
{
    close();
    if (!path.isEmpty()) {
        unlink(path.constData());
        forget();
    }
}

int TargetFile::create(const QString &folder)
{
    // The text waits in the target's own folder, made now if need be: never in a folder that
    // others share, where they could read it or take its name.
    const QByteArray bytes = folderBytes(folder);
    if (!folder.isEmpty())
        (void)FileSystem::makeDirectories(folder); // a failure shows as the failure to create the file
    removeLeftoversOnce(bytes);
    fd = bytes.contains('\0') ? -1 : FileSystem::createTemporary(bytes, path);
    if (fd < 0) {
        openError = errno ? errno : EACCES;
        path.clear();
        return openError;
    }
    record(path);
    return 0;
}

QString TargetFile::temporaryPath() const
{
    return path.isEmpty() ? QString() : FileSystem::decodePath(path);
}

int TargetFile::write(QByteArrayView bytes)
{
    if (fd < 0 || error || bytes.isEmpty())
        return fd < 0 ? EBADF : error;
    error = FileSystem::writeAll(fd, bytes.data(), size_t(bytes.size()));
    if (!error)
        written += bytes.size();
    return error;
}

int TargetFile::append(const TargetFile &other)
{
    if (fd < 0 && !path.isEmpty() && !error) { // closed when its own text was done
        fd = open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW); // no O_APPEND: the kernel copy refuses it
        if (fd < 0 || lseek(fd, 0, SEEK_END) < 0)
            error = errno;
    }
    if (fd < 0 || error)
        return fd < 0 ? EBADF : error;
    const int from = open(other.path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (from < 0)
        return error = errno;
    qint64 copied = 0;
    error = FileSystem::copyAll(from, fd, copied);
    written += copied;
    ::close(from);
    return error;
}

int TargetFile::close()
{
    if (fd < 0)
        return 0;
    if (::close(fd) != 0 && !error)
        error = errno;
    fd = -1;
    return error;
}

Failure TargetFile::commit(const QString &target, bool replace)
{
    bool nameTaken = false;
    return commitAs(target, replace, nameTaken);
}

Failure TargetFile::commit(QString &target, bool replace, const std::function<QString(const QString &)> &nextName)
{
    for (int attempt = 0;; ++attempt) {
        bool nameTaken = false;
        const Failure failure = commitAs(target, replace, nameTaken);
        if (!nameTaken || attempt >= 1000)
            return failure;
        target = nextName(target);
    }
}

Failure TargetFile::commitAs(const QString &target, bool replace, bool &nameTaken)
{
    const Failure createError = Failure::TargetCreate;
    close();
    if (openError || path.isEmpty())
        return createError;
    if (error)
        return Failure::TargetWrite;
    if (const QString folder = FileSystem::folderOf(target); !folder.isEmpty())
        (void)FileSystem::makeDirectories(folder); // a failure shows when the file is put in place
    const QByteArray name = FileSystem::encodePath(target);
    if (name.isEmpty() || name.contains('\0'))
        return createError;

    struct stat old{};
    const bool taken = lstat(name.constData(), &old) == 0;
    nameTaken = taken && !replace && !S_ISDIR(old.st_mode); // a folder of that name is no target
    if (taken && (S_ISDIR(old.st_mode) || !replace))
        return createError;
    if (taken && S_ISREG(old.st_mode) && access(name.constData(), W_OK) != 0)
        return createError; // a read-only target stays as it is
    // The text was the user's alone while it was written; now it gets its final mode: that of
    // the file it replaces, or a new file's.
    const mode_t mode = taken && S_ISREG(old.st_mode) ? old.st_mode & 07777 : FileSystem::newFileMode();
    chmod(path.constData(), mode);
    // Not flushed to the disk first, unlike the job list and the settings (replaceFile): a text
    // can be made again from its PDF, while a flush per file would cost a run of thousands of
    // small files most of its speed. A crash right after a run may leave a new text empty.
    const int failure = FileSystem::renameInto(path, name, replace);
    if (failure == EXDEV) {
        // The text waited on another file system: copy it beside the target first.
        TargetFile copy;
        if (copy.fd = FileSystem::createTemporary(folderBytes(FileSystem::folderOf(target)), copy.path); copy.fd < 0)
            return createError;
        record(copy.path);
        if (copy.append(*this) != 0)
            return Failure::TargetWrite;
        fchmod(copy.fd, mode);
        return copy.commitAs(target, replace, nameTaken);
    }
    nameTaken = failure == EEXIST && !replace; // taken by someone else since the look above
    if (failure)
        return createError;
    path.clear();
    forget();
    return Failure::None;
}

bool TargetFile::isTemporaryName(const QString &fileName)
{
    return FileSystem::isTemporaryName(FileSystem::encodePath(fileName));
}

void TargetFile::setJournal(const QString &journal)
{
    std::lock_guard lock(journalMutex);
    journalPath = FileSystem::encodePath(journal);
}

void TargetFile::removeLeftovers(const QStringList &folders)
{
    QByteArray journal;
    {
        std::lock_guard lock(journalMutex);
        if (liveFiles > 0 || journalPath.isEmpty())
            return;
        journal = journalPath;
    }
    if (const IoResult<QByteArray> listed = FileSystem::readFile(FileSystem::decodePath(journal), MaxJournalBytes)) {
        for (const QByteArray &file : listed->split('\0'))
            if (file.startsWith('/'))
                removeIfLeftover(file);
    }
    unlink(journal.constData());
    for (const QString &folder : folders)
        removeLeftoversIn(folderBytes(folder));
}
