#pragma once
// What every run of ordvane-batch shares: the command, the log, and the totals each run adds to.
#include "batch/BatchCommand.h"
#include "batch/BatchDisplay.h"

class ActivityLog;
class ConversionRun;
class JobList;

struct Conversion {
    const Command &command;
    ActivityLog &log;
    Totals &totals;
};

// The files into the list as a drop adds them: a file named that is not there, or no PDF, is
// not converted, and counts as failed.
void addFiles(const Conversion &conversion, JobList &list, const QStringList &files);
// A finished run's counts into the totals; the pages it could not read are told.
void addToTotals(const Conversion &conversion, const ConversionRun &run);
