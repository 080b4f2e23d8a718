// Text from scanned pages: the real library and helper with real Tesseract on scans the tests
// make (text PDFs rendered by poppler and wrapped as image-only pages).
#include "base/RecognitionLanguages.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "platform/FileSystem.h"
#include "settings/RecognitionChoice.h"
#include "tests/support/SettingsCore.h"
#include "tests/support/LogLines.h"
#include "tests/support/PdfMaker.h"
#include "tests/support/SanitizedHelpers.h"
#include "tests/support/ScanMaker.h"
#include "tests/support/TestProgramDirectory.h"
#include "tsypdf/tsypdf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <csignal>
#include <dlfcn.h>

namespace {

const std::vector<std::string> Prose = {
    "Scanned letters reach the office every morning,",
    "and the clerk reads each of them carefully before",
    "the committee meets to discuss the harbour budget.",
};

QString writePdf(const TestProgramDirectory &dir, const QString &name, const std::vector<testpdf::Page> &pages)
{
    const QString path = dir.file(name);
    if (!testpdf::writeFile(FileSystem::encodePath(path).toStdString(), testpdf::makePdf(pages)))
        return {};
    return path;
}

std::vector<testpdf::Page> scans(const std::vector<std::string> &lines, int quarterTurns = 0, double skewDegrees = 0)
{
    return testpdf::scannedPages(testpdf::makePdf({testpdf::linesPage(lines, 14)}), 300, quarterTurns, skewDegrees);
}

// Text orders as the program passes them.
enum Order { Reading = 0, Physical = 1, Raw = 2 };

QByteArray extract(const QString &path, int *result = nullptr, Order order = Reading)
{
    QByteArray buffer;
    const int r = MyPdfCvt::ConvertPdfFile(path, buffer, 65001, order, true);
    if (result)
        *result = r;
    return r >= 3 ? buffer.mid(3, r - 3) : QByteArray();
}

QSet<QString> wordsOf(const QString &text)
{
    const QStringList words = text.toLower().split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts);
    return QSet<QString>(words.begin(), words.end());
}

QSet<QString> proseWords()
{
    QSet<QString> words;
    for (const std::string &line : Prose)
        words += wordsOf(QString::fromStdString(line));
    return words;
}

// Whether the text holds all but at most two of the prose's words.
bool readsAsProse(const QByteArray &text)
{
    return proseWords().intersect(wordsOf(QString::fromUtf8(text))).size() >= proseWords().size() - 2;
}

QStringList wordList(const QString &text)
{
    return text.toLower().split(QRegularExpression(QStringLiteral("[^\\w.]+")), Qt::SkipEmptyParts);
}

// The line of the text that holds all the words in this order, or -1.
int lineWith(const QStringList &lines, const QStringList &words)
{
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList found = wordList(lines[i]);
        qsizetype from = 0;
        bool all = true;
        for (const QString &word : words) {
            from = found.indexOf(word.toLower(), from);
            all = all && from >= 0;
            if (!all)
                break;
        }
        if (all)
            return i;
    }
    return -1;
}

// A process as /proc tells it: its state letter ('Z' for a zombie) and its parent.
struct ProcessStat {
    char state = 0;
    pid_t parent = 0;
};

ProcessStat processStat(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> fields = stat.readAll().split(')').last().split(' '); // after the name
    return {fields.value(1).isEmpty() ? '\0' : fields.value(1).at(0), pid_t(fields.value(2).toInt())};
}

bool descendsFrom(pid_t pid, pid_t ancestor)
{
    for (int depth = 0; pid > 1 && depth < 64; ++depth, pid = processStat(pid).parent)
        if (pid == ancestor)
            return true;
    return false;
}

// A helper's page reader below the process: a process whose grandparent descends from it
// (the helper's parent). 0 when none is at work.
pid_t pageReaderBelow(pid_t ancestor)
{
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs);
    for (const QString &name : processes) {
        const pid_t pid = name.toInt();
        const pid_t helper = processStat(pid).parent;
        const pid_t program = helper > 0 ? processStat(helper).parent : 0;
        if (program > 0 && descendsFrom(program, ancestor) && QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)).endsWith(QStringLiteral("tsypdf-worker"))
            && QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(helper)).endsWith(QStringLiteral("tsypdf-worker")))
            return pid;
    }
    return 0;
}

thread_local QList<QList<int>> progress;
void recordProgress(int32_t, int32_t, int32_t recognisingPage, int32_t documentPages)
{
    progress.append({recognisingPage, documentPages});
}

}

class TestRecognition : public QObject {
    Q_OBJECT

    QScopedPointer<TestProgramDirectory> dir;

private slots:
    void initTestCase()
    {
        const std::vector<std::string> installed = RecognitionLanguages::installed();
        QVERIFY2(std::count(installed.begin(), installed.end(), "eng") == 1, "tesseract-ocr-eng is not installed");
        dir.reset(new TestProgramDirectory);
        QVERIFY(MyPdfCvt::LoadConverterLibrary(dir->path()));
    }

    void cleanupTestCase() { MyPdfCvt::UnloadConverterLibrary(); }

    // Scans upright, sideways, upside down, askew and negative are read; the typed page and the page
    // breaks are as without recognition; recognition off, or in a language without data,
    // changes nothing.
    void scannedPagesAreRead()
    {
        std::vector<testpdf::Page> pages = {testpdf::linesPage({"Typed page with a text layer"})};
        const std::pair<int, double> feeds[] = {{0, 0}, {1, 0}, {2, 0}, {0, -3}}; // quarter turns, skew
        for (const auto &[turns, skew] : feeds)
            for (testpdf::Page &page : scans(Prose, turns, skew))
                pages.push_back(std::move(page));
        const QString file = writePdf(*dir, QStringLiteral("mixed.pdf"), pages);

        const QByteArray before = extract(file); // the library has never heard of recognition
        QCOMPARE(before.count('\f'), 5);
        QVERIFY(before.endsWith("\f\f\f\f\f"));

        MyPdfCvt::SetRecognition(true, QStringLiteral("eng"));
        int result = -1;
        const QByteArray read = extract(file, &result);
        QVERIFY(result > 0);
        const QList<QByteArray> texts = read.split('\f');
        QCOMPARE(texts.size(), 6);
        QCOMPARE(texts[0] + '\f', before.left(before.indexOf('\f') + 1));
        for (int page = 1; page <= 4; ++page)
            QVERIFY2(readsAsProse(texts[page]), texts[page].constData());
        QVERIFY(texts[5].isEmpty());

        // Light text on a dark ground, as a negative gives it, is read too.
        std::vector<testpdf::Page> negative = scans(Prose);
        for (unsigned char &grey : negative[0].pictures[0].pixels)
            grey = 255 - grey;
        const QByteArray light = extract(writePdf(*dir, QStringLiteral("negative.pdf"), negative));
        QVERIFY2(readsAsProse(light), light.constData());

        // Grey text under a black heading, as a light body type or a faded print gives it.
        std::vector<testpdf::Page> faded = scans({"HARBOUR COMMITTEE MINUTES", Prose[0], Prose[1], Prose[2]});
        testpdf::Picture &picture = faded[0].pictures[0];
        const size_t headingEnd = size_t(74 * 300 / 72) * size_t(picture.columns); // below the heading's descenders
        for (size_t i = headingEnd; i < picture.pixels.size(); ++i)
            picture.pixels[i] = uint8_t(255 - (255 - picture.pixels[i]) / 4); // ink at a quarter of its strength
        const QByteArray grey = extract(writePdf(*dir, QStringLiteral("faded.pdf"), faded));
        QVERIFY2(readsAsProse(grey) && grey.contains("COMMITTEE"), grey.constData());

        MyPdfCvt::SetRecognition(false, QStringLiteral("eng"));
        QCOMPARE(extract(file), before);
        MyPdfCvt::SetRecognition(true, QStringLiteral("xyz"));
        QCOMPARE(extract(file), before);
    }

    // A scan is read however its page draws the picture: mirrored, or upside down with its rows
    // stored bottom first, so that the page shows upright; at 600 dpi, and at 150 dpi.
    void scansDrawnEveryWay()
    {
        std::vector<testpdf::Page> pages;
        for (const bool mirrored : {true, false}) {
            testpdf::Page page = scans(Prose).front();
            testpdf::Picture &picture = page.pictures.front();
            const auto row = [&](int y) { return picture.pixels.begin() + ptrdiff_t(y) * picture.columns; };
            for (int y = 0; y < picture.rows; ++y) {
                if (mirrored)
                    std::reverse(row(y), row(y) + picture.columns);
                else if (y < picture.rows / 2)
                    std::swap_ranges(row(y), row(y) + picture.columns, row(picture.rows - 1 - y));
            }
            (mirrored ? picture.x : picture.y) = mirrored ? picture.width : picture.height;
            (mirrored ? picture.width : picture.height) *= -1;
            pages.push_back(std::move(page));
        }
        for (const double dpi : {600.0, 150.0})
            pages.push_back(testpdf::scannedPages(testpdf::makePdf({testpdf::linesPage(Prose, 14)}), dpi).front());
        MyPdfCvt::SetRecognition(true, QStringLiteral("eng"));
        int result = -1;
        const QList<QByteArray> texts = extract(writePdf(*dir, QStringLiteral("drawn.pdf"), pages), &result).split('\f');
        MyPdfCvt::SetRecognition(false, {});
        QVERIFY(result > 0);
        QCOMPARE(texts.size(), 5);
        for (int page = 0; page < 4; ++page)
            QVERIFY2(readsAsProse(texts[page]), texts[page].constData());
    }

    // A sliver of a scanned page (a page a fraction of a point high) is not read, and does not
    // cost the file the text of its other pages.
    void slivers()
    {
        std::vector<testpdf::Page> pages = {testpdf::linesPage({"Typed page with a text layer"})};
        for (const double height : {0.3, 1.0, 4.0}) {
            testpdf::Page sliver;
            sliver.height = height;
            sliver.rect(0, 0, sliver.width, height, 0.0); // drawn, without a text layer
            pages.push_back(std::move(sliver));
        }
        pages.push_back(scans(Prose).front());
        const QString file = writePdf(*dir, QStringLiteral("slivers.pdf"), pages);
        MyPdfCvt::SetRecognition(true, QStringLiteral("eng"));
        int result = -1;
        const QList<QByteArray> texts = extract(file, &result).split('\f');
        MyPdfCvt::SetRecognition(false, QStringLiteral("eng"));
        QVERIFY(result > 0);
        QCOMPARE(texts.size(), 6);
        QVERIFY(texts[0].startsWith("Typed page with a text layer"));
        QVERIFY2(readsAsProse(texts[4]), texts[4].constData());
    }

    // A few characters over a picture that fills the page (a stamped scan) are read again;
    // a page of a few words alone, or beside a small picture, keeps its text layer, and a
    // blank scanned page gives nothing.
    void fewCharactersOverAPicture()
    {
        std::vector<testpdf::Page> pages = scans(Prose);
        pages[0].text(500, 20, 8, "No. 17");
        pages.push_back(testpdf::linesPage({"Annual Report"}, 24));
        pages.push_back(testpdf::linesPage({"Annual Report"}, 24));
        pages.back().pictures.push_back({2, 2, std::vector<unsigned char>(4, 60), 400, 500, 120, 120}); // a logo
        pages.emplace_back().pictures.push_back({8, 8, std::vector<unsigned char>(64, 255), 0, 0, 612, 792});
        const QString file = writePdf(*dir, QStringLiteral("stamped.pdf"), pages);
        MyPdfCvt::SetRecognition(false, {});
        const QByteArray layer = extract(file);
        MyPdfCvt::SetRecognition(true, QStringLiteral("eng"));
        const QList<QByteArray> texts = extract(file).split('\f');
        QCOMPARE(texts.size(), 5);
        QVERIFY2(readsAsProse(texts[0]), texts[0].constData());
        QCOMPARE(texts.mid(1).join('\f'), layer.mid(layer.indexOf('\f') + 1));
        MyPdfCvt::SetRecognition(false, {});
    }

    // A small text layer over a picture of a script that no installed language reads (here
    // Cyrillic, with English data): the picture is not read as English noise, the layer's
    // words stay, and the page is reported unread with its script. Over English prose the
    // recognised words come below the layer's, which are not given twice.
    void textLayerOverAScriptWithoutData()
    {
        const std::vector<std::string> cyrillic = {
            "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBA\xD0\xB0\xD0\xB7 \xD0\xBE \xD0\xBF\xD0\xBE\xD1\x80\xD1\x8F\xD0\xB4\xD0\xBA\xD0\xB5 "
            "\xD1\x80\xD0\xB0\xD0\xB1\xD0\xBE\xD1\x82\xD1\x8B \xD0\xB3\xD0\xBE\xD1\x80\xD0\xBE\xD0\xB4\xD1\x81\xD0\xBA\xD0\xBE\xD0\xB3\xD0\xBE",
            "\xD0\xBF\xD0\xBE\xD1\x80\xD1\x82\xD0\xB0 \xD0\xB2 \xD0\xB7\xD0\xB8\xD0\xBC\xD0\xBD\xD0\xB8\xD0\xB9 "
            "\xD0\xBF\xD0\xB5\xD1\x80\xD0\xB8\xD0\xBE\xD0\xB4 \xD0\xB8 \xD0\xBE \xD1\x80\xD0\xB5\xD0\xBC\xD0\xBE\xD0\xBD\xD1\x82\xD0\xB5",
            "\xD1\x81\xD1\x82\xD0\xB0\xD1\x80\xD0\xBE\xD0\xB3\xD0\xBE \xD0\xBC\xD0\xB0\xD1\x8F\xD0\xBA\xD0\xB0 "
            "\xD0\xBD\xD0\xB0 \xD1\x81\xD0\xB5\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBD\xD0\xBE\xD0\xBC \xD0\xB1\xD0\xB5\xD1\x80\xD0\xB5\xD0\xB3\xD1\x83",
        };
        std::vector<testpdf::Page> pages;
        for (int i = 0; i < 2; ++i) {
            pages.push_back(testpdf::scannedPages(testpdf::makePdf({testpdf::linesPage(i == 0 ? cyrillic : Prose, 18)}), 300).at(0));
            pages.back().text(72, 40, 9, "2021 / 3 / 31");
        }
        const QString file = writePdf(*dir, QStringLiteral("foreign.pdf"), pages);
        MyPdfCvt::SetRecognition(true, QStringLiteral("eng"));
        QByteArray text;
        QList<QPair<int, QString>> unread;
        const int result = MyPdfCvt::ExtractText(file, Reading, true, 0, {}, [&](QByteArrayView utf8) { text += utf8; },
                                                 [&](const MyPdfCvt::PageProgress &progress) {
                                                     if (progress.unreadPage > 0)
                                                         unread.append({progress.unreadPage, progress.unreadScript});
                                                 });
        MyPdfCvt::SetRecognition(false, {});
        QCOMPARE(result, 0);
        const QList<QByteArray> texts = text.split('\f');
        QCOMPARE(texts.size(), 3);
        QCOMPARE(texts[0], QByteArray("2021 / 3 / 31\n\n"));
        QCOMPARE(unread, (QList<QPair<int, QString>>{{1, QStringLiteral("Cyrillic")}}));
        QVERIFY2(texts[1].startsWith("2021 / 3 / 31\n\n"), texts[1].constData());
        QVERIFY2(readsAsProse(texts[1]), texts[1].constData());
        QVERIFY2(texts[1].count("2021") == 1, texts[1].constData());

        // A run names the page and what would read it in the log, and counts such pages.
        SettingsCore core;
        core.options.recognition = true;
        core.options.recognitionLanguages = QStringLiteral("eng");
        core.options.codePage = 65001;
        core.options.target.targetFolder = dir->file(QStringLiteral("out/"));
        JobList list(core.setup());
        list.AddOneFile(file);
        ConversionRun::Display display;
        ConversionRun run(list, display, core.log);
        runToEnd(run, ConversionRun::ConvertAll, core.options);
        MyPdfCvt::SetRecognition(false, {});
        QCOMPARE(run.unreadPages(), 1);
        const QString note = QStringLiteral("1 page(s) left unread for want of recognition data; tesseract-ocr-rus would read them.");
        QCOMPARE(run.unreadNote(), note);
        const QStringList log = logTexts(dir->file(QStringLiteral("ordvnact.log")));
        QVERIFY2(log.contains(QStringLiteral("Page 1 not recognised: no recognition language reads its Cyrillic script; "
                                             "tesseract-ocr-rus would (%1)").arg(file)), qPrintable(log.join(u'\n')));
        QVERIFY(log.contains(note));
    }

    // Each recognised page is announced on the converting thread, start and end, in order,
    // and the program can ask meanwhile which page is being read. A page that takes longer
    // than the stall limit survives, because the helper keeps saying it is at work.
    void progressOfRecognition()
    {
        std::vector<testpdf::Page> pages = scans(Prose);
        for (testpdf::Page &page : scans(Prose, 1))
            pages.push_back(std::move(page));
        const QString file = writePdf(*dir, QStringLiteral("progress.pdf"), pages);

        MyPdfCvt::SetRecognition(true, QStringLiteral("eng"));
        QList<int> seen;
        QByteArray text;
        const int result = MyPdfCvt::ExtractText(file, 0, true, 0, {}, [&](QByteArrayView utf8) { text += utf8; },
                                                 [&](const MyPdfCvt::PageProgress &p) {
                                                     QCOMPARE(p.documentPages, 2);
                                                     if (seen.isEmpty() || seen.last() != p.recognisingPage)
                                                         seen << p.recognisingPage;
                                                 });
        QCOMPARE(result, 0);
        QVERIFY(readsAsProse(text));
        QCOMPARE(seen, (QList<int>{0, 1, 0, 2, 0}));
        MyPdfCvt::SetRecognition(false, {});

        // A copy of the library of its own, with a stall limit shorter than a full page takes.
        std::vector<std::string> lines;
        for (int i = 0; i < 40; ++i)
            lines.push_back(Prose[size_t(i) % Prose.size()]);
        std::vector<testpdf::Page> blankAndDense = {testpdf::Page()}; // a blank page is not read
        blankAndDense.push_back(testpdf::scannedPages(testpdf::makePdf({testpdf::linesPage(lines, 11)}))[0]);
        const QString dense = writePdf(*dir, QStringLiteral("dense.pdf"), blankAndDense);
        TestProgramDirectory own; // the real helper beside it
        QVERIFY(QFile::copy(QStringLiteral(ORDVANE_BIN_DIR "tsypdf.so"), own.file(QStringLiteral("copy.so"))));
        void *library = dlopen(FileSystem::encodePath(own.file(QStringLiteral("copy.so"))).constData(), RTLD_NOW | RTLD_LOCAL);
        QVERIFY(library);
        const auto convert = reinterpret_cast<decltype(&fnOrdvane)>(dlsym(library, "fnOrdvane"));
        reinterpret_cast<decltype(&tsypdfSetLimits)>(dlsym(library, "tsypdfSetLimits"))(1500, 0);
        liftAddressSpaceCapWhenSanitized(library);
        reinterpret_cast<decltype(&tsypdfSetRecognition)>(dlsym(library, "tsypdfSetRecognition"))(1, "eng");
        reinterpret_cast<decltype(&tsypdfSetProgressCallback)>(dlsym(library, "tsypdfSetProgressCallback"))(recordProgress);
        progress.clear();
        QElapsedTimer timer;
        timer.start();
        const std::u16string path = dense.toStdU16String();
        QCOMPARE(convert(path.c_str(), int32_t(path.size() * 2), nullptr, 1, 0, 0, 0, 0, 2, "", ""), 0);
        QCOMPARE(progress.last(), (QList<int>{0, 2})); // the page read, its text sent
        QVERIFY2(progress.count(QList<int>{2, 2}) >= 1 + int(timer.elapsed() / 1000), "no word from the helper while it read");
        dlclose(library);
    }

    // Scanned pages in each text order: layout order keeps two columns side by side and a
    // table's cells on their row, at the same character column from row to row; raw order
    // gives the lines as the engine found them, without the paragraphs' blank lines, where
    // reading order has them; every order keeps every word of the text, and reads a
    // photograph's title and nothing else of it.
    void scannedPagesInEachOrder()
    {
        const std::vector<std::string> left = {
            "Harbour dues were raised again this",    "spring, and the fishermen of the bay",
            "argued that the new rates would drive",  "smaller boats to the northern ports.",
            "The council answered that the quay",     "needed repairs before the winter storms",
            "and that visitors paid most of the cost.", "A petition with four hundred names was",
            "handed to the mayor on Tuesday evening", "after a long and noisy public meeting."};
        const std::vector<std::string> right = {
            "Meanwhile the lighthouse keeper reported", "that the lamp had failed twice during",
            "the gales of February, leaving ships to",  "find the channel by the church tower.",
            "Engineers from the capital inspected",     "the mechanism and ordered new parts,",
            "which are expected to arrive by barge",    "before the first ferry of the season.",
            "Until then a lantern will hang from the",  "gallery and a bell will ring each hour."};
        const std::vector<std::vector<std::string>> table = {
            {"Item", "Quantity", "Price"}, {"Apples", "12", "3.40"}, {"Pears", "47", "2.15"}, {"Plums", "30", "9.99"}};
        const std::string title = "The Harbour Lights";
        const std::string pdf = testpdf::makePdf({testpdf::twoColumnPage(left, right, 10), testpdf::tablePage(table),
                                                  testpdf::photographPage(title)});
        const QString file = writePdf(*dir, QStringLiteral("orders.pdf"), testpdf::scannedPages(pdf));
        QSet<QString> columnWords, tableWords;
        for (const std::string &line : left)
            columnWords += wordsOf(QString::fromStdString(line));
        for (const std::string &line : right)
            columnWords += wordsOf(QString::fromStdString(line));
        for (const std::vector<std::string> &row : table)
            for (const std::string &cell : row)
                tableWords += wordsOf(QString::fromStdString(cell));

        MyPdfCvt::SetRecognition(true, QStringLiteral("eng"));
        QList<QStringList> pages[3]; // the lines of each page in each order
        for (const Order order : {Reading, Physical, Raw}) {
            int result = -1;
            const QList<QByteArray> texts = extract(file, &result, order).split('\f');
            QVERIFY(result > 0);
            QCOMPARE(texts.size(), 4);
            QVERIFY(texts[3].isEmpty());
            for (int page = 0; page < 3; ++page) {
                QVERIFY2(texts[page].endsWith('\n') && !texts[page].endsWith("\n\n"), texts[page].constData());
                pages[order] << QString::fromUtf8(texts[page].chopped(1)).split(u'\n');
            }
            const QString columns = pages[order][0].join(u'\n'), cells = pages[order][1].join(u'\n');
            QVERIFY2(wordsOf(columns) == columnWords, qPrintable(columns));
            QVERIFY2(wordsOf(cells) == tableWords, qPrintable(cells));
            QCOMPARE(wordsOf(pages[order][2].join(u'\n')), wordsOf(QString::fromStdString(title)));
        }
        MyPdfCvt::SetRecognition(false, {});

        const QStringList &layout = pages[Physical][0];
        for (size_t i = 0; i < left.size(); ++i) {
            const int line = lineWith(layout, wordList(QString::fromStdString(left[i] + " " + right[i])));
            QVERIFY2(line >= 0, qPrintable(layout.join(u'\n')));
            QVERIFY2(layout[line].indexOf(QString::fromStdString(right[i])) > int(left[i].size()) + 4, qPrintable(layout[line]));
        }
        const QStringList &cells = pages[Physical][1];
        QList<int> lines, secondColumn;
        for (const std::vector<std::string> &row : table) {
            const int line = lineWith(cells, {QString::fromStdString(row[0]), QString::fromStdString(row[1]), QString::fromStdString(row[2])});
            QVERIFY2(line >= 0, qPrintable(cells.join(u'\n')));
            lines << line;
            secondColumn << int(cells[line].indexOf(QString::fromStdString(row[1])));
        }
        QVERIFY2(std::is_sorted(lines.begin(), lines.end()) && lines.last() - lines.first() >= 2 * int(lines.size() - 1) - 1,
                 qPrintable(cells.join(u'\n'))); // the rows apart by a blank line
        QVERIFY2(secondColumn.count(secondColumn.first()) == secondColumn.size(), qPrintable(cells.join(u'\n')));

        // Reading order: one column after the other, the engine's blocks apart by a blank line;
        // raw order: the same lines, as found, with nothing between them.
        const QStringList &reading = pages[Reading][0], &raw = pages[Raw][0];
        const int leftEnd = lineWith(reading, wordList(QString::fromStdString(left.back())));
        QVERIFY2(leftEnd >= 0 && leftEnd < lineWith(reading, wordList(QString::fromStdString(right.front()))), qPrintable(reading.join(u'\n')));
        QVERIFY2(reading.contains(QString()), qPrintable(reading.join(u'\n')));
        QVERIFY2(!raw.contains(QString()), qPrintable(raw.join(u'\n')));
        QCOMPARE(raw, reading.filter(QRegularExpression(QStringLiteral("."))));
    }

    // A page whose reader stops answering costs that page's recognition, not the file: the
    // reader is ended a little after the page's budget, the log names the page, and the other
    // pages are read. The two scanned pages are read at once, so either may be the one stopped.
    void aReaderThatStopsAnswering()
    {
        std::vector<testpdf::Page> pages = scans(Prose);
        pages.push_back(testpdf::linesPage({"Typed page after the scan"}));
        pages.push_back(scans(Prose).at(0));
        TestProgramDirectory own; // its settings, log and target folder
        const QString file = writePdf(own, QStringLiteral("stops.pdf"), pages);
        void *library = dlopen(FileSystem::encodePath(dir->file(QStringLiteral("tsypdf.so"))).constData(), RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(library);
        const auto setBudget = reinterpret_cast<decltype(&tsypdfSetRecognitionBudget)>(dlsym(library, "tsypdfSetRecognitionBudget"));
        QVERIFY(setBudget);
        setBudget(6); // the reader is ended at 9 s; a page of prose takes well under 6
        QAtomicInt stopped;
        QFuture<void> stopper = QtConcurrent::run([&] {
            QElapsedTimer waited;
            waited.start();
            while (!stopped.loadRelaxed() && waited.elapsed() < 60'000) {
                if (const pid_t reader = pageReaderBelow(getpid()); reader > 0 && kill(reader, SIGSTOP) == 0)
                    stopped = reader;
                else
                    QThread::usleep(200);
            }
        });

        SettingsCore core;
        core.options.recognition = true;
        core.options.recognitionLanguages = QStringLiteral("eng");
        core.options.codePage = 65001;
        core.options.pageBreaks = true;
        JobList list(core.setup());
        list.AddOneFile(file);
        ConversionRun::Display display;
        ConversionRun run(list, display, core.log);
        QElapsedTimer timer;
        timer.start();
        runToEnd(run, ConversionRun::ConvertAll, core.options);
        MyPdfCvt::SetRecognition(false, {});
        setBudget(120);
        stopper.waitForFinished();
        dlclose(library);

        QVERIFY(stopped.loadRelaxed() > 0);
        QVERIFY2(timer.elapsed() < 30'000, "the stopped reader was waited for beyond its page's time");
        QCOMPARE(list.entry(0).state, qint32(JobList::Converted));
        QCOMPARE(run.unreadPages(), 0); // no language data is missing
        const QStringList log = logTexts(own.file(QStringLiteral("ordvnact.log")));
        const auto notice = [&](int page) {
            return QStringLiteral("Page %1 not recognised: its reading did not end in time (%2)").arg(page).arg(file);
        };
        const int stoppedPage = log.contains(notice(1)) ? 1 : 3;
        QVERIFY2(log.contains(notice(stoppedPage)) && !log.contains(notice(4 - stoppedPage)), qPrintable(log.join(u'\n')));
        QFile text(list.text(0, JobList::Target));
        QVERIFY(text.open(QIODevice::ReadOnly));
        QList<QByteArray> texts = text.readAll().split('\f');
        QCOMPARE(texts.size(), 4);
        QVERIFY(texts[0].startsWith("\xEF\xBB\xBF"));
        texts[0].remove(0, 3); // the byte order mark
        QCOMPARE(texts[stoppedPage - 1], QByteArray()); // nothing read
        QCOMPARE(texts[1].trimmed(), QByteArray("Typed page after the scan"));
        QVERIFY2(readsAsProse(texts[3 - stoppedPage]), texts[3 - stoppedPage].constData());
        QCOMPARE(kill(stopped.loadRelaxed(), 0), -1); // ended and reaped
    }

    // A page whose recognition does not finish is told as text missing, never as a full
    // success: a reader slowed down (stopped and let go again, as on an overloaded node) runs
    // into the page's time; one stopped for good is ended. Either way
    // the real batch names the page in the log, the JSON and on standard error, also without a
    // log, and ends with status 3.
    void recognitionThatDoesNotFinishIsTold()
    {
        TestProgramDirectory own;
        QVERIFY(QFile::copy(QStringLiteral(ORDVANE_BIN_DIR "ordvane-batch"), own.file(QStringLiteral("ordvane-batch"))));
        const QString file = writePdf(own, QStringLiteral("slow.pdf"), scans(Prose));
        for (const bool forGood : {false, true}) {
            QStringList arguments{QStringLiteral("--ocr"), QStringLiteral("--ocr-lang"), QStringLiteral("eng"), QStringLiteral("--ocr-time"),
                                  QStringLiteral("2"), QStringLiteral("--jobs"), QStringLiteral("1"), QStringLiteral("--json"),
                                  QStringLiteral("--existing"), QStringLiteral("overwrite"), QStringLiteral("--target-dir"), own.file(QStringLiteral("out")), file};
            if (forGood)
                arguments.prepend(QStringLiteral("--no-log"));
            QProcess batch;
            batch.start(own.file(QStringLiteral("ordvane-batch")), arguments);
            QVERIFY(batch.waitForStarted());
            QAtomicInt done;
            QFuture<void> holder = QtConcurrent::run([&] {
                pid_t reader = 0;
                for (QElapsedTimer waited; !done.loadRelaxed() && reader <= 0;) {
                    if (!waited.isValid())
                        waited.start();
                    if (waited.elapsed() > 60'000)
                        return;
                    reader = pageReaderBelow(pid_t(batch.processId()));
                }
                while (!done.loadRelaxed() && kill(reader, SIGSTOP) == 0) {
                    if (forGood)
                        return;
                    // Running a fifteenth of the time: slow enough to miss two seconds on a fast idle machine.
                    QThread::msleep(700);
                    kill(reader, SIGCONT);
                    QThread::msleep(50);
                }
            });
            const bool finished = batch.waitForFinished(60000);
            done = 1;
            holder.waitForFinished();
            QVERIFY(finished);
            const QByteArray errors = batch.readAllStandardError();
            QCOMPARE(batch.exitCode(), 3);
            const QJsonObject line = QJsonDocument::fromJson(batch.readAllStandardOutput()).object();
            QCOMPARE(line[QStringLiteral("state")].toString(), QStringLiteral("Converted"));
            QCOMPARE(line[QStringLiteral("unfinishedPages")].toArray(), QJsonArray{1});
            QVERIFY2(errors.contains("text is missing: page 1 of " + file.toUtf8()), errors.constData());
            if (!forGood) {
                const QStringList log = logTexts(own.file(QStringLiteral("ordvnact.log")));
                // Cut short when the reader checks its time in a running moment, ended when not.
                const QStringList told = log.filter(QRegularExpression(QStringLiteral(
                    "^Page 1 not (fully recognised: its reading was cut short|recognised: its reading did not end) in time")));
                QVERIFY2(told.size() == 1, qPrintable(log.join(u'\n')));
                QVERIFY(log.contains(QStringLiteral("1 page(s) not fully recognised in time; the log names them.")));
            }
        }
    }

    // ordvane-batch as process 1 of a PID namespace, as in a container without an init: the
    // page reader of a helper that is killed ends with it and is waited for at once, not left
    // a zombie until the batch ends; the batch's exit status comes through.
    void orphansReapedAsProcessOne()
    {
        QProcess probe;
        probe.start(QStringLiteral("unshare"), {QStringLiteral("--pid"), QStringLiteral("--fork"), QStringLiteral("--mount-proc"), QStringLiteral("true")});
        if (!probe.waitForFinished() || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            QSKIP("this machine gives the tests no PID namespace of their own (unshare needs root or user namespaces)");
        TestProgramDirectory own;
        QVERIFY(QFile::copy(QStringLiteral(ORDVANE_BIN_DIR "ordvane-batch"), own.file(QStringLiteral("ordvane-batch"))));
        QStringList arguments = {QStringLiteral("--pid"), QStringLiteral("--fork"), QStringLiteral("--kill-child"), QStringLiteral("--mount-proc"),
                                 own.file(QStringLiteral("ordvane-batch")), QStringLiteral("--ocr"), QStringLiteral("--ocr-lang"), QStringLiteral("eng"),
                                 QStringLiteral("--jobs"), QStringLiteral("1"), QStringLiteral("--no-log"), QStringLiteral("--target-dir"), own.file(QStringLiteral("out"))};
        for (int i = 0; i < 4; ++i)
            arguments << writePdf(own, QStringLiteral("scan%1.pdf").arg(i), scans(Prose));
        QProcess batch;
        batch.start(QStringLiteral("unshare"), arguments);
        QVERIFY(batch.waitForStarted());
        pid_t reader = 0;
        QTRY_VERIFY_WITH_TIMEOUT((reader = pageReaderBelow(pid_t(batch.processId()))) > 0, 30000);
        // The batch held still, so that only process 1 can wait for the reader.
        const pid_t helper = processStat(reader).parent;
        const pid_t program = processStat(helper).parent;
        QVERIFY(program > 0 && kill(program, SIGSTOP) == 0);
        QVERIFY(helper > 0 && kill(helper, SIGKILL) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(processStat(reader).state == 0, 5000); // reaped, not a zombie
        QCOMPARE(processStat(program).state, 'T');
        kill(program, SIGCONT);
        QVERIFY(batch.waitForFinished(120000));
        QCOMPARE(batch.exitStatus(), QProcess::NormalExit);
        const QByteArray said = batch.readAllStandardOutput();
        QCOMPARE(batch.exitCode(), 1); // the file whose helper was killed failed
        QVERIFY2(said.contains("3 converted, 1 failed"), said.constData());

        // A container's stop request reaches process 1, which passes it on: the batch ends as
        // asked, with its status.
        batch.start(QStringLiteral("unshare"), arguments);
        QTRY_VERIFY_WITH_TIMEOUT((reader = pageReaderBelow(pid_t(batch.processId()))) > 0, 30000);
        const pid_t processOne = processStat(processStat(processStat(reader).parent).parent).parent;
        QCOMPARE(processStat(processOne).parent, pid_t(batch.processId()));
        QVERIFY(kill(processOne, SIGTERM) == 0);
        QVERIFY(batch.waitForFinished(30000));
        QCOMPARE(batch.exitCode(), 128 + SIGTERM);
    }

    void languageChecks()
    {
        QCOMPARE(RecognitionLanguagesProblem(QStringLiteral("eng")), QString());
        const QString missing = RecognitionLanguagesProblem(QStringLiteral("eng+xyz"));
        QVERIFY(missing.startsWith(QStringLiteral("The language data for \"xyz\" is not installed")));
        QVERIFY(missing.contains(QStringLiteral("Installed: ")) && missing.contains(QStringLiteral("eng")));
        QCOMPARE(RecognitionLanguagesProblem(QStringLiteral("eng+xyz"), false), QString());
        QCOMPARE(RecognitionLanguagesProblem(QString(), false), QString());
        QVERIFY(!RecognitionLanguagesProblem(QString()).isEmpty());
        for (const char *bad : {"eng deu", "eng++deu", "+eng", "eng/../x"})
            QVERIFY2(RecognitionLanguagesProblem(QString::fromLatin1(bad), false).contains(QStringLiteral("join codes with")), bad);
        QVERIFY(DefaultRecognitionLanguages().startsWith(QStringLiteral("eng")));
    }
};

QTEST_GUILESS_MAIN(TestRecognition)
#include "tst_recognition.moc"
