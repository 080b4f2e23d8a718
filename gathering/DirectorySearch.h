#pragma once
// Add Dir's search: the folders one after the other, in a worker thread, so that the window
// stays as responsive as ever. What the search finds reaches the owner's thread in the order
// it was found, in batches, through the callbacks; after Stop nothing more is reported but
// the end.
#include "gathering/KvFileFind.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <deque>
#include <functional>
#include <thread>

class DirectorySearch : public QObject {
    Q_OBJECT

public:
    explicit DirectorySearch(QObject *owner = nullptr) : QObject(owner) {}
    ~DirectorySearch() override; // a search under way stops, and its thread is waited for

    QString SearchExts; // as TKvFileSearch takes them
    bool RecurseSubFolders = true;
    bool UserStopped = false;

    // In the owner's thread, from its event loop: they must not throw.
    std::function<void(const QString &folder, const TSearchRecW &info)> OnFileFind;
    std::function<void(const QString &folder)> OnChangeFolder;
    std::function<void()> OnFinish; // once, after the last folder or the stop

    // Searches the folders; empty entries name no folder and are passed over.
    void start(const QStringList &folders);
    void Stop();
    bool running() const { return worker.joinable(); }

private:
    struct Found {
        QString folder; // a folder entered, or where the file is
        bool entered = false;
        TSearchRecW info;
    };
    void search(QStringList folders, QString exts, bool recurse);
    void deliver(const QList<Found> &batch);
    void finished();

    std::thread worker;
    std::atomic<bool> stopRequested{false};
    // A callback may let the event loop run (a dialog, a wait): what arrives meanwhile waits
    // its turn, so that everything is told in order and the end comes last.
    std::deque<Found> pending;
    bool delivering = false, endPending = false;
};
