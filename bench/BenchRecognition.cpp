// Recognition of scanned pages: makes scanned copies of generated text PDFs (each page
// rendered at 300 dpi in grey and wrapped as an image-only page), converts them through a
// conversion run with recognition on, as the program does, and prints the word F1 of the
// text against the originals' text layers, and the pages per second on every core.
// The corpus has German, French and Spanish words among the English ones: with English data
// alone their accents are misread, so the F1 of the words with accents set aside is shown too.
//   bench_recognition <folder of PDFs made by make_corpus> [files=6] [pages a file=4] [languages=eng]
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "platform/FileSystem.h"
#include "platform/LocaleInfo.h"
#include "platform/ProgramFolders.h"
#include "settings/DocumentTypes.h"
#include "settings/Settings.h"
#include "tests/support/ScanMaker.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <fstream>
#include <memory>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>
#include <sstream>
#include <sys/resource.h>

namespace {

void silent(const std::string &, void *) {}

QHash<QString, int> wordCounts(const QString &text, bool plainLetters)
{
    static const QRegularExpression nonWord(QStringLiteral("[^\\w€]+"), QRegularExpression::UseUnicodePropertiesOption);
    QHash<QString, int> counts;
    for (const QString &word : text.split(nonWord, Qt::SkipEmptyParts)) {
        if (!plainLetters) {
            ++counts[word];
            continue;
        }
        QString plain; // the letters without their accents; ß as "ss"
        for (QChar c : word.normalized(QString::NormalizationForm_D))
            if (c.category() != QChar::Mark_NonSpacing)
                plain += c == u'ß' ? QStringLiteral("ss") : QString(c);
        ++counts[plain];
    }
    return counts;
}

struct Score {
    bool plainLetters = false;
    long long matched = 0, read = 0, expected = 0;
    void add(const QString &reference, const QString &recognised)
    {
        const QHash<QString, int> want = wordCounts(reference, plainLetters), got = wordCounts(recognised, plainLetters);
        for (auto it = want.begin(); it != want.end(); ++it) {
            expected += it.value();
            matched += std::min(it.value(), got.value(it.key()));
        }
        for (int n : got)
            read += n;
    }
};

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    LocaleInfo::initialise();
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder of PDFs> [files=6] [pages a file=4]\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int fileCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 6;
    const int pagesPerFile = argc > 3 ? std::max(1, std::atoi(argv[3])) : 4;
    const QString languages = argc > 4 ? QString::fromLatin1(argv[4]) : QStringLiteral("eng");
    poppler::set_debug_error_function(silent, nullptr);

    QTemporaryDir work;
    SetProgramDirectory(work.path());
    Settings = TSettings();
    Settings.notlog = true;
    Settings.targetdir = work.filePath(QStringLiteral("text/"));
    Settings.fileovertp = 1;
    Settings.sourcecode = 65001;
    Settings.pagebreak = true;
    BuildExtensionLookup();

    // The scanned copies, and the originals' text of the same pages.
    QStringList scans;
    QList<QString> references;
    int pages = 0;
    for (const QString &name : folder.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name)) {
        if (scans.size() == fileCount)
            break;
        std::ifstream in(FileSystem::encodePath(folder.filePath(name)).toStdString(), std::ios::binary);
        std::stringstream stream;
        stream << in.rdbuf();
        const std::string bytes = stream.str(); // the document reads from it while it lives
        std::unique_ptr<poppler::document> original(poppler::document::load_from_raw_data(bytes.data(), int(bytes.size())));
        if (!original || original->is_locked())
            continue;
        std::vector<testpdf::Page> scanned = testpdf::scannedPages(bytes, 300);
        scanned.resize(std::min<size_t>(scanned.size(), size_t(pagesPerFile)));
        QString reference;
        for (int i = 0; i < int(scanned.size()); ++i) {
            std::unique_ptr<poppler::page> page(original->create_page(i));
            const poppler::byte_array text = page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
            reference += QString::fromUtf8(text.data(), qsizetype(text.size()));
        }
        const QString scan = work.filePath(QStringLiteral("scan-") + name);
        testpdf::writeFile(FileSystem::encodePath(scan).toStdString(), testpdf::makePdf(scanned));
        scans << scan;
        references << reference;
        pages += int(scanned.size());
    }
    if (scans.isEmpty()) {
        std::fprintf(stderr, "no PDF files in %s\n", argv[1]);
        return 1;
    }
    if (!MyPdfCvt::LoadConverterLibrary(QStringLiteral(ORDVANE_BIN_DIR))) {
        std::fprintf(stderr, "cannot load %stsypdf.so\n", ORDVANE_BIN_DIR);
        return 1;
    }
    Settings.ocr = true; // the run hands these to the library
    Settings.ocrlang = languages;

    JobList list;
    for (const QString &scan : scans)
        list.AddOneFile(scan);
    ConversionRun::Display display;
    ConversionRun run(list, display);
    QElapsedTimer timer;
    timer.start();
    run.run(ConversionRun::ConvertAll);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    MyPdfCvt::UnloadConverterLibrary(); // the helpers end, so their CPU time counts
    const double cpu = cpuSeconds(RUSAGE_CHILDREN);

    Score exact, plain;
    plain.plainLetters = true;
    for (int i = 0; i < list.count(); ++i) {
        QByteArray text;
        FileSystem::readFile(list.text(i, JobList::Target), text);
        exact.add(references[i], QString::fromUtf8(text.mid(3)));
        plain.add(references[i], QString::fromUtf8(text.mid(3)));
    }
    std::printf("%d scanned files, %d pages at 300 dpi, %d converted, on %d cores, languages %s\n", int(scans.size()), pages,
                run.successful(), QThread::idealThreadCount(), qPrintable(languages));
    std::printf("%.1f s: %.2f pages/s; helpers' CPU %.2f s a page\n", seconds, pages / seconds, cpu / pages);
    for (const Score *score : {&exact, &plain}) {
        const double precision = double(score->matched) / double(std::max(1LL, score->read));
        const double recall = double(score->matched) / double(std::max(1LL, score->expected));
        std::printf("words%s: %lld expected, %lld read, %lld matched; precision %.4f, recall %.4f, F1 %.4f\n",
                    score->plainLetters ? " without accents" : "", score->expected, score->read, score->matched, precision,
                    recall, 2 * precision * recall / std::max(1e-9, precision + recall));
    }
    return 0;
}
