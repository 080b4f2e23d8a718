// KV-Ordvane: start-up and shutdown, in their order.
#include "conversion/MyPdfCvt.h"
#include "platform/LocaleInfo.h"
#include "settings/Global.h"
#include "ui/Forms.h"
#include "ui/OrdvaneApplication.h"
#include "ui/UnMain.h"

#include <csignal>

int main(int argc, char *argv[])
{
    // Past a file-size limit a write must fail with EFBIG, as a full disk does, and not end
    // the program.
    signal(SIGXFSZ, SIG_IGN);
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
