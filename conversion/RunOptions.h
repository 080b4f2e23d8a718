#pragma once
// What a run does, typed. The window and the batch build it once from the settings (the batch
// then applies its command line) and hand it to the run; the settings file's numbers are
// mapped here alone.
#include <QHash>
#include <QString>

struct TSettings;

// When the target file exists. Skip leaves every file whose text exists (ordvane-batch's
// alone); Update, the settings' fifth choice, leaves those whose text is not older than the
// PDF and converts the others again over their texts.
enum class ExistingTarget { AutoRename, Overwrite, Prompt, Cancel, Skip, Update };
enum class TextOrder { Reading, Physical, Raw };

struct RunOptions {
    bool sameFolder = false;
    QString targetFolder; // ends in "/"; used when sameFolder is false
    // The folder below targetFolder that a source's text goes to (ending in "/"), by the
    // source's path key; straight into targetFolder for a source not named here.
    QHash<QString, QString> subfolders;
    ExistingTarget existing = ExistingTarget::AutoRename;
    int codePage = 0;     // of the text files; 0 the locale's
    TextOrder order = TextOrder::Reading;
    bool pageBreaks = false;
    bool recognition = false;
    QString recognitionLanguages; // Tesseract codes joined by "+"

    static RunOptions fromSettings(const TSettings &settings);
};
