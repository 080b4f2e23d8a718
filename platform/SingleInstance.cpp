#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace {

constexpr char Receipt = 'k';

// One name per job list and user: two program copies with their own lists run side by side.
QString socketName(const QString &jobFilePath)
{
    const QByteArray key = QFileInfo(jobFilePath).absoluteFilePath().toUtf8();
    // The session's private runtime folder; without a session, the temporary folder.
    QString folder = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")
        ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : QString();
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/kv-ordvane-%1-%2")
                        .arg(getuid())
                        .arg(QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16)));
}

} // namespace

SingleInstance::SingleInstance(const QString &jobFilePath, QObject *parent)
    : QObject(parent), lock(jobFilePath + QStringLiteral(".lock")), name(socketName(jobFilePath))
{
    // A running owner never goes stale however long it runs; a dead one does at once.
    lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server)
        server->close();
}

SingleInstance::Claim SingleInstance::claim()
{
    if (lock.tryLock(0)) {
        listen();
        return Claim::Owner;
    }
    if (lock.error() == QLockFile::LockFailedError)
        return Claim::OtherOwner;
    return Claim::Unlockable;
}

qint64 SingleInstance::ownerProcess() const
{
    qint64 pid = 0;
    QString host, application;
    return lock.getLockInfo(&pid, &host, &application) ? pid : 0;
}

void SingleInstance::listen()
{
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket left under this name belongs to a dead owner.
    QLocalServer::removeServer(name);
    if (!server->listen(name))
        return; // later starts then cannot hand over and say so; this one works on
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::receive);
}

void SingleInstance::receive()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto readFiles = [this, socket] {
            QDataStream in(socket);
            in.setVersion(QDataStream::Qt_6_0);
            in.startTransaction();
            QStringList files;
            in >> files;
            if (!in.commitTransaction())
                return; // not all there yet
            socket->write(&Receipt, 1);
            socket->flush();
            emit filesArrived(files);
        };
        connect(socket, &QLocalSocket::readyRead, this, readFiles);
        if (socket->bytesAvailable() > 0)
            readFiles();
    }
}

bool SingleInstance::handOver(const QStringList &files, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The owner may have taken the lock a moment ago and not be listening yet.
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(int(std::max<qint64>(deadline.remainingTime(), 0))))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << files;
    socket.write(message);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(std::max<qint64>(deadline.remainingTime(), 1))))
            return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1))))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == Receipt;
}
