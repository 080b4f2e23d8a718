#include "platform/SingleInstance.h"

#include "platform/FileSystem.h"
#include "platform/HandOverMessage.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QtEndian>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char Receipt = 'k';
constexpr char NoneTakenReceipt = 'n';

// A folder only this user can make names in: theirs, no link, closed to everyone else.
bool privateFolder(const QString &folder)
{
    struct stat info{};
    return lstat(FileSystem::encodePath(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

// The socket's folder: the session's runtime folder, else a folder of the user's own in the
// temporary folder (made here), as long as it is private. Otherwise problem says why.
QString socketFolder(QString &problem)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && runtime.startsWith(u'/') && privateFolder(runtime))
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/kv-ordvane-%1").arg(getuid());
    mkdir(FileSystem::encodePath(own).constData(), 0700);
    if (privateFolder(own))
        return own;
    problem = QCoreApplication::translate("SingleInstance", "The folder %1 belongs to another user or is open to others, "
                                                            "so files cannot be handed to a running KV-Ordvane.")
                  .arg(own);
    return {};
}

// One name per job list: two program copies with their own lists run side by side.
QString socketName(const QString &jobFilePath, QString &problem)
{
    const QString folder = socketFolder(problem);
    if (folder.isEmpty())
        return {};
    const QByteArray key = QFileInfo(jobFilePath).absoluteFilePath().toUtf8();
    return folder + QStringLiteral("/kv-ordvane-")
           + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

// The other end of a connection is this user, or root.
bool sameUser(const QLocalSocket &socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
           && (peer.uid == getuid() || peer.uid == 0);
}

} // namespace

SingleInstance::SingleInstance(const QString &jobFilePath, QObject *parent)
    : QObject(parent), lock(jobFilePath)
{
    name = socketName(jobFilePath, problem);
}

SingleInstance::~SingleInstance()
{
    if (server)
        server->close();
}

SingleInstance::Claim SingleInstance::claim()
{
    switch (lock.tryLock()) {
    case JobListLock::Result::Locked:
        listen();
        return Claim::Owner;
    case JobListLock::Result::HeldByOther:
        return Claim::OtherOwner;
    case JobListLock::Result::Unavailable:
        break;
    }
    return Claim::Unlockable;
}

qint64 SingleInstance::ownerProcess() const
{
    return lock.holder();
}

void SingleInstance::listen()
{
    if (name.isEmpty())
        return; // problem says why
    if (!server) {
        server = new QLocalServer(this);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server, &QLocalServer::newConnection, this, &SingleInstance::accept);
        // The server closes itself when it cannot take a connection (no descriptors left, say);
        // it is set up again as soon as it can be.
        watch.setInterval(1000);
        connect(&watch, &QTimer::timeout, this, &SingleInstance::keepListening);
        watch.start();
    }
    // We hold the lock, so a socket left under this name belongs to a dead owner.
    QLocalServer::removeServer(name);
    if (server->listen(name))
        problem.clear();
    else
        problem = QCoreApplication::translate("SingleInstance", "Files cannot be handed to this KV-Ordvane: %1").arg(server->errorString());
}

void SingleInstance::keepListening()
{
    if (!server->isListening())
        listen();
}

void SingleInstance::accept()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        if (!sameUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // A real start says all it has at once; one that holds a place without a word goes first.
        std::erase_if(clients, [](const QPointer<QLocalSocket> &client) { return client.isNull(); });
        if (clients.size() >= size_t(MaxClients)) {
            if (QLocalSocket *oldest = clients.front().data()) {
                oldest->abort();
                oldest->deleteLater();
            }
            clients.pop_front();
        }
        serve(socket);
    }
    keepListening();
}

// A message is its length (4 bytes, big-endian), then the file list and the activation token
// in Qt's data stream form (a start from before tokens sends no token).
// Nothing is parsed until all of it is there, and a client that takes too long is let go.
void SingleInstance::serve(QLocalSocket *socket)
{
    clients.emplace_back(socket);
    socket->setReadBufferSize(qint64(MaxMessageBytes) + 4); // what a client sends beyond it waits in the kernel
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(ClientTimeoutMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    auto length = std::make_shared<qint64>(-1);
    auto readMessage = [this, socket, length] {
        if (*length < 0) {
            if (socket->bytesAvailable() < 4)
                return;
            char header[4];
            socket->read(header, 4);
            *length = qFromBigEndian<quint32>(header);
            if (*length > MaxMessageBytes) {
                socket->abort();
                socket->deleteLater();
                return;
            }
        }
        if (socket->bytesAvailable() < *length)
            return;
        QStringList files;
        QByteArray activationToken;
        const bool understood = HandOverMessage::decode(socket->read(*length), files, activationToken);
        *length = -2; // one message a connection
        if (!understood) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        const bool taken = !receive || receive(files, activationToken);
        socket->write(taken ? &Receipt : &NoneTakenReceipt, 1);
        socket->flush();
    };
    connect(socket, &QLocalSocket::readyRead, this, [readMessage, length] {
        if (*length != -2)
            readMessage();
    });
    if (socket->bytesAvailable() > 0)
        readMessage();
}

SingleInstance::HandOver SingleInstance::handOver(const QStringList &files, const QByteArray &activationToken, int timeoutMs,
                                                 QString *whyNot)
{
    if (name.isEmpty()) {
        if (whyNot)
            *whyNot = problem;
        return HandOver::Failed;
    }
    QByteArray message = QByteArray(4, '\0') + HandOverMessage::encode(files, activationToken);
    qToBigEndian<quint32>(quint32(message.size() - 4), message.data());

    const QDeadlineTimer deadline(timeoutMs);
    const auto left = [&] { return int(std::max<qint64>(deadline.remainingTime(), 1)); };
    // The owner may have taken the lock a moment ago and not be listening yet, or be busy with
    // other clients: try again until the time is up.
    for (; !deadline.hasExpired(); QThread::msleep(100)) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(left()))
            continue;
        if (!sameUser(socket)) {
            if (whyNot)
                *whyNot = QStringLiteral("%1 is held by another user; no file was handed over.").arg(name);
            return HandOver::Failed;
        }
        socket.write(message);
        while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(left())) {
        }
        while (socket.bytesAvailable() < 1 && socket.waitForReadyRead(left())) {
        }
        char answer = 0;
        if (socket.getChar(&answer))
            return answer == Receipt ? HandOver::Taken : answer == NoneTakenReceipt ? HandOver::NoneTaken : HandOver::Failed;
    }
    return HandOver::Failed;
}
