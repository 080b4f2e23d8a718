#include "conversion/RunOptions.h"

#include "settings/Settings.h"

RunOptions RunOptions::fromSettings(const TSettings &settings)
{
    RunOptions options;
    options.target = {settings.samedir, settings.targetdir, {}};
    // A hand-edited file may hold any number: every value beyond these cancels.
    options.existing = settings.fileovertp == 0   ? ExistingTarget::AutoRename
                       : settings.fileovertp == 1 ? ExistingTarget::Overwrite
                       : settings.fileovertp == 2 ? ExistingTarget::Prompt
                       : settings.fileovertp == 4 ? ExistingTarget::Update
                                                  : ExistingTarget::Cancel;
    options.codePage = settings.sourcecode;
    options.order = settings.textorder == 1 ? TextOrder::Physical : settings.textorder == 2 ? TextOrder::Raw : TextOrder::Reading;
    options.pageBreaks = settings.pagebreak;
    options.recognition = settings.ocr;
    options.recognitionLanguages = settings.ocrlang;
    return options;
}
