#pragma once
// What a conversion run shows in the main window: the progress window, the prompt for an
// existing target, and the progress on the task bar.
#include "conversion/ConversionRun.h"

#include <optional>

class TaskbarEntry;

class RunDisplay : public ConversionRun::Display {
public:
    // cancelRequested: set by the progress window's Cancel, or by Exit during the run.
    RunDisplay(const bool &cancelRequested, TaskbarEntry &taskbar) : cancel(cancelRequested), taskbar(taskbar) {}

    void runStarted(int total) override;
    void showFile(const QString &source) override;
    void stepProgress() override;
    void askTargetExists(const QString &target, const std::function<void(ConversionRun::PromptAnswer)> &answer) override;
    bool cancelRequested() override { return cancel; }
    void waiting(const ConversionEngine::Progress &progress) override;
    void runFinished() override;

    // Whether the user was at the main window or one of its dialogs when the run ended.
    bool endedWhileActive() const { return activeAtEnd; }

private:
    void showOnTaskbar();

    const bool &cancel;
    TaskbarEntry &taskbar;
    int total = 0;
    bool activeAtEnd = false;
    // The prompt's answer, when the user chose it for the rest of the run.
    std::optional<ConversionRun::PromptAnswer> standingAnswer;
};
