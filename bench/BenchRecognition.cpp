// Recognition of scanned pages: makes scanned copies of text PDFs (each page rendered at
// 300 dpi in grey and wrapped as an image-only page), converts them through a conversion run
// with recognition on, as the program does, in each text order, and prints the word F1 and
// the word-pair F1 of the text against the originals' text layers in the same order, and the
// pages per second on every core. Word pairs (each word with the next) show whether the words
// come in the order the text layer gives them. Scanned photographs with a title show what
// pictures turn into: the words read there that are not the title's are stray.
// make_corpus's PDFs have German, French and Spanish words among the English ones: with
// English data alone their accents are misread, so the F1 with accents set aside is shown too.
// Where OCRmyPDF is installed, the same scans go through it too, one file after another on
// every core, text output only, and its time and F1 in reading order are printed beside ours.
// Where Tesseract's own command is installed, it reads the scans' pictures as grey image files
// on every core, with no PDF read or written: the floor under any pipeline built on Tesseract.
//   bench_recognition <folder of PDFs> [files=6] [pages a file=4] [languages=eng] [orders=3]
#include "tests/support/SettingsCore.h"
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
#include <QProcess>
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

QStringList wordsOf(const QString &text, bool plainLetters)
{
    static const QRegularExpression nonWord(QStringLiteral("[^\\w€]+"), QRegularExpression::UseUnicodePropertiesOption);
    QStringList words = text.split(nonWord, Qt::SkipEmptyParts);
    if (!plainLetters)
        return words;
    for (QString &word : words) {
        QString plain; // the letters without their accents; ß as "ss"
        for (QChar c : word.normalized(QString::NormalizationForm_D))
            if (c.category() != QChar::Mark_NonSpacing)
                plain += c == u'ß' ? QStringLiteral("ss") : QString(c);
        word = plain;
    }
    return words;
}

// Words, or each word with the next, and how often each comes.
QHash<QString, int> counts(const QString &text, bool plainLetters, bool pairs)
{
    const QStringList words = wordsOf(text, plainLetters);
    QHash<QString, int> counts;
    for (qsizetype i = 0; i + (pairs ? 1 : 0) < words.size(); ++i)
        ++counts[pairs ? words[i] + u' ' + words[i + 1] : words[i]];
    return counts;
}

struct Score {
    bool plainLetters = false;
    bool pairs = false;
    long long matched = 0, read = 0, expected = 0;
    void add(const QString &reference, const QString &recognised)
    {
        const QHash<QString, int> want = counts(reference, plainLetters, pairs), got = counts(recognised, plainLetters, pairs);
        for (auto it = want.begin(); it != want.end(); ++it) {
            expected += it.value();
            matched += std::min(it.value(), got.value(it.key()));
        }
        for (int n : got)
            read += n;
    }
    double precision() const { return double(matched) / double(std::max(1LL, read)); }
    double recall() const { return double(matched) / double(std::max(1LL, expected)); }
    double f1() const { return 2 * precision() * recall() / std::max(1e-9, precision() + recall()); }
    void print() const
    {
        std::printf("  %-24s %6lld expected, %6lld read, %6lld matched; precision %.4f, recall %.4f, F1 %.4f\n",
                    pairs ? "word pairs:" : plainLetters ? "words without accents:" : "words:", expected, read, matched,
                    precision(), recall(), f1());
    }
};

// The picture as a binary PGM file, which Tesseract reads without a PDF around it.
void writePgm(const QString &path, const testpdf::Picture &picture)
{
    std::ofstream out(FileSystem::encodePath(path).toStdString(), std::ios::binary);
    out << "P5\n" << picture.columns << ' ' << picture.rows << "\n255\n";
    out.write(reinterpret_cast<const char *>(picture.pixels.data()), std::streamsize(picture.pixels.size()));
}

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
    const int orders = argc > 5 ? std::clamp(std::atoi(argv[5]), 1, 3) : 3;
    poppler::set_debug_error_function(silent, nullptr);

    QTemporaryDir work;
    SetProgramDirectory(work.path());
    Settings = TSettings();
    Settings.notlog = true;
    Settings.targetdir = work.filePath(QStringLiteral("text/"));
    Settings.fileovertp = 1;
    Settings.sourcecode = 65001;
    Settings.pagebreak = true;

    // The scanned copies, and the originals' text of the same pages in each order.
    const poppler::page::text_layout_enum layouts[] = {poppler::page::non_raw_non_physical_layout,
                                                       poppler::page::physical_layout, poppler::page::raw_order_layout};
    const char *const orderNames[] = {"reading order", "physical layout", "raw order"};
    QStringList scans;
    QList<QStringList> pictures; // each scan's pages as image files
    QList<QString> references[3];
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
        for (int order = 0; order < 3; ++order) {
            QString reference;
            for (int i = 0; i < int(scanned.size()); ++i) {
                std::unique_ptr<poppler::page> page(original->create_page(i));
                const poppler::byte_array text = page->text(poppler::rectf(), layouts[order]).to_utf8();
                reference += QString::fromUtf8(text.data(), qsizetype(text.size()));
            }
            references[order] << reference;
        }
        const QString scan = work.filePath(QStringLiteral("scan-") + name);
        testpdf::writeFile(FileSystem::encodePath(scan).toStdString(), testpdf::makePdf(scanned));
        QStringList files;
        for (size_t i = 0; i < scanned.size(); ++i) {
            files << scan + QStringLiteral("-%1.pgm").arg(i + 1);
            writePgm(files.back(), scanned[i].pictures.front());
        }
        pictures << files;
        scans << scan;
        pages += int(scanned.size());
    }
    if (scans.isEmpty()) {
        std::fprintf(stderr, "no PDF files in %s\n", argv[1]);
        return 1;
    }
    // Book covers: a title over a photograph. Whatever else is read there is stray.
    const std::vector<std::string> titles = {"The Harbour Lights", "Winter Gardens of the North", "A Short History of Bridges"};
    std::vector<testpdf::Page> covers;
    for (const std::string &title : titles)
        covers.push_back(testpdf::photographPage(title));
    const QString photographs = work.filePath(QStringLiteral("scan-photographs.pdf"));
    const std::vector<testpdf::Page> scannedCovers = testpdf::scannedPages(testpdf::makePdf(covers));
    testpdf::writeFile(FileSystem::encodePath(photographs).toStdString(), testpdf::makePdf(scannedCovers));
    QStringList coverPictures;
    for (size_t i = 0; i < scannedCovers.size(); ++i) {
        coverPictures << photographs + QStringLiteral("-%1.pgm").arg(i + 1);
        writePgm(coverPictures.back(), scannedCovers[i].pictures.front());
    }
    Settings.ocr = true; // the run hands these to the library
    Settings.ocrlang = languages;
    std::printf("%d scanned files, %d pages at 300 dpi, and %d scanned photographs with a title, on %d cores, languages %s\n",
                int(scans.size()), pages, int(titles.size()), QThread::idealThreadCount(), qPrintable(languages));

    double ourSeconds[3] = {};
    Score ourReading;
    for (int order = 0; order < orders; ++order) {
        if (!MyPdfCvt::LoadConverterLibrary(QStringLiteral(ORDVANE_BIN_DIR))) {
            std::fprintf(stderr, "cannot load %stsypdf.so\n", ORDVANE_BIN_DIR);
            return 1;
        }
        Settings.textorder = order;
        SettingsCore core;
        JobList list(core.setup());
        for (const QString &scan : scans)
            list.AddOneFile(scan);
        list.AddOneFile(photographs);
        ConversionRun::Display display;
        ConversionRun run(list, display, core.log);
        const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
        QElapsedTimer timer;
        timer.start();
        runToEnd(run, ConversionRun::ConvertAll, RunOptions::fromSettings(Settings));
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        MyPdfCvt::UnloadConverterLibrary(); // the helpers end, so their CPU time counts
        const double cpu = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
        const auto textOf = [&](int i) {
            QByteArray text;
            text = FileSystem::readFile(list.text(i, JobList::Target)).value_or(QByteArray());
            return QString::fromUtf8(text.mid(3));
        };

        Score exact, plain, pairs;
        plain.plainLetters = true;
        pairs.pairs = true;
        for (int i = 0; i < int(scans.size()); ++i)
            for (Score *score : {&exact, &plain, &pairs})
                score->add(references[order][i], textOf(i));
        const QStringList covered = textOf(int(scans.size())).split(u'\f');
        int stray = 0, titleWords = 0, titleWordsRead = 0;
        for (size_t i = 0; i < titles.size(); ++i) {
            const QStringList title = wordsOf(QString::fromStdString(titles[i]), false);
            QStringList read = i < size_t(covered.size()) ? wordsOf(covered[qsizetype(i)], false) : QStringList();
            titleWords += int(title.size());
            for (const QString &word : title)
                titleWordsRead += read.removeOne(word) ? 1 : 0;
            stray += int(read.size());
        }
        std::printf("%s: %d of %d files converted; %.1f s: %.2f pages/s; helpers' CPU %.2f s a page\n", orderNames[order],
                    run.successful(), list.count(), seconds, (pages + double(titles.size())) / seconds,
                    cpu / (pages + double(titles.size())));
        for (const Score *score : {&exact, &plain, &pairs})
            score->print();
        ourSeconds[order] = seconds;
        if (order == 0)
            ourReading = exact;
        std::printf("  photographs: %d stray words; %d of the titles' %d words read\n", stray, titleWordsRead, titleWords);
    }

    // Tesseract alone on the same pictures, one page on each core at a time.
    double tesseractSeconds = 0;
    if (QProcess::execute(QStringLiteral("tesseract"), {QStringLiteral("--version")}) == 0) {
        QStringList pages;
        for (const QStringList &files : std::as_const(pictures) + QList<QStringList>{coverPictures})
            pages += files;
        QList<QString> texts(pages.size());
        std::vector<std::unique_ptr<QProcess>> running(size_t(QThread::idealThreadCount()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("OMP_THREAD_LIMIT"), QStringLiteral("1")); // as OCRmyPDF runs it beside others
        const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
        QElapsedTimer timer;
        timer.start();
        for (qsizetype next = 0, done = 0; done < pages.size();) {
            for (size_t slot = 0; slot < running.size(); ++slot) {
                std::unique_ptr<QProcess> &process = running[slot];
                if (process && process->state() != QProcess::NotRunning && !process->waitForFinished(5))
                    continue;
                if (process) {
                    texts[process->property("page").toInt()] = QString::fromUtf8(process->readAllStandardOutput());
                    process.reset();
                    ++done;
                }
                if (next < pages.size()) {
                    process = std::make_unique<QProcess>();
                    process->setProcessEnvironment(environment);
                    process->setProperty("page", int(next));
                    process->start(QStringLiteral("tesseract"), {pages[next++], QStringLiteral("stdout"), QStringLiteral("-l"), languages,
                                                                 QStringLiteral("--dpi"), QStringLiteral("300"), QStringLiteral("quiet")});
                }
            }
        }
        tesseractSeconds = double(timer.nsecsElapsed()) / 1e9;
        const double cpu = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
        Score alone;
        for (qsizetype i = 0, page = 0; i < pictures.size(); ++i) {
            QString text;
            for (qsizetype n = 0; n < pictures[i].size(); ++n)
                text += texts[page++];
            alone.add(references[0][i], text);
        }
        std::printf("Tesseract alone on the same pictures, no PDF read or written (%d pages): %.1f s; its CPU %.2f s a page\n",
                    int(pages.size()), tesseractSeconds, cpu / double(pages.size()));
        alone.print();
    }

    // The usual pipeline on the same scans and the same Tesseract data.
    if (QProcess::execute(QStringLiteral("ocrmypdf"), {QStringLiteral("--version")}) != 0)
        return 0;
    Score theirs;
    const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    QList<QString> sidecars;
    for (const QString &scan : std::as_const(scans) + QStringList{photographs}) {
        const QString sidecar = scan + QStringLiteral(".ocrmypdf.txt");
        QProcess ocrmypdf;
        ocrmypdf.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        ocrmypdf.start(QStringLiteral("ocrmypdf"), {QStringLiteral("-q"), QStringLiteral("-j"), QString::number(QThread::idealThreadCount()),
                                                    QStringLiteral("-l"), languages, QStringLiteral("--output-type"), QStringLiteral("none"),
                                                    QStringLiteral("--sidecar"), sidecar, scan, QStringLiteral("-")});
        ocrmypdf.waitForFinished(-1);
        sidecars << QString::fromUtf8(FileSystem::readFile(sidecar).value_or(QByteArray()));
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    for (int i = 0; i < int(scans.size()); ++i)
        theirs.add(references[0][i], sidecars[i]);
    std::printf("OCRmyPDF, reading order: %.1f s: %.2f pages/s; its CPU %.2f s a page\n", seconds,
                (pages + double(titles.size())) / seconds, cpu / (pages + double(titles.size())));
    theirs.print();
    std::printf("reading order: %.2f times as fast as OCRmyPDF; word F1 %.4f against its %.4f\n", seconds / ourSeconds[0],
                ourReading.f1(), theirs.f1());
    if (tesseractSeconds > 0)
        std::printf("Tesseract alone is %.2f times as fast as OCRmyPDF\n", seconds / tesseractSeconds);
    return 0;
}
