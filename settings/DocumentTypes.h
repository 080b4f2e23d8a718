#pragma once
// Document types, numbered from 1, and the extension lookup built from them and the user's
// own patterns. The table is constant; a DocumentTypes value holds the user's patterns and the
// lookup made from them, so each part that tests a type holds the lookup it was given.
#include <QByteArray>
#include <QList>
#include <QString>

struct TDocumentType {
    const char *TypeName;
    const char *TypeDescription;
    const char *TypeDefaultExt;
};
constexpr int DocumentTypeCount = 1;
constexpr int PdfType = 1;
const TDocumentType &DocumentType(int number);

class DocumentTypes {
public:
    // userPatterns: the user's extra patterns of type 1, "*.ext;*.ext" (8-bit text).
    explicit DocumentTypes(const QByteArray &userPatterns = {});

    // Rebuilds the lookup, as the Options dialog's OK does.
    void BuildExtensionLookup(const QByteArray &userPatterns);
    // The document type of a path by its extension, 0 for none.
    int FindDocumentType(const QString &path) const;
    QByteArray UserFileExt(int number) const;
    QByteArray extensionList() const { return ExtensionList; }

    // Texts built from the table.
    QString TypePatterns(int number) const;                         // "*.pdf" or "*.pdf;" + user patterns
    QString AddFileFilter() const;                                  // "desc|patterns|..." for the open dialog
    QString AddDirTypeRow(int number) const;                        // a row of the add-directory check list
    QString DirectorySearchFilter(const QList<bool> &ticked) const; // "*.pdf|" for the search

private:
    QByteArray userPatterns;
    QByteArray ExtensionList;
    QByteArray ExtensionIndex;
};
