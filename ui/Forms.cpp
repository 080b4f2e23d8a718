#include "ui/Forms.h"

#include "gathering/DirectorySearch.h"
#include "forms/UnAddDir.h"
#include "forms/UnCancelFind.h"
#include "forms/UnDirectory.h"
#include "forms/UnOption.h"
#include "forms/UnAbout.h"
#include "forms/UnCancelCvt.h"
#include "forms/UnFileOverTp.h"
#include "forms/UnPassword.h"
#include "ui/UnMain.h"
#include "forms/UnViewLog.h"
#include "widgets/Accessibility.h"

void CreateForms()
{
    FmMain = new TFmMain;
    FmOption = new TFmOption(FmMain);
    FmAddDir = new TFmAddDir(FmMain);
    FmCancelFind = new TFmCancelFind(FmMain);
    FmCancelCvt = new TFmCancelCvt(FmMain);
    FmAbout = new TFmAbout(FmMain);
    FmFileOverTp = new TFmFileOverTp(FmMain);
    FmDirectory = new TFmDirectory(FmMain);
    FmViewLog = new TFmViewLog(FmMain);
    FmPassword = new TFmPassword(FmMain);
    Accessibility::describeControls(FmMain); // the dialogs are its children
    QObject::connect(FmCancelCvt, &TFmCancelCvt::cancelRequested, FmMain, [] { FmMain->CancelConvert = true; });
    QObject::connect(FmViewLog, &TFmViewLog::loggingSwitched, FmMain, [](bool on) { FmMain->activityLog().setEnabled(on); });
    QObject::connect(FmCancelFind, &TFmCancelFind::stopRequested, FmMain, [] { FmMain->FileSearch->Stop(); });
}

template <typename Form>
static void destroy(Form *&form)
{
    delete form;
    form = nullptr;
}

void DestroyForms()
{
    destroy(FmPassword);
    destroy(FmViewLog);
    destroy(FmDirectory);
    destroy(FmFileOverTp);
    destroy(FmAbout);
    destroy(FmCancelCvt);
    destroy(FmCancelFind);
    destroy(FmAddDir); // hands its ticks and recursion box to the settings
    destroy(FmOption);
    destroy(FmMain);   // writes the job file
}
