#pragma once
// What a conversion run shows in the main window: the progress window, the prompt for an
// existing target, and a wait for conversions that keeps the window alive.
#include "conversion/ConversionRun.h"

class RunDisplay : public ConversionRun::Display {
public:
    // cancelRequested: set by the progress window's Cancel, or by Exit during the run.
    explicit RunDisplay(const bool &cancelRequested) : cancel(cancelRequested) {}

    void runStarted(int total) override;
    void showFile(const QString &source) override;
    void stepProgress() override;
    ConversionRun::PromptAnswer askTargetExists(const QString &target) override;
    void processEvents() override;
    bool cancelRequested() override { return cancel; }
    void waiting(const ConversionEngine::Progress &progress) override;
    void runFinished() override;

private:
    const bool &cancel;
};
