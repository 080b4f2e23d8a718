#pragma once
// ordvane-batch --watch: what the folders hold that is not current is converted, then each
// PDF that comes, once it has settled: closed after writing or moved in, then left unchanged
// for the settle time. Files wait in a set by path, so a burst of events costs one entry a
// file, and a file that changes again waits again.
#include "batch/BatchRun.h"
#include "platform/FileSystem.h"
#include "platform/FolderWatch.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <memory>

class BatchDisplay;
class ConversionRun;
class JobList;

class WatchRun : public QObject {
    Q_OBJECT

public:
    explicit WatchRun(const Conversion &conversion, QObject *parent = nullptr);
    ~WatchRun() override;

    // Watches the command's folders and takes what they hold; a message when one cannot be watched.
    [[nodiscard]] Expected<void, QString> start();
    // Ends after the run under way, which stops at its file in hand.
    void end();

signals:
    void ended();

private:
    struct Waiting {
        QString path, root;
        FileSystem::Identity seen;
        qint64 due = 0; // on the clock
    };

    void search(const QString &folder, const QString &root);
    void searchAll();
    void arrived(const QString &path, const QString &root);
    void gone(const QString &path);
    void takeSettled();
    void convert(const QList<Waiting> &files);
    void runFinished();

    const Conversion conversion;
    FolderWatch folders;
    QHash<QString, Waiting> waiting;            // by path key
    QHash<QString, FileSystem::Identity> taken; // the state each file was converted in, by path key
    QTimer settleTicks, rescan;
    QElapsedTimer clock;
    bool ending = false;
    // The run under way, and what it works on.
    std::unique_ptr<JobList> list;
    std::unique_ptr<BatchDisplay> display;
    std::unique_ptr<ConversionRun> run;
};
