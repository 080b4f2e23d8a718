#pragma once
// One instance owns a job list at a time: it holds the list's lock, and listens on a local
// socket over which later starts hand it their files and end. The socket lives in a folder
// that is the user's alone, and both ends check that the other is the same user (or root),
// so nobody else can listen in the owner's place or hand it files.
#include "platform/JobListLock.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Claim { Owner, OtherOwner, Unlockable };

    // A handed-over message is at most this large; a longer one is dropped.
    static constexpr quint32 MaxMessageBytes = 64u << 20;
    // Connections served at once (a newcomer lets the oldest go, so connections that say
    // nothing cannot keep a real start out), and how long one may take to say what it has to say.
    static constexpr int MaxClients = 8;
    static constexpr int ClientTimeoutMs = 5000;

    explicit SingleInstance(const QString &jobFilePath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock. Unlockable means the lock file cannot be made at all (a folder nobody
    // may write to): then no other instance can lock the list either, and this one goes on
    // alone.
    Claim claim();
    // The process that owns the list, once claim() gave OtherOwner; 0 when unknown.
    qint64 ownerProcess() const;
    // Why later starts cannot hand files to this owner; empty while it listens.
    QString listenProblem() const { return problem; }

    // Gives the owner these files (none just brings its window up), with the token that lets
    // its window come to the front (may be empty), and waits for its receipt, for up to
    // timeoutMs while it starts up. Failed when it did not answer, or when the socket's folder
    // or the other end is not the user's own (whyNot then says so).
    enum class HandOver { Taken, NoneTaken, Failed };
    HandOver handOver(const QStringList &files, const QByteArray &activationToken = {}, int timeoutMs = 10000,
                      QString *whyNot = nullptr);

    // Told, as the owner, of the files another start handed over (none when it was started
    // without any); answers whether it takes any of them, as the other start is told.
    using Receiver = std::function<bool(const QStringList &files, const QByteArray &activationToken)>;
    void setReceiver(Receiver receiver) { receive = std::move(receiver); }

    QString serverName() const { return name; }

private:
    void listen();
    void keepListening();
    void accept();
    void serve(QLocalSocket *socket);

    JobListLock lock;
    QString name;    // the socket's full path; empty when no private folder could be had
    QString problem; // why there is no listening socket
    QLocalServer *server = nullptr;
    QTimer watch;
    std::deque<QPointer<QLocalSocket>> clients; // oldest first
    Receiver receive;
};
