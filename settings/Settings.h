#pragma once
// The user's choices. Loaded once at start-up, written once at the end; in between the
// dialogs change them in memory only.
#include "platform/IoError.h"

#include <QByteArray>
#include <QString>

struct TSettings {
    bool samedir = false;          // target file beside its source
    QString targetdir;             // target folder when samedir is false; ends in "/"
    QString adddir;                // folders Add Dir searches, separated by ";"
    quint8 fileovertp = 0;         // target exists: 0 auto rename, 1 overwrite, 2 prompt, 4 replace if older, else cancel
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

// The settings file holds the settings and the main window's layout; both come and go
// together.
void LoadSettings();
// The old file stays whole when the new one cannot be written; IniFile::unableToWrite says so.
[[nodiscard]] IoResult<void> SaveSettings();
