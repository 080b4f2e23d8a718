#pragma once
// One instance owns a job list at a time: it holds a lock file beside the job file, and
// listens on a local socket over which later starts hand it their files and end.
#include <QLockFile>
#include <QObject>
#include <QStringList>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Claim { Owner, OtherOwner, Unlockable };

    explicit SingleInstance(const QString &jobFilePath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock; the lock of a process that no longer runs is taken over. Unlockable
    // means the lock file cannot be made at all (a folder nobody may write to): then no
    // other instance can lock the list either, and this one goes on alone.
    Claim claim();
    // The process that owns the list, once claim() gave OtherOwner; 0 when unknown.
    qint64 ownerProcess() const;

    // Gives the owner these files (none just brings its window up) and waits for its
    // receipt, for up to timeoutMs while it starts up. False when it did not answer.
    bool handOver(const QStringList &files, int timeoutMs = 10000);

    QString serverName() const { return name; }

signals:
    // Files another start handed over; empty when it was started without any.
    void filesArrived(const QStringList &files);

private:
    void listen();
    void receive();

    QLockFile lock;
    QString name;
    QLocalServer *server = nullptr;
};
