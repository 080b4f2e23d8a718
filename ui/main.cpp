// KV-Ordvane: start-up and shutdown, in their order.
#include "conversion/MyPdfCvt.h"
#include "platform/LocaleInfo.h"
#include "settings/Global.h"
#include "ui/Forms.h"
#include "ui/OrdvaneApplication.h"
#include "ui/UnMain.h"

int main(int argc, char *argv[])
{
    OrdvaneApplication app(argc, argv);
    LocaleInfo::initialise();
    LoadSettings();
    MyPdfCvt::LoadConverterLibrary(ProgramDirectory());

    CreateForms();
    FmMain->show();
    const int result = app.exec();
    DestroyForms();

    MyPdfCvt::UnloadConverterLibrary();
    try {
        SaveSettings();
    } catch (...) {
        OrdvaneApplication::showError(std::current_exception());
        return 1;
    }
    return result;
}
