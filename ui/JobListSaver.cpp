#include "ui/JobListSaver.h"

#include "conversion/JobFile.h"
#include "conversion/JobList.h"
#include "platform/IoError.h"
#include "platform/ProgramFolders.h"
#include "widgets/Dialogs.h"

namespace {
constexpr int SaveDelayMs = 1000; // at most this much of the list's changes is lost in a crash
}

JobListSaver::JobListSaver(JobList &list, std::function<void(const QString &)> tell, QObject *parent)
    : QObject(parent), list(list), tell(std::move(tell))
{
    soon.setSingleShot(true);
    soon.setInterval(SaveDelayMs);
    connect(&soon, &QTimer::timeout, this, &JobListSaver::saveQuietly);
    connect(&list, &JobList::contentChanged, this, [this] {
        if (!soon.isActive())
            soon.start();
    });
}

IoResult<void> JobListSaver::save()
{
    soon.stop();
    return JobFile::SaveJobFile(JobFilePath(), list.allEntries());
}

void JobListSaver::saveQuietly()
{
    // Said where it is seen without stopping the user; the save at the end reports in full.
    if (const IoResult<void> saved = save(); !saved)
        tell(saved.error().message());
}

bool JobListSaver::saveBeforeClose(QWidget *window)
{
    for (;;) {
        const IoResult<void> saved = save();
        if (saved) {
            settled = true;
            return true;
        }
        // While the window is up the user can still make room and keep what was added.
        const QString text = saved.error().message()
                             + QStringLiteral("\n\n")
                             + tr("The job list could not be saved. Retry once there is room, exit without "
                                  "saving it (what changed since the last save is lost), or cancel to keep "
                                  "KV-Ordvane open.");
        switch (Dialogs::retryIgnoreCancel(window, QStringLiteral("KV-Ordvane"), text, tr("Exit Without Saving"))) {
        case Dialogs::Decision::Retry:
            continue;
        case Dialogs::Decision::Ignore:
            settled = true; // the end does not try again
            return true;
        case Dialogs::Decision::Cancel:
            return false;
        }
    }
}

IoResult<void> JobListSaver::saveAtEnd()
{
    soon.stop();
    if (settled)
        return {};
    return save();
}
