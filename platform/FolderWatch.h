#pragma once
// Folders watched through inotify: the files below them that are written and closed, or moved
// in whole; under subfolders, new folders are watched as they come. A watched folder that goes
// (removed, moved, unmounted, made unreadable) is told once, then looked for at an interval
// and watched again when it is back. The kernel's lost events are told as such: whoever
// watches searches the folders again.
#include "platform/IoError.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

class FolderWatch : public QObject {
    Q_OBJECT

public:
    explicit FolderWatch(bool subfolders, int lookAgainMilliseconds = 2000, QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches the folder, and under subfolders every one below it that is not hidden.
    [[nodiscard]] IoResult<void> watch(const QString &root);
    // The watched folders that are there now.
    QStringList presentRoots() const;

signals:
    void fileArrived(const QString &path, const QString &root);
    void fileGone(const QString &path);
    // A new folder below a root: its files that came with it are not told one by one.
    void folderArrived(const QString &folder, const QString &root);
    void eventsLost();
    void rootLost(const QString &root, int errorNumber);
    void rootBack(const QString &root);

private:
    struct Watched {
        QString folder, root;
    };
    struct Root {
        QString path;
        bool lost = false;
    };

    IoResult<void> addTree(const QString &folder, const QString &root);
    void forgetBelow(const QString &folder);
    void loseRoot(const QString &root, int errorNumber);
    void readEvents();
    void lookForLostRoots();

    const bool subfolders;
    int descriptor = -1;
    int initError = 0;
    QSocketNotifier *notifier = nullptr;
    QHash<int, Watched> watches;
    QHash<QString, Root> roots; // by path key
    QTimer lookAgain;
};
