// The job list at 60,000 entries: adding them through AddOneFile (the list alone, and the
// main window with its list view shown), saving and loading the job file, and sorting by
// each column. Also a conversion run over a folder of PDFs against the bare conversions.
//   bench_joblist [folder of PDFs] [entries=60000]
#include "tests/support/SettingsCore.h"
#include "widgets/JobListModel.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "platform/LocaleInfo.h"
#include "platform/ProgramFolders.h"
#include "settings/Settings.h"
#include "ui/Forms.h"
#include "ui/UnMain.h"
#include "widgets/OrdvaneApplication.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

QString sourcePath(int i)
{
    // Spread over folders and names, as a real collection would be.
    return QStringLiteral("/srv/archive/%1/report-%2.pdf").arg(i % 97).arg(i * 7919 % 1000003);
}

void timeAdding(const char *label, int entries, const std::function<void(const QString &)> &add)
{
    QElapsedTimer timer;
    double firstThousand = 0, lastThousand = 0;
    timer.start();
    for (int i = 0; i < entries; ++i) {
        if (i == 1000)
            firstThousand = seconds(timer);
        if (i == entries - 1000)
            lastThousand = seconds(timer);
        add(sourcePath(i));
    }
    const double total = seconds(timer);
    std::printf("%-34s %8.3f s  (%.1f us each; first 1000 %.1f us each, last 1000 %.1f us each)\n", label, total,
                total / entries * 1e6, firstThousand / 1000 * 1e6, (total - lastThousand) / 1000 * 1e6);
}

// A run's bookkeeping against the same conversions alone.
void timeConversionRun(const QString &folder)
{
    QStringList files;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
        files << QDir(folder).filePath(name);
    if (files.isEmpty() || !MyPdfCvt::LoadConverterLibrary(QStringLiteral(ORDVANE_BIN_DIR)))
        return;
    QTemporaryDir targets;
    Settings.targetdir = targets.path() + u'/';
    Settings.fileovertp = 1; // overwrite, so every round writes every file
    double bare = 1e9, run = 1e9, allCores = 1e9;
    std::vector<double> ratios;
    for (int round = 0; round < 7; ++round) {
        QByteArray buffer;
        QElapsedTimer timer;
        timer.start();
        for (const QString &file : files)
            MyPdfCvt::ConvertPdfFile(file, buffer, 0, 0, true);
        const double b = seconds(timer);

        SettingsCore core;
        JobList list(core.setup());
        for (const QString &file : files)
            list.AddOneFile(file);
        ConversionRun::Display display;
        timer.start();
        core.run(list, display, ConversionRun::ConvertAll, 1); // one at a time, as the bare loop
        const double r = seconds(timer);
        list.SelectAllEntries();
        timer.start();
        core.run(list, display, ConversionRun::ReConvertSelected); // as the program runs: all cores
        allCores = std::min(allCores, seconds(timer));
        bare = std::min(bare, b);
        run = std::min(run, r);
        ratios.push_back(r / b);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("conversion run over %d PDFs, one at a time: %.3f s, the conversions alone %.3f s: bookkeeping %+.1f%% "
                "(median of 7 rounds' ratios)\n",
                int(files.size()), run, bare, (ratios[ratios.size() / 2] - 1) * 100);
    std::printf("conversion run on all %d cores: %.3f s, %.2f times as fast as one at a time\n", QThread::idealThreadCount(),
                allCores, run / allCores);
    MyPdfCvt::UnloadConverterLibrary();
}

}

int main(int argc, char *argv[])
{
    OrdvaneApplication app(argc, argv);
    LocaleInfo::initialise();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int entries = argc > 2 ? std::max(2000, std::atoi(argv[2])) : 60000;
    QTemporaryDir programDirectory;
    SetProgramDirectory(programDirectory.path());
    LoadSettings();
    Settings.targetdir = QStringLiteral("/srv/text/");
    Settings.notlog = true;

    SettingsCore core;
    JobList list(core.setup());
    timeAdding("AddOneFile, the list alone", entries, [&](const QString &p) { list.AddOneFile(p); });

    const QString jobFile = programDirectory.filePath(QStringLiteral("bench.job"));
    QElapsedTimer timer;
    timer.start();
    if (!JobFile::SaveJobFile(jobFile, list.allEntries()))
        return 1;
    std::printf("%-34s %8.3f s  (%lld bytes)\n", "SaveJobFile", seconds(timer), QFileInfo(jobFile).size());
    JobList loaded;
    JobListModel model(loaded);
    timer.start();
    loaded.replaceEntries(JobFile::LoadJobFile(jobFile).entries);
    std::printf("%-34s %8.3f s  (%d entries)\n", "LoadJobFile", seconds(timer), loaded.count());
    for (int column = 0; column < JobListModel::ColumnCount; ++column) {
        timer.start();
        model.ColumnClick(column);
        std::printf("sort by %-26s %8.3f s\n", qPrintable(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()),
                    seconds(timer));
    }

    CreateForms();
    FmMain->show();
    QCoreApplication::processEvents();
    // As Add Dir's search hands its finds over: the event loop runs between batches, at least
    // every 50 ms.
    int rounds = 0;
    QElapsedTimer whole, batch;
    whole.start();
    batch.start();
    timeAdding("AddOneFile, main window shown", entries, [&](const QString &p) {
        FmMain->AddOneFile(p);
        if (batch.elapsed() >= 50) {
            QCoreApplication::processEvents();
            batch.restart();
            ++rounds;
        }
    });
    std::printf("%-34s %8.1f a second (%d in all)\n", "  batches handed over, window updated", rounds / seconds(whole), rounds);
    timer.start();
    FmMain->SelectAllEntries();
    FmMain->DeleteSelectedEntries();
    QCoreApplication::processEvents();
    std::printf("%-34s %8.3f s\n", "select all and delete, window", seconds(timer));
    DestroyForms();

    if (!folder.isEmpty())
        timeConversionRun(folder);
    return 0;
}
