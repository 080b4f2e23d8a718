#pragma once
// The core's objects as the program makes them from its settings: the activity log, the job
// list's setup, and a conversion run followed to its end, as the window follows it.
#include "conversion/ActivityLog.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobFile.h"
#include "conversion/JobList.h"
#include "conversion/RunOptions.h"
#include "settings/Settings.h"

#include <QEventLoop>
#include <exception>

// Until its end; a failure that ended it (a log line that could not be written) is thrown.
inline void runToEnd(ConversionRun &run, int mode, const RunOptions &options)
{
    QEventLoop loop;
    QObject::connect(&run, &ConversionRun::finished, &loop, &QEventLoop::quit);
    if (run.start(mode, options) && run.running())
        loop.exec();
    if (run.failure())
        std::rethrow_exception(run.failure());
}

struct SettingsCore {
    // Made once the program directory is set, as the program makes it after start-up.
    ActivityLog log{ActivityLogPath(), !Settings.notlog};
    // The settings' options when it was made; a test changes them here.
    RunOptions options = RunOptions::fromSettings(Settings);

    JobList::Setup setup() { return {DocumentTypes(Settings.userfileext1), options.target, &log}; }

    void run(JobList &list, ConversionRun::Display &display, int mode, int threads = 0,
             ConversionEngine::Converter *converter = nullptr)
    {
        ConversionRun run(list, display, log, threads, converter);
        runToEnd(run, mode, options);
    }
};

// One of an entry's texts as a job file could hold it.
inline void setStoredText(JobList &list, int row, JobList::Text which, const QString &text)
{
    const JobList::Entry &entry = list.entry(row);
    QStringList texts;
    for (int i = 0; i < JobList::TextCount; ++i)
        texts << list.text(row, JobList::Text(i));
    texts[which] = text;
    list.setEntry(row, JobFile::entryOf(entry.state, entry.caption, texts + entry.moreTexts));
}
