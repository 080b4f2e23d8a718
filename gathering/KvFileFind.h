#pragma once
// The directory search: lists a folder, and its subfolders when asked, depth first in the
// order the file system returns the entries, and reports every file whose extension is in
// the filter the moment it is found. Hidden entries (names that begin with a dot) are passed
// over, and so is everything inside hidden folders. Each folder is searched at most once per
// search, however many links lead to it, so link loops and webs end; kernel and virtual file
// systems (/proc, /sys, /dev ...) are not entered. Only regular files, and links to them, are
// reported.
#include <QDateTime>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <set>

struct TSearchRecW {
    QString Name;        // the entry's name, without its folder
    qint64 Size = 0;
    QDateTime Time;      // last write
};

class TKvFileSearch : public QObject {
    Q_OBJECT

public:
    explicit TKvFileSearch(QObject *owner = nullptr) : QObject(owner) {}

    QString SearchDir;
    QString SearchExts;            // "*" + extension + "|" for each pattern, e.g. "*.pdf|"
    bool RecurseSubFolders = true;
    bool UserStopped = false;

    // fullpath is the folder being listed, ending in "/"; info the file found in it.
    std::function<void(const QString &fullpath, const TSearchRecW &info)> OnFileFind;
    std::function<void(const QString &fullpath)> OnChangeFolder;
    std::function<void()> OnFinish;
    // Another thread's stop: the search ends at its next directory entry once it is set.
    const std::atomic<bool> *Cancelled = nullptr;

    // One whole search of SearchDir. An empty SearchDir names no folder: nothing is searched.
    void Execute();
    // The running search ends at its next directory entry.
    void Stop() { UserStopped = true; }

private:
    struct FolderId {
        quint64 device, inode;
        auto operator<=>(const FolderId &) const = default;
    };
    struct Visit {
        std::set<FolderId> searched;
        std::set<quint64> virtualDevices; // mounts of virtual file systems, by device
    };

    void SearchFolder(const QString &path, Visit &visit);
    bool stopped() const { return UserStopped || (Cancelled && *Cancelled); }
};
