#pragma once
// Process-wide settings, the program directory and the document-type table.
#include <QByteArray>
#include <QList>
#include <QString>

// The user's choices. Loaded once at start-up, written once at the end; in between the
// dialogs change them in memory only.
struct TSettings {
    bool samedir = false;          // target file beside its source
    QString targetdir;             // target folder when samedir is false; ends in "/"
    QString adddir;                // folders Add Dir searches, separated by ";"
    quint8 fileovertp = 0;         // target exists: 0 auto rename, 1 overwrite, 2 prompt, else cancel
    qint32 sourcecode = 0;         // code page of written text files, 0 the locale's
    qint32 targetcode = 0;         // kept for the file's sake, used by nothing
    QByteArray userfileext1;       // user's extra patterns of type 1, "*.ext;*.ext"
    bool selext1 = true;           // type 1 ticked in the add-directory dialog
    bool recursive = false;        // Add Dir searches subfolders
    bool pagebreak = false;        // form feed after each page
    qint32 textorder = 0;          // 0 reading order, 1 physical layout, 2 raw order
    qint32 keepraw = 0;            // shown and stored only
    bool notlog = false;           // activity log switched off
    bool ocr = true;               // recognise text in scanned pages
    QString ocrlang = QStringLiteral("eng"); // Tesseract language codes joined by "+"
};

extern TSettings Settings;

// The main window's layout, kept in a section of its own in the settings file. A width of
// 0 means none was kept; column widths and the sort state are -1 when not kept.
struct TLayout {
    int left = 0, top = 0, width = 0, height = 0;
    bool maximized = false;
    QList<int> columns;
    int sortcolumn = -1;
    bool sortascending = true;
};

extern TLayout Layout;

// The folder of the running program, ending in "/". Fixed at start-up; tests set their own.
QString ProgramDirectory();
void SetProgramDirectory(const QString &directory);
QString SettingsFilePath();
// Where the settings, the job file and the log are kept: the program directory when the user
// may write there (a build folder, a portable copy), otherwise the user's own folders
// ($XDG_CONFIG_HOME/KV-Ordvane/ for the settings, $XDG_DATA_HOME/KV-Ordvane/ for the job
// file and the log), made on first use. Both end in "/".
QString ConfigDirectory();
QString DataDirectory();
QString JobFilePath();
// The user's documents folder ending in "/", or "/" when there is none.
QString DocumentsFolder();

void LoadSettings();
// Throws OrdvaneError("Unable to write to <path>"); the old file then stays whole.
void SaveSettings();

// Recognition languages: "eng", and the locale's language when its data is installed.
QString DefaultRecognitionLanguages();
// Why the "+"-joined language codes cannot be used for recognition, or empty text when
// each is well-formed and installed. With installedOnly false, only the form is checked.
QString RecognitionLanguagesProblem(const QString &languages, bool installedOnly = true);

// Integers as the settings file and the code-page box read them: leading blanks, an optional
// sign, then decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X"; nothing may
// follow, and the value must fit 32 bits.
bool ParseInteger(QStringView text, qint32 &value);

// Document types, numbered from 1.
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
