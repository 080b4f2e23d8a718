#include "desktop/Notifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString DefaultAction = QStringLiteral("default");

} // namespace

Notifications::Notifications(const QString &desktopId, QObject *parent) : QObject(parent), desktopId(desktopId)
{
}

void Notifications::listen()
{
    if (listening)
        return;
    listening = true;
    // Any sender: a service started after this one is heard too; the ids tell ours apart.
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(QString(), Path, Interface, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    bus.connect(QString(), Path, Interface, QStringLiteral("ActivationToken"), this, SLOT(activationToken(uint, QString)));
    bus.connect(QString(), Path, Interface, QStringLiteral("NotificationClosed"), this, SLOT(closed(uint, uint)));
}

void Notifications::notify(const QString &summary, const QString &actionLabel)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    listen();
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << uint(0) << desktopId << summary << QString()
         << QStringList{DefaultAction, actionLabel}
         << QVariantMap{{QStringLiteral("desktop-entry"), desktopId}} << qint32(-1);
    // Asynchronous: without a service the bus refuses at once, and a slow one never holds
    // up the window.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isValid())
            shown.insert(reply.value());
        w->deleteLater();
    });
}

void Notifications::activationToken(uint id, const QString &token)
{
    if (shown.contains(id))
        lastToken = token.toUtf8();
}

void Notifications::actionInvoked(uint id, const QString &action)
{
    if (!shown.contains(id) || action != DefaultAction)
        return;
    emit activated(std::exchange(lastToken, {}));
}

void Notifications::closed(uint id, uint)
{
    shown.remove(id);
}
