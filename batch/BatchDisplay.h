#pragma once
// What the window would show, told on the terminal: a line per entry (one JSON object with
// --json), a progress bar on a terminal, and the text missing from a converted file.
#include "conversion/ConversionRun.h"

#include <QElapsedTimer>
#include <csignal>

// The signal that ends the run (SIGINT, SIGTERM, SIGHUP, SIGPIPE); 0 while none came.
extern volatile std::sig_atomic_t interruptedBy;

struct Totals {
    int converted = 0, failed = 0, skipped = 0;
    int unreadPages = 0; // for want of recognition data, or of time
    qint64 pages = 0;
    QElapsedTimer clock;
};

class BatchDisplay : public ConversionRun::Display {
public:
    BatchDisplay(const JobList &list, bool json, Totals &totals);

    bool cancelRequested() override { return interruptedBy != 0; }
    void waiting(const ConversionEngine::Progress &progress) override;
    void runFinished() override;
    void entrySkipped(int row, const QString &why) override;
    void entryDone(int row, const ConversionRun::EntryReport &report) override;

private:
    void printJson(int row, const QString &state, const QString &message, const ConversionRun::EntryReport &report);
    void clearProgress();
    void showProgress();

    const JobList &list;
    const bool json;
    const bool progressBar;
    Totals &totals;
    bool shown = false;
    ConversionEngine::Progress latest;
    QElapsedTimer lastShown;
};
