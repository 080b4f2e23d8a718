#include "conversion/TargetPath.h"

#include "platform/FileSystem.h"

QString TargetFileName(const QString &source, bool samedir, const QString &targetdir)
{
    const qsizetype dot = FileSystem::extensionPosition(source);
    const QString withTxt = (dot < 0 ? source : source.left(dot)) + QStringLiteral(".txt");
    return samedir ? withTxt : targetdir + FileSystem::fileNamePart(withTxt);
}

QString TargetRule::targetOf(const QString &source) const
{
    return TargetFileName(source, sameFolder, targetFolder + subfolders.value(FileSystem::pathKey(source)));
}
