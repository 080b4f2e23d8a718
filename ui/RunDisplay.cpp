#include "ui/RunDisplay.h"

#include "desktop/TaskbarEntry.h"
#include "forms/UnCancelCvt.h"
#include "forms/UnFileOverTp.h"
#include "ui/UnMain.h"

#include <QApplication>

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
    taskbar.show(FmCancelCvt->done(), total - FmCancelCvt->position());
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

void RunDisplay::askTargetExists(const QString &target, const std::function<void(ConversionRun::PromptAnswer)> &answer)
{
    if (standingAnswer)
        return answer(*standingAnswer);
    FmFileOverTp->ShowPrompt(target, [this, answer](TFmFileOverTp::Answer button, bool forTheRest) {
        const auto given = ConversionRun::PromptAnswer(button);
        if (forTheRest && given != ConversionRun::PromptAnswer::StopConvert)
            standingAnswer = given;
        answer(given);
    });
}

void RunDisplay::waiting(const ConversionEngine::Progress &progress)
{
    FmCancelCvt->showProgress(progress);
    showOnTaskbar();
}

void RunDisplay::runFinished()
{
    // Asked while the progress window is still up: as it goes, no window of ours may be
    // active until the window manager gives the main window back.
    activeAtEnd = false;
    for (const QWidget *window = QApplication::activeWindow(); window && !activeAtEnd; window = window->parentWidget())
        activeAtEnd = window == FmMain;
    FmCancelCvt->endRun(!cancel);
    taskbar.clear();
}
