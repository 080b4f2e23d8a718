// One conversion run through ConversionRun and the real library over the files listed in a
// file (one path a line, in list order), as Convert All runs it in the window:
//   bench_mixed <list> [threads=0] [--no-ocr]
// threads 0: every core; 1: one helper, no splitting. --no-ocr leaves scanned pages unread, as
// the window's Recognise option unticked does. Prints the wall time, the outcome counts and
// the program's own peak memory (helpers apart).
#include "tests/support/SettingsCore.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "platform/ProgramFolders.h"
#include "settings/DocumentTypes.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool recognition = !arguments.removeAll(QStringLiteral("--no-ocr"));
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: bench_mixed <list> [threads=0] [--no-ocr]\n");
        return 2;
    }
    QFile listFile(arguments[0]);
    if (!listFile.open(QIODevice::ReadOnly) || !MyPdfCvt::LoadConverterLibrary(QStringLiteral(ORDVANE_BIN_DIR)))
        return 1;
    QTemporaryDir home;
    SetProgramDirectory(home.path() + u'/');
    Settings.notlog = true;
    Settings.targetdir = home.path() + QStringLiteral("/out/");
    Settings.fileovertp = 1;
    Settings.pagebreak = true;
    Settings.ocr = recognition;
    SettingsCore core;
    JobList list(core.setup());
    for (const QByteArray &line : listFile.readAll().split('\n'))
        if (!line.isEmpty())
            list.AddOneFile(QString::fromLocal8Bit(line));

    ConversionRun::Display display;
    QElapsedTimer timer;
    timer.start();
    ConversionRun run(list, display, core.log, arguments.size() > 1 ? arguments[1].toInt() : 0);
    runToEnd(run, ConversionRun::ConvertAll, RunOptions::fromSettings(Settings));
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f s, %d converted, %d failed, peak RSS %.1f MB\n", seconds, run.successful(), run.failed(),
                double(usage.ru_maxrss) / 1024);
    MyPdfCvt::UnloadConverterLibrary();
    return 0;
}
