#include "ui/JobListSaver.h"

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

void JobListSaver::save()
{
    soon.stop();
    list.SaveJobFile(JobFilePath());
}

void JobListSaver::saveQuietly()
{
    try {
        save();
    } catch (const OrdvaneError &e) {
        // Said where it is seen without stopping the user; the save at the end reports in full.
        tell(e.message());
    }
}

bool JobListSaver::saveBeforeClose(QWidget *window)
{
    for (;;) {
        try {
            save();
            settled = true;
            return true;
        } catch (const OrdvaneError &e) {
            // While the window is up the user can still make room and keep what was added.
            const QString text = e.message()
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
}

void JobListSaver::saveAtEnd()
{
    soon.stop();
    if (!settled)
        save();
}
