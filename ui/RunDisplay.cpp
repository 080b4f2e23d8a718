#include "ui/RunDisplay.h"

#include "ui/UnCancelCvt.h"
#include "ui/UnFileOverTp.h"

#include <QCoreApplication>
#include <QEventLoop>

void RunDisplay::runStarted(int total)
{
    FmCancelCvt->startRun(total);
    FmCancelCvt->show();
    FmCancelCvt->raise();
}

void RunDisplay::showFile(const QString &source)
{
    FmCancelCvt->showFile(source);
}

void RunDisplay::stepProgress()
{
    FmCancelCvt->StepProgress();
}

ConversionRun::PromptAnswer RunDisplay::askTargetExists(const QString &target)
{
    return ConversionRun::PromptAnswer(FmFileOverTp->ShowPrompt(target));
}

void RunDisplay::processEvents()
{
    QCoreApplication::processEvents();
}

void RunDisplay::waiting(const ConversionEngine::Progress &progress)
{
    // The conversions run on other threads; the window keeps painting and Cancel works.
    FmCancelCvt->showProgress(progress);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void RunDisplay::runFinished()
{
    FmCancelCvt->close();
}
