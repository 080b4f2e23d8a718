#pragma once
// What a run does, typed. The window and the batch build it once from the settings (the batch
// then applies its command line) and hand it to the run; the settings file's numbers are
// mapped here alone.
#include "conversion/TargetPath.h"

#include <QString>

struct TSettings;

// When the target file exists. Skip leaves every file whose text exists (ordvane-batch's
// alone); Update, the settings' fifth choice, leaves those whose text is not older than the
// PDF and converts the others again over their texts.
enum class ExistingTarget { AutoRename, Overwrite, Prompt, Cancel, Skip, Update };
enum class TextOrder { Reading, Physical, Raw };

struct RunOptions {
    TargetRule target;
    ExistingTarget existing = ExistingTarget::AutoRename;
    int codePage = 0;     // of the text files; 0 the locale's
    TextOrder order = TextOrder::Reading;
    bool pageBreaks = false;
    bool recognition = false;
    QString recognitionLanguages; // Tesseract codes joined by "+"

    static RunOptions fromSettings(const TSettings &settings);
};
