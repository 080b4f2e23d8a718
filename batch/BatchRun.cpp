#include "batch/BatchRun.h"

#include "batch/Batch.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"

void addFiles(const Conversion &conversion, JobList &list, const QStringList &files)
{
    QObject::connect(&list, &JobList::statusMessage, [](const QString &text) { printLine(stderr, text); });
    for (const QString &file : files) {
        const JobList::AddResult added = list.AddOneFile(file, JobList::Presence::Required);
        if (added == JobList::AddResult::NotFound || added == JobList::AddResult::TypeNotSupported)
            ++conversion.totals.failed;
    }
}

void addToTotals(const Conversion &conversion, const ConversionRun &run)
{
    Totals &totals = conversion.totals;
    totals.converted += run.successful();
    totals.failed += run.failed();
    totals.skipped += run.skipped();
    if (run.unreadPages() > 0)
        printLine(stderr, QStringLiteral("ordvane-batch: ") + run.unreadNote(ConversionRun::Language::User));
    if (run.unfinishedPages() > 0)
        printLine(stderr, QStringLiteral("ordvane-batch: ") + run.unfinishedNote(ConversionRun::Language::User));
    if (run.lostTextPages() > 0)
        printLine(stderr, QStringLiteral("ordvane-batch: ") + run.lostTextNote(ConversionRun::Language::User));
}
