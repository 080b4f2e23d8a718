#include "ui/RunDisplay.h"

#include "desktop/TaskbarEntry.h"
#include "forms/UnCancelCvt.h"
#include "forms/UnFileOverTp.h"
#include "ui/UnMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QProgressBar>

void RunDisplay::runStarted(int count)
{
    total = count;
    FmCancelCvt->startRun(total);
    FmCancelCvt->show();
    FmCancelCvt->raise();
    showOnTaskbar();
}

// The task bar shows what the progress window shows: the gauge and the entries still to go.
void RunDisplay::showOnTaskbar()
{
    const QProgressBar *gauge = FmCancelCvt->FlatProgressBar1;
    const int range = gauge->maximum() - gauge->minimum();
    taskbar.show(range > 0 ? double(gauge->value() - gauge->minimum()) / range : 0.0, total - FmCancelCvt->position());
}

void RunDisplay::showFile(const QString &source)
{
    FmCancelCvt->showFile(source);
}

void RunDisplay::stepProgress()
{
    FmCancelCvt->StepProgress();
    showOnTaskbar();
}

ConversionRun::PromptAnswer RunDisplay::askTargetExists(const QString &target)
{
    if (standingAnswer)
        return *standingAnswer;
    const auto answer = ConversionRun::PromptAnswer(FmFileOverTp->ShowPrompt(target));
    if (FmFileOverTp->CBSameForRest->isChecked() && answer != ConversionRun::PromptAnswer::StopConvert)
        standingAnswer = answer;
    return answer;
}

void RunDisplay::processEvents()
{
    QCoreApplication::processEvents();
}

void RunDisplay::waiting(const ConversionEngine::Progress &progress)
{
    // The conversions run on other threads; the window keeps painting and Cancel works.
    FmCancelCvt->showProgress(progress);
    showOnTaskbar();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void RunDisplay::runFinished()
{
    // Asked while the progress window is still up: as it goes, no window of ours may be
    // active until the window manager gives the main window back.
    activeAtEnd = false;
    for (const QWidget *window = QApplication::activeWindow(); window && !activeAtEnd; window = window->parentWidget())
        activeAtEnd = window == FmMain;
    if (!cancel) // a run that went through ends full, whatever the estimates said on the way
        FmCancelCvt->FlatProgressBar1->setValue(FmCancelCvt->FlatProgressBar1->maximum());
    FmCancelCvt->endRun();
    taskbar.clear();
}
