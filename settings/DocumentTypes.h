#pragma once
// Document types, numbered from 1, and the extension lookup built from them and the user's
// own patterns.
#include <QByteArray>
#include <QList>
#include <QString>

struct TDocumentType {
    const char *TypeName;
    const char *TypeDescription;
    const char *TypeDefaultExt;
};
constexpr int DocumentTypeCount = 1;
const TDocumentType &DocumentType(int number);
QByteArray UserFileExt(int number);

// The extension lookup, rebuilt from the table and the user's patterns.
extern QByteArray ExtensionList;
extern QByteArray ExtensionIndex;
void BuildExtensionLookup();
// The document type of a path by its extension, 0 for none.
int FindDocumentType(const QString &path);

// Texts built from the table.
QString TypePatterns(int number);            // "*.pdf" or "*.pdf;" + user patterns
QString AddFileFilter();                     // "desc|patterns|..." for the open dialog
QString AddDirTypeRow(int number);           // a row of the add-directory check list
QString DirectorySearchFilter(const QList<bool> &ticked); // "*.pdf|" for the search
