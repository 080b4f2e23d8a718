#include "ui/Forms.h"

#include "ui/UnAbout.h"
#include "ui/UnCancelCvt.h"
#include "ui/UnFileOverTp.h"
#include "ui/UnMain.h"

void CreateForms()
{
    FmMain = new TFmMain;
    FmCancelCvt = new TFmCancelCvt(FmMain);
    FmAbout = new TFmAbout(FmMain);
    FmFileOverTp = new TFmFileOverTp(FmMain);
    QObject::connect(FmCancelCvt, &TFmCancelCvt::cancelRequested, FmMain, [] { FmMain->CancelConvert = true; });
}

void DestroyForms()
{
    delete FmFileOverTp;
    FmFileOverTp = nullptr;
    delete FmAbout;
    FmAbout = nullptr;
    delete FmCancelCvt;
    FmCancelCvt = nullptr;
    delete FmMain; // writes the job file
    FmMain = nullptr;
}
