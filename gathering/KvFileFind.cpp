#include "gathering/KvFileFind.h"

#include "platform/FileSystem.h"
#include "platform/TextCase.h"

#include <QFile>
#include <dirent.h>
#include <linux/magic.h>
#include <memory>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

namespace {

// File systems of the kernel's own, told by statfs: nothing a user would convert, and some
// (proc, sys) hold endless or self-referencing trees.
bool isVirtualFileSystem(const char *folder)
{
    struct statfs info{};
    if (statfs(folder, &info) != 0)
        return false;
    switch (info.f_type) {
    case PROC_SUPER_MAGIC: case SYSFS_MAGIC: case DEVPTS_SUPER_MAGIC: case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC: case DEBUGFS_MAGIC: case TRACEFS_MAGIC: case SECURITYFS_MAGIC:
    case PSTOREFS_MAGIC: case BPF_FS_MAGIC: case 0x62656570 /* configfs */: case 0x65735543 /* fusectl */:
    case 0x19800202 /* mqueue */: case BINFMTFS_MAGIC: case NSFS_MAGIC: case EFIVARFS_MAGIC:
    case SELINUX_MAGIC: case SMACK_MAGIC: case HUGETLBFS_MAGIC:
        return true;
    default:
        return false;
    }
}

// devtmpfs looks like tmpfs to statfs; the mount table tells them apart.
std::set<quint64> devtmpfsDevices()
{
    std::set<quint64> devices;
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return devices;
    for (const QByteArray &line : table.readAll().split('\n')) {
        // id parent major:minor root mountpoint options ... - type source ...
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 3 || dash < 0 || dash + 1 >= fields.size() || fields[dash + 1] != "devtmpfs")
            continue;
        const QList<QByteArray> number = fields[2].split(':');
        if (number.size() == 2)
            devices.insert(quint64(makedev(number[0].toUInt(), number[1].toUInt())));
    }
    return devices;
}

} // namespace

void TKvFileSearch::Execute()
{
    UserStopped = false;
    SearchExts = upperCasedUnits(SearchExts);
    if (!SearchDir.isEmpty()) {
        Visit visit;
        visit.virtualDevices = devtmpfsDevices();
        SearchFolder(FileSystem::withTrailingSeparator(SearchDir), visit);
    }
    if (OnFinish)
        OnFinish();
}

void TKvFileSearch::SearchFolder(const QString &path, Visit &visit)
{
    if (OnChangeFolder)
        OnChangeFolder(path);
    const QByteArray folder = FileSystem::encodePath(path);
    struct stat folderInfo{};
    if (folder.contains('\0') || stat(folder.constData(), &folderInfo) != 0)
        return;
    const FolderId id{quint64(folderInfo.st_dev), quint64(folderInfo.st_ino)};
    if (!visit.searched.insert(id).second)
        return; // reached before, through a link or a loop
    if (visit.virtualDevices.count(id.device) || isVirtualFileSystem(folder.constData()))
        return;
    // Closed also when an error of the file-found handler ends the search.
    const std::unique_ptr<DIR, int (*)(DIR *)> listing(opendir(folder.constData()), closedir);
    if (!listing)
        return; // a folder that cannot be read yields nothing

    while (!stopped()) {
        const dirent *entry = readdir(listing.get());
        if (!entry)
            break;
        const QByteArray name(entry->d_name);
        if (name.startsWith('.')) // ".", ".." and hidden entries
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        struct stat info{};
        bool haveInfo = false;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            haveInfo = stat((folder + name).constData(), &info) == 0; // follows links
            if (!haveInfo)
                continue; // a broken link
            isFolder = S_ISDIR(info.st_mode);
            isFile = S_ISREG(info.st_mode);
        }
        const QString entryName = FileSystem::decodePath(name);
        if (isFolder) {
            if (RecurseSubFolders)
                SearchFolder(path + entryName + FileSystem::Separator, visit);
        } else if (isFile) { // pipes, sockets and devices would block or never end
            const qsizetype dot = entryName.lastIndexOf(u'.');
            if (dot >= 0 && SearchExts.contains(u'*' + upperCasedUnits(entryName.mid(dot)) + u'|') && OnFileFind) {
                if (!haveInfo)
                    stat((folder + name).constData(), &info);
                TSearchRecW record;
                record.Name = entryName;
                record.Size = qint64(info.st_size);
                record.Time = QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec);
                OnFileFind(path, record);
            }
        }
    }
}
