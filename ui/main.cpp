// KV-Ordvane: start-up and shutdown.
#include "conversion/MyPdfCvt.h"
#include "platform/LocaleInfo.h"
#include "settings/Global.h"
#include "ui/OrdvaneApplication.h"

int main(int argc, char *argv[])
{
    OrdvaneApplication app(argc, argv);
    LocaleInfo::initialise();
    try {
        LoadSettings();
        MyPdfCvt::LoadConverterLibrary(ProgramDirectory());
        MyPdfCvt::UnloadConverterLibrary();
        SaveSettings();
    } catch (...) {
        OrdvaneApplication::showError(std::current_exception());
        return 1;
    }
    return 0;
}
