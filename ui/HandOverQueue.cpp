#include "ui/HandOverQueue.h"

#include "platform/FileSystem.h"

HandOverQueue::HandOverQueue(std::function<Moment()> moment, std::function<void(const QStringList &)> add, QObject *parent)
    : QObject(parent), moment(std::move(moment)), add(std::move(add))
{
    again.setSingleShot(true);
    again.setInterval(200);
    connect(&again, &QTimer::timeout, this, &HandOverQueue::addWhenAllowed);
}

void HandOverQueue::queue(const QStringList &files)
{
    pending << files;
    // From the event loop: a later start is answered first, and a dialog may open from there.
    QMetaObject::invokeMethod(this, &HandOverQueue::addWhenAllowed, Qt::QueuedConnection);
}

void HandOverQueue::queueForLater(const QStringList &files)
{
    pending << files;
    again.start();
}

void HandOverQueue::retry()
{
    if (!pending.isEmpty())
        again.start();
}

QStringList HandOverQueue::takeFiles()
{
    QStringList files, folders;
    for (const QString &file : std::exchange(pending, {}))
        (FileSystem::isDirectoryPath(file) ? folders : files) << file;
    pending = folders;
    return files;
}

void HandOverQueue::addWhenAllowed()
{
    if (pending.isEmpty())
        return;
    switch (moment()) {
    case Moment::Never: return;
    case Moment::Later: again.start(); return;
    case Moment::Now: add(std::exchange(pending, {})); return;
    }
}
