#pragma once
// The converter's helper processes that are children of this test process, each with its
// state letter as the kernel tells it ("R" running, "S" waiting, "Z" not yet reaped ...).
#include <QDir>
#include <QFile>
#include <QMap>
#include <unistd.h>

inline QMap<pid_t, QByteArray> helperProcesses()
{
    QMap<pid_t, QByteArray> helpers;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (line.contains("(tsypdf-worker)") && fields.size() > 1 && fields[1].toLongLong() == getpid())
            helpers.insert(pid.toInt(), fields[0]);
    }
    return helpers;
}
