#include "desktop/Keyring.h"

#include "platform/FileSystem.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QEventLoop>
#include <QStringList>
#include <qt6keychain/keychain.h>

namespace Keyring {
namespace {

const QString Service = QStringLiteral("KV-Ordvane");

// Runs a keychain job to its end; the store may take its time asking the user to unlock it.
bool finish(QKeychain::Job &job)
{
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return job.error() == QKeychain::NoError;
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
    return path + u'\n' + QString::number(identity.size) + u' ' + QString::number(identity.sample, 16);
}

bool store(const QString &key, const QByteArray &password)
{
    QKeychain::WritePasswordJob job(Service);
    job.setKey(key);
    job.setBinaryData(password);
    return finish(job);
}

std::optional<QByteArray> find(const QString &key)
{
    QKeychain::ReadPasswordJob job(Service);
    job.setKey(key);
    if (!finish(job))
        return std::nullopt;
    return job.binaryData();
}

}
