#include "desktop/Keyring.h"

#include "platform/FileSystem.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QCryptographicHash>
#include <QFile>
#include <QtEndian>
#include <QStringList>
#include <qt6keychain/keychain.h>
#include <algorithm>
#include <utility>

namespace Keyring {
namespace {

const QString Service = QStringLiteral("KV-Ordvane");

// A job that runs on its own and goes when it ends, answered or not: a store that hangs
// keeps it until the bus gives up on the call.
template <typename Job>
Job *startedJob(Job *job)
{
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    return job;
}

// The digest of a file's content that an earlier version kept in the key.
QString legacySample(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("0");
    constexpr qint64 Block = 4096;
    const qint64 size = file.size();
    QCryptographicHash digest(QCryptographicHash::Sha1);
    for (const qint64 at : {qint64(0), std::max<qint64>(0, size / 2 - Block / 2), std::max<qint64>(0, size - Block)}) {
        file.seek(at);
        digest.addData(file.read(Block));
    }
    return QString::number(qFromLittleEndian<quint64>(digest.result().constData()), 16);
}

} // namespace

bool available()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QStringList stores{QStringLiteral("org.freedesktop.secrets"), QStringLiteral("org.kde.kwalletd6"),
                             QStringLiteral("org.kde.kwalletd5")};
    for (const QString &name : stores)
        if (bus.interface()->isServiceRegistered(name))
            return true;
    // A store that the bus starts when it is first asked for.
    const QDBusReply<QStringList> startable = bus.interface()->call(QStringLiteral("ListActivatableNames"));
    if (startable.isValid())
        for (const QString &name : stores)
            if (startable.value().contains(name))
                return true;
    return false;
}

QString keyOf(const QString &path)
{
    const FileSystem::Identity identity = FileSystem::identityOf(path);
    const QByteArray named = FileSystem::encodePath(path) + '\n' + QByteArray::number(identity.size) + ' '
        + QByteArray::number(identity.sample, 16);
    return QString::fromLatin1(QCryptographicHash::hash(named, QCryptographicHash::Sha256).toHex());
}

QString legacyKeyOf(const QString &path)
{
    return path + u'\n' + QString::number(FileSystem::fileSize(path)) + u' ' + legacySample(path);
}

Lookup::Lookup(const QStringList &keys, int boundMs, QObject *parent) : QObject(parent)
{
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, this, &Lookup::end);
    for (const QString &key : keys) {
        if (waiting.contains(key))
            continue;
        waiting.insert(key);
        auto *job = startedJob(new QKeychain::ReadPasswordJob(Service));
        job->setKey(key);
        connect(job, &QKeychain::Job::finished, this, [this, job, key] {
            if (job->error() == QKeychain::NoError)
                found.insert(key, job->binaryData());
            waiting.remove(key);
            if (waiting.isEmpty())
                end();
        });
        job->start();
    }
    if (waiting.isEmpty())
        QTimer::singleShot(0, this, &Lookup::end);
    else
        bound.start(boundMs);
}

void Lookup::cancel()
{
    end();
}

void Lookup::end()
{
    if (std::exchange(ended, true))
        return;
    bound.stop();
    emit finished(found);
}

void storeLater(const QString &key, const QByteArray &password, QObject *context, const std::function<void(bool)> &done)
{
    auto *job = startedJob(new QKeychain::WritePasswordJob(Service));
    job->setKey(key);
    // A copy of its own: the caller overwrites its bytes as soon as this returns.
    job->setBinaryData(QByteArray(password.constData(), password.size()));
    QObject::connect(job, &QKeychain::Job::finished, context, [job, done] { done(job->error() == QKeychain::NoError); });
    job->start();
}

void removeLater(const QString &key)
{
    auto *job = startedJob(new QKeychain::DeletePasswordJob(Service));
    job->setKey(key);
    job->start();
}

}
