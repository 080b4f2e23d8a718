// Text from scanned pages: the real library and helper with real Tesseract on scans the tests
// make (text PDFs rendered by poppler and wrapped as image-only pages).
#include "base/RecognitionLanguages.h"
#include "conversion/MyPdfCvt.h"
#include "platform/FileSystem.h"
#include "settings/RecognitionChoice.h"
#include "tests/support/PdfMaker.h"
#include "tests/support/SanitizedHelpers.h"
#include "tests/support/ScanMaker.h"
#include "tests/support/TestProgramDirectory.h"
#include "tsypdf/tsypdf.h"

#include <QElapsedTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
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

QByteArray extract(const QString &path, int *result = nullptr)
{
    QByteArray buffer;
    const int r = MyPdfCvt::ConvertPdfFile(path, buffer, 65001, 0, true);
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

    // Scans upright, sideways, upside down and askew are read; the typed page and the page
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

        MyPdfCvt::SetRecognition(false, QStringLiteral("eng"));
        QCOMPARE(extract(file), before);
        MyPdfCvt::SetRecognition(true, QStringLiteral("xyz"));
        QCOMPARE(extract(file), before);
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
    // a page of a few words alone keeps its text layer.
    void fewCharactersOverAPicture()
    {
        std::vector<testpdf::Page> pages = scans(Prose);
        pages[0].text(500, 20, 8, "No. 17");
        pages.push_back(testpdf::linesPage({"Annual Report"}, 24));
        const QString file = writePdf(*dir, QStringLiteral("stamped.pdf"), pages);
        MyPdfCvt::SetRecognition(false, {});
        const QByteArray layer = extract(file);
        MyPdfCvt::SetRecognition(true, QStringLiteral("eng"));
        const QList<QByteArray> texts = extract(file).split('\f');
        QCOMPARE(texts.size(), 3);
        QVERIFY2(readsAsProse(texts[0]), texts[0].constData());
        QCOMPARE(texts[1] + '\f', layer.mid(layer.indexOf('\f') + 1));
        MyPdfCvt::SetRecognition(false, {});
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
