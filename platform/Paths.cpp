#include "platform/Paths.h"

#include "base/PathCodec.h"

namespace FileSystem {

QByteArray encodePath(const QString &path)
{
    const std::string bytes = PathCodec::encode(std::u16string_view(reinterpret_cast<const char16_t *>(path.utf16()), size_t(path.size())));
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QString decodePath(QByteArrayView bytes)
{
    const std::u16string text = PathCodec::decode(std::string_view(bytes.data(), size_t(bytes.size())));
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

bool samePath(const QString &a, const QString &b)
{
    return a == b;
}

QString pathKey(const QString &path)
{
    return path;
}

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(Separator) + 1);
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(Separator);
    if (slash < 0)
        return {};
    return slash == 0 ? QString(Separator) : path.left(slash);
}

QString withTrailingSeparator(QString folder)
{
    if (!folder.endsWith(Separator))
        folder += Separator;
    return folder;
}

QString joinPath(const QString &folder, const QString &name)
{
    return withTrailingSeparator(folder) + name;
}

qsizetype extensionPosition(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > path.lastIndexOf(Separator) ? dot : -1;
}

} // namespace FileSystem
