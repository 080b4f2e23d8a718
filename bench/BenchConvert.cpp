// Converts every PDF of a folder through ConvertPdfFile, in one process, and beside it lets
// poppler extract the same files in this process without helpers, so the cost of the helper
// process, the binding and the encoding shows as one percentage.
//   bench_convert <folder> [code page=0] [rounds=9] [only=poppler|program]
// With "only", one side runs once and prints nothing but its figures: run it under
// valgrind --tool=callgrind --trace-children=yes for instruction counts, which a busy
// machine cannot disturb.
#include "conversion/MyPdfCvt.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/LocaleInfo.h"

#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>
#include <memory>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>
#include <sys/resource.h>

namespace {

struct Totals {
    int files = 0;
    long long pages = 0;
    long long bytes = 0;
    double seconds = 0;
};

Totals popplerAlone(const QStringList &files)
{
    Totals t;
    QElapsedTimer timer;
    timer.start();
    for (const QString &file : files) {
        std::unique_ptr<poppler::document> document(poppler::document::load_from_file(FileSystem::encodePath(file).toStdString()));
        if (!document || document->is_locked())
            continue;
        ++t.files;
        for (int i = 0; i < document->pages(); ++i) {
            std::unique_ptr<poppler::page> page(document->create_page(i));
            t.bytes += qint64(page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8().size());
            ++t.pages;
        }
    }
    t.seconds = double(timer.nsecsElapsed()) / 1e9;
    return t;
}

Totals throughTheProgram(const QStringList &files, int codePage)
{
    Totals t;
    QByteArray textBuffer;
    QElapsedTimer timer;
    timer.start();
    for (const QString &file : files) {
        const int result = MyPdfCvt::ConvertPdfFile(file, textBuffer, codePage, 0, true);
        if (result < 0)
            continue;
        ++t.files;
        t.bytes += result;
        t.pages += textBuffer.left(result).count('\f');
    }
    t.seconds = double(timer.nsecsElapsed()) / 1e9;
    return t;
}

void print(const char *label, const Totals &t)
{
    std::printf("%-30s files %5d  pages %7lld  text bytes %11lld  %8.3f s  %8.1f pages/s\n", label, t.files, t.pages,
                t.bytes, t.seconds, double(t.pages) / t.seconds);
}

void silent(const std::string &, void *) {}

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}

int main(int argc, char *argv[])
{
    LocaleInfo::initialise();
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder of PDFs> [code page=0] [rounds=9] [poppler|program]\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int codePage = argc > 2 ? std::atoi(argv[2]) : 0;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
    QStringList files;
    for (const QString &name : folder.entryList({QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files, QDir::Name))
        files << folder.filePath(name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "no PDF files in %s\n", argv[1]);
        return 1;
    }
    if (!MyPdfCvt::LoadConverterLibrary(QStringLiteral(ORDVANE_BIN_DIR))) {
        std::fprintf(stderr, "cannot load %stsypdf.so\n", ORDVANE_BIN_DIR);
        return 1;
    }
    poppler::set_debug_error_function(silent, nullptr);
    const QByteArray only = argc > 4 ? QByteArray(argv[4]) : QByteArray();
    if (only == "poppler") {
        print("poppler in this process", popplerAlone(files));
        return 0;
    }
    if (only == "program") {
        print("ConvertPdfFile (helper)", throughTheProgram(files, codePage));
        MyPdfCvt::UnloadConverterLibrary();
        return 0;
    }

    // Wall time: best of several rounds, so that neither side profits from a quiet moment.
    // CPU time: all rounds, the helper processes' included once they have ended; it is
    // steadier on a busy machine.
    Totals alone, program;
    double aloneCpu = 0, programCpu = 0;
    std::vector<double> ratios; // each round's pair ran back to back, so their ratio is steadiest
    for (int round = 0; round < rounds; ++round) {
        double before = cpuSeconds(RUSAGE_SELF);
        const Totals a = popplerAlone(files);
        aloneCpu += cpuSeconds(RUSAGE_SELF) - before;
        before = cpuSeconds(RUSAGE_SELF);
        const Totals p = throughTheProgram(files, codePage);
        programCpu += cpuSeconds(RUSAGE_SELF) - before;
        ratios.push_back(p.seconds / a.seconds);
        if (round == 0 || a.seconds < alone.seconds)
            alone = a;
        if (round == 0 || p.seconds < program.seconds)
            program = p;
    }
    const double helpersBefore = cpuSeconds(RUSAGE_CHILDREN);
    MyPdfCvt::UnloadConverterLibrary();
    programCpu += cpuSeconds(RUSAGE_CHILDREN) - helpersBefore;

    std::printf("%d PDF files in %s, code page %d, locale character set %s, best of %d rounds\n", int(files.size()),
                argv[1], codePage, CodePage::systemCharset().constData(), rounds);
    print("poppler in this process", alone);
    print("ConvertPdfFile (helper)", program);
    std::sort(ratios.begin(), ratios.end());
    std::printf("added by helper, binding and encoding: %+.1f%% (median of the rounds' ratios); best walls %+.1f%%; "
                "CPU %+.1f%% (%.3f s against %.3f s a round)\n",
                (ratios[ratios.size() / 2] - 1) * 100, (program.seconds / alone.seconds - 1) * 100,
                (programCpu / aloneCpu - 1) * 100, programCpu / rounds, aloneCpu / rounds);
    return 0;
}
