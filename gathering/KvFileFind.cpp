#include "gathering/KvFileFind.h"

#include "platform/FileSystem.h"
#include "platform/TextCase.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

void TKvFileSearch::processEvents()
{
    if (ProcessEvents)
        ProcessEvents();
}

void TKvFileSearch::Execute()
{
    UserStopped = false;
    SearchExts = upperCasedUnits(SearchExts);
    if (!SearchDir.isEmpty()) {
        QList<FolderId> open;
        SearchFolder(SearchDir.endsWith(FileSystem::Separator) ? SearchDir : SearchDir + FileSystem::Separator, open);
    }
    if (OnFinish)
        OnFinish();
}

void TKvFileSearch::SearchFolder(const QString &path, QList<FolderId> &open)
{
    if (OnChangeFolder)
        OnChangeFolder(path);
    const QByteArray folder = FileSystem::encodePath(path);
    struct stat folderInfo{};
    if (folder.contains('\0') || stat(folder.constData(), &folderInfo) != 0)
        return;
    const FolderId id{quint64(folderInfo.st_dev), quint64(folderInfo.st_ino)};
    if (open.contains(id))
        return; // a link back into a folder being searched
    // Closed also when an error of the file-found handler ends the search.
    const std::unique_ptr<DIR, int (*)(DIR *)> listing(opendir(folder.constData()), closedir);
    if (!listing)
        return; // a folder that cannot be read yields nothing
    open.append(id);

    while (!UserStopped) {
        processEvents();
        const dirent *entry = readdir(listing.get());
        if (!entry)
            break;
        const QByteArray name(entry->d_name);
        if (name.startsWith('.')) // ".", ".." and hidden entries
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        struct stat info{};
        bool haveInfo = false;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            haveInfo = stat((folder + name).constData(), &info) == 0; // follows links
            if (!haveInfo)
                continue; // a broken link
            isFolder = S_ISDIR(info.st_mode);
        }
        const QString entryName = FileSystem::decodePath(name);
        if (isFolder) {
            if (RecurseSubFolders)
                SearchFolder(path + entryName + FileSystem::Separator, open);
        } else {
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
        processEvents();
    }
    open.removeLast();
}
