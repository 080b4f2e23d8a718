#include "settings/DocumentTypes.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/TextCase.h"

#include <QCoreApplication>

namespace {

constexpr TDocumentType TypeTable[DocumentTypeCount] = {
    {"PDF", QT_TRANSLATE_NOOP("DocumentTypes", "Adobe Portable Document File"), "*.pdf"},
};

// A type's description in the user's language.
QString described(int number)
{
    return QCoreApplication::translate("DocumentTypes", DocumentType(number).TypeDescription);
}

// Lower case here changes the letters A to Z only, as the patterns are 8-bit text.
QByteArray asciiLower(QByteArray text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

} // namespace

const TDocumentType &DocumentType(int number)
{
    Q_ASSERT(number >= 1 && number <= DocumentTypeCount);
    return TypeTable[number - 1];
}

DocumentTypes::DocumentTypes(const QByteArray &userPatterns)
{
    BuildExtensionLookup(userPatterns);
}

QByteArray DocumentTypes::UserFileExt(int number) const
{
    Q_ASSERT(number == 1);
    return userPatterns;
}

void DocumentTypes::BuildExtensionLookup(const QByteArray &patterns)
{
    userPatterns = patterns;
    ExtensionList.clear();
    ExtensionIndex.clear();
    for (int i = 1; i <= DocumentTypeCount; ++i) {
        ExtensionList += asciiLower(DocumentType(i).TypeDefaultExt) + ';';
        if (!UserFileExt(i).isEmpty())
            ExtensionList += asciiLower(UserFileExt(i)) + ';';
        ExtensionIndex += QByteArray(ExtensionList.size() - ExtensionIndex.size(), char(i));
    }
}

int DocumentTypes::FindDocumentType(const QString &path) const
{
    const qsizetype dot = FileSystem::extensionPosition(path);
    if (dot < 0)
        return 0;
    const QByteArray extension = CodePage::fromUnicode(lowerCasedUnits(path.mid(dot)), CodePage::System);
    const qsizetype at = ExtensionList.indexOf('*' + extension + ';');
    return at < 0 ? 0 : int(ExtensionIndex.at(at));
}

QString DocumentTypes::TypePatterns(int number) const
{
    QString patterns = QString::fromLatin1(DocumentType(number).TypeDefaultExt);
    if (!UserFileExt(number).isEmpty())
        patterns += u';' + CodePage::toUnicode(UserFileExt(number), CodePage::System);
    return patterns;
}

QString DocumentTypes::AddFileFilter() const
{
    QString filter = QCoreApplication::translate("DocumentTypes", "All Support File") + u'|' + CodePage::toUnicode(ExtensionList, CodePage::System);
    for (int i = 1; i <= DocumentTypeCount; ++i)
        filter += u'|' + described(i) + u'(' + TypePatterns(i) + u')'
                  + u'|' + TypePatterns(i);
    return filter;
}

QString DocumentTypes::AddDirTypeRow(int number) const
{
    return described(number) + u'(' + TypePatterns(number) + u')';
}

QString DocumentTypes::DirectorySearchFilter(const QList<bool> &ticked) const
{
    QString filter;
    for (int i = 1; i <= DocumentTypeCount; ++i)
        if (i - 1 < ticked.size() && ticked[i - 1])
            filter += TypePatterns(i) + u';';
    return filter.replace(u';', u'|');
}
