#include "gathering/DroppedFiles.h"

#include "platform/FileSystem.h"

#include <QByteArrayList>
#include <QMimeData>
#include <QSysInfo>

namespace DroppedFiles {

namespace {

const QString UriList = QStringLiteral("text/uri-list");
const QString GnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");

}

QStringList localFilesOf(const QByteArray &uriList)
{
    QStringList files;
    for (QByteArray line : uriList.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        // file:///path or file://localhost/path; the path stays percent-encoded bytes until
        // decoded here, so no byte of the name is lost.
        if (!line.toLower().startsWith("file://"))
            continue;
        QByteArray rest = line.mid(7);
        const qsizetype slash = rest.indexOf('/');
        if (slash < 0)
            continue;
        const QByteArray host = rest.left(slash).toLower();
        if (!host.isEmpty() && host != "localhost" && host != QSysInfo::machineHostName().toLower().toUtf8())
            continue;
        const QByteArray path = QByteArray::fromPercentEncoding(rest.mid(slash));
        if (!path.isEmpty() && !path.contains('\0'))
            files << FileSystem::decodePath(path);
    }
    return files;
}

QStringList fromDrop(const QMimeData *data)
{
    return data && data->hasFormat(UriList) ? localFilesOf(data->data(UriList)) : QStringList();
}

QStringList fromClipboard(const QMimeData *data)
{
    if (!data)
        return {};
    if (data->hasFormat(GnomeCopiedFiles)) {
        QByteArray list = data->data(GnomeCopiedFiles);
        const qsizetype firstBreak = list.indexOf('\n');
        return localFilesOf(firstBreak < 0 ? QByteArray() : list.mid(firstBreak + 1)); // past "copy" or "cut"
    }
    return fromDrop(data);
}

}
