#include "desktop/TaskbarEntry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

TaskbarEntry::TaskbarEntry(const QString &desktopId, QObject *parent)
    : QObject(parent),
      appUri(QStringLiteral("application://") + desktopId + QStringLiteral(".desktop")),
      objectPath(QStringLiteral("/com/canonical/unity/launcherentry/") + QString(desktopId).replace(u'.', u'_'))
{
    pending.setSingleShot(true);
    connect(&pending, &QTimer::timeout, this, [this] { send(true); });
}

void TaskbarEntry::show(double value, int left)
{
    progress = qBound(0.0, value, 1.0);
    filesLeft = left;
    if (pending.isActive())
        return;
    const qint64 since = lastSent.isValid() ? lastSent.elapsed() : MinimumGapMs;
    if (since >= MinimumGapMs)
        send(true);
    else
        pending.start(int(MinimumGapMs - since));
}

void TaskbarEntry::clear()
{
    pending.stop();
    send(false);
    lastSent.invalidate();
}

void TaskbarEntry::send(bool visible)
{
    lastSent.start();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage update = QDBusMessage::createSignal(objectPath, QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                                     QStringLiteral("Update"));
    update << appUri
           << QVariantMap{{QStringLiteral("progress"), visible ? progress : 0.0},
                          {QStringLiteral("progress-visible"), visible},
                          {QStringLiteral("count"), qint64(visible ? filesLeft : 0)},
                          {QStringLiteral("count-visible"), visible}};
    bus.send(update);
}
