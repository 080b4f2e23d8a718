// Pages that poppler reads in ways of its own, through the real library and helper: spans of
// replacement text left open, documents with more fonts than the helper keeps, and fonts that
// are small in the file and large once read. A file's text never depends on where it is cut.
#include "tests/support/PageText.h"
#include "tests/support/PdfMaker.h"
#include "tests/support/TestProgramDirectory.h"
#include "tsypdf/tsypdf.h"

#include "platform/CodePage.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <dlfcn.h>

namespace {

QString writeFile(const TestProgramDirectory &dir, const QString &name, const std::string &bytes)
{
    const QString path = dir.file(name);
    return testpdf::writeFile(FileSystem::encodePath(path).toStdString(), bytes) ? path : QString();
}

// Pages of Helvetica text by reference, each with its own content stream; forms[i] becomes
// the form /Fm<i> every page may draw.
std::string pagesPdf(const std::vector<std::string> &contents, const std::vector<std::string> &forms = {})
{
    std::vector<testpdf::RawObject> objects = {
        testpdf::dictObject("/Type /Catalog /Pages 2 0 R"), testpdf::dictObject(""),
        testpdf::dictObject("/Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding")};
    std::string xobjects;
    for (size_t i = 0; i < forms.size(); ++i) {
        objects.push_back(testpdf::streamObject("/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << /Font << /F 3 0 R >> >>",
                                                forms[i]));
        xobjects += " /Fm" + std::to_string(i) + ' ' + std::to_string(objects.size()) + " 0 R";
    }
    std::string kids;
    for (const std::string &content : contents) {
        objects.push_back(testpdf::streamObject("", content));
        const size_t stream = objects.size();
        objects.push_back(testpdf::dictObject("/Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F 3 0 R >>"
                                              + (xobjects.empty() ? "" : " /XObject <<" + xobjects + " >>") + " >> /Contents "
                                              + std::to_string(stream) + " 0 R"));
        kids += std::to_string(objects.size()) + " 0 R ";
    }
    objects[1] = testpdf::dictObject("/Type /Pages /Kids [" + kids + "] /Count " + std::to_string(contents.size()));
    return testpdf::assemblePdf(objects);
}

std::string line(int y, const std::string &text)
{
    return "BT /F 12 Tf 72 " + std::to_string(y) + " Td (" + text + ") Tj ET\n";
}

// The file's text in the order, whole; and the same text from every cut into two ranges.
QByteArray wholeAndCut(const QString &file, int order, bool breaks, int pages)
{
    const QByteArray whole = extractPages(file, order, breaks);
    for (int cut = 1; cut < pages; ++cut) {
        const QByteArray joined = extractPages(file, order, breaks, {0, cut}) + extractPages(file, order, breaks, {cut, 0});
        if (joined != whole)
            return "(cut after page " + QByteArray::number(cut) + " gives other text)\n" + joined + "\n--- whole:\n" + whole;
    }
    return whole;
}

} // namespace

class TestPageText : public QObject {
    Q_OBJECT

    QScopedPointer<TestProgramDirectory> dir;

private slots:
    void initTestCase()
    {
        dir.reset(new TestProgramDirectory);
        QVERIFY(MyPdfCvt::LoadConverterLibrary(dir->path()));
        poppler::set_debug_error_function([](const std::string &, void *) {}, nullptr); // a stray EMC is meant
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__) // sanitized helpers run without a cap
        // Every helper of these tests has a quarter of the usual address space: too little
        // to keep every large font of a file, enough for the budget.
        void *library = dlopen(FileSystem::encodePath(dir->file(QStringLiteral("tsypdf.so"))).constData(), RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(library);
        const auto setLimits = reinterpret_cast<decltype(&tsypdfSetLimits)>(dlsym(library, "tsypdfSetLimits"));
        QVERIFY(setLimits);
        setLimits(0, 1ull << 30);
        dlclose(library);
#endif

    }

    void cleanupTestCase() { MyPdfCvt::UnloadConverterLibrary(); }

    // A span of replacement text that its page leaves open keeps its text on that page and
    // takes nothing from the pages after it; balanced spans give poppler's text byte for byte.
    void spansLeftOpenStayOnTheirPage()
    {
        const QString open = writeFile(*dir, QStringLiteral("open.pdf"), pagesPdf({
            line(700, "Page one") + "/Span << /ActualText (Replaced words) >> BDC\n" + line(680, "hidden glyphs"),
            line(700, "Page two"),
            "/Span << /Lang (en) >> BDC\n" + line(700, "Page three has no replacement"),
            "EMC\n" + line(700, "Page four after a stray EMC"),
        }));
        const QString form = writeFile(*dir, QStringLiteral("form.pdf"), pagesPdf({
            "/Fm0 Do\n" + line(600, "Page one after the form"),
            line(700, "Page two"),
            line(700, "Page three"),
        }, {"/Span << /ActualText (Form replacement) >> BDC\n" + line(650, "form glyphs")}));
        const QString balanced = writeFile(*dir, QStringLiteral("balanced.pdf"), pagesPdf({
            line(700, "Page one") + "/Span << /ActualText (Replaced words) >> BDC\n" + line(680, "hidden glyphs") + "EMC\n",
            "/Fm0 Do EMC\n" + line(700, "Page two"),
            "/Span << /ActualText (Empty span) >> BDC EMC\n" + line(700, "Page three"),
        }, {"/Span << /ActualText (Form replacement) >> BDC\n" + line(650, "form glyphs") + "EMC\n"}));

        const QList<QList<QByteArray>> expected = {
            {"Page one", "Replaced words"}, {"Page two"}, {"Page three has no replacement"}, {"Page four after a stray EMC"}};
        for (int order : {0, 1, 2}) {
            for (bool breaks : {true, false}) {
                const QString what = QStringLiteral("order %1, page breaks %2").arg(order).arg(breaks);
                const QByteArray text = wholeAndCut(open, order, true, 4);
                const QList<QByteArray> pages = text.split('\f');
                QCOMPARE(pages.size(), 5);
                for (int i = 0; i < 4; ++i) {
                    for (const QByteArray &words : expected[i])
                        QVERIFY2(pages[i].contains(words), qPrintable(what + u' ' + QString::fromUtf8(text)));
                }
                QVERIFY2(!text.contains("hidden"), qPrintable(what));
                if (!breaks)
                    QCOMPARE(wholeAndCut(open, order, false, 4), QByteArray(text).replace('\f', ""));

                const QList<QByteArray> formPages = wholeAndCut(form, order, true, 3).split('\f');
                QCOMPARE(formPages.size(), 4);
                QVERIFY2(formPages[0].contains("Form replacement") && formPages[0].contains("Page one after the form"),
                         qPrintable(what + u' ' + QString::fromUtf8(formPages[0])));
                QVERIFY2(formPages[1].contains("Page two") && formPages[2].contains("Page three"), qPrintable(what));
                QVERIFY(!formPages.join().contains("form glyphs"));

                QCOMPARE(wholeAndCut(balanced, order, breaks, 3), popplerCppText(balanced, order, breaks));
            }
        }
    }

    // A U+0000 in a page's text (here from replacement text) is written as poppler's own tool
    // writes it, and everything after it comes through, in every order and code page, whole
    // and in ranges.
    void textAfterANulIsKept()
    {
        const std::string span = "/Span << /ActualText <FEFF0041000000420000> >> BDC (xyz) Tj EMC";
        const QString file = writeFile(*dir, QStringLiteral("nul.pdf"), pagesPdf({
            "BT /F 12 Tf 72 700 Td (Before ) Tj " + span + " ( after the NUL) Tj ET\n" + line(680, "Second line"),
            line(700, "Page two ") + "BT /F 12 Tf 72 680 Td " + span + " ET\n",
            line(700, "Page three"),
        }));
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const char *flags[] = {nullptr, "-layout", "-raw"};
        for (int order : {0, 1, 2}) {
            const QByteArray text = wholeAndCut(file, order, true, 3);
            QVERIFY2(text.contains(QByteArray("A\0B\0", 4)), text.constData());
            for (const char *words : {" after the NUL", "Second line", "Page two", "Page three"})
                QVERIFY2(text.contains(words), qPrintable(QString::fromUtf8(text).replace(QChar(0), u'@')));
            QCOMPARE(text.count('\f'), 3);
            if (!tool.isEmpty()) {
                QProcess reference;
                reference.start(tool, (flags[order] ? QStringList{QLatin1String(flags[order])} : QStringList{})
                                          << QStringLiteral("-enc") << QStringLiteral("UTF-8") << file << QStringLiteral("-"));
                QVERIFY(reference.waitForFinished());
                QCOMPARE(text, reference.readAllStandardOutput());
            }
            const QString expected = QString::fromUtf8(QByteArray(text).replace('\f', ""));
            for (int codePage : {65001, 1200, 1252, 932, 0}) {
                QByteArray encoded;
                const int result = MyPdfCvt::ConvertPdfFile(file, encoded, codePage, order, false);
                QVERIFY2(result > 0, qPrintable(QString::number(codePage)));
                encoded.truncate(result); // the buffer keeps a spare byte
                const QByteArray bom = MyPdfCvt::TextEncoder::byteOrderMark(codePage);
                QVERIFY(encoded.startsWith(bom));
                QCOMPARE(CodePage::toUnicode(QByteArrayView(encoded).sliced(bom.size()), codePage), expected);
            }
        }
    }

    // A Japanese font named, not embedded, with no map to Unicode of its own, as many Japanese
    // documents have: poppler reads it through the character collections of its language
    // data, which the program needs installed. Without them the font is not made at all and
    // the page's Japanese text is lost without a word.
    void namedCjkFontsAreRead()
    {
        const std::vector<testpdf::RawObject> objects = {
            testpdf::dictObject("/Type /Catalog /Pages 2 0 R"), testpdf::dictObject("/Type /Pages /Kids [3 0 R] /Count 1"),
            testpdf::dictObject("/Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /J 5 0 R >> >> "
                                "/Contents 4 0 R"),
            testpdf::streamObject("", "BT /J 24 Tf 72 700 Td <732B304C30DE30C330C8> Tj ET\n"), // 猫がマット
            testpdf::dictObject("/Type /Font /Subtype /Type0 /BaseFont /Ryumin-Light-UniJIS-UCS2-H /Encoding /UniJIS-UCS2-H "
                                "/DescendantFonts [6 0 R]"),
            testpdf::dictObject("/Type /Font /Subtype /CIDFontType0 /BaseFont /Ryumin-Light /FontDescriptor 7 0 R "
                                "/CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) /Supplement 2 >> /DW 1000"),
            testpdf::dictObject("/Type /FontDescriptor /FontName /Ryumin-Light /Flags 6 /FontBBox [-170 -331 1024 903] "
                                "/ItalicAngle 0 /Ascent 723 /Descent -241 /CapHeight 709 /StemV 69"),
        };
        const QString file = writeFile(*dir, QStringLiteral("named-japanese.pdf"), testpdf::assemblePdf(objects));
        for (int order : {0, 1, 2})
            QCOMPARE(QString::fromUtf8(extractPages(file, order, false)).trimmed(), QStringLiteral("猫がマット"));
    }

    // More fonts than the helper keeps for a document: those let go are made again when a
    // later page names them, and every page's text is poppler's.
    void moreFontsThanTheHelperKeeps()
    {
        testpdf::CidFontsOptions options;
        options.pages = 2100;
        options.fonts = 2050; // the last 50 pages name the first 50 fonts again
        options.toUnicodeCodes = 128;
        const QString file = writeFile(*dir, QStringLiteral("fonts.pdf"), testpdf::cidFontsPdf(options));
        for (int order : {0, 2}) {
            const QByteArray text = extractPages(file, order, true);
            QCOMPARE(text, popplerCppText(file, order, true));
            QVERIFY(text.contains("Page 2100\n"));
            QCOMPARE(extractPages(file, order, true, {0, 1000}) + extractPages(file, order, true, {1000, 0}), text);
        }
    }

    // Fonts that take tens of megabytes once read, each page its own: the helper keeps to its
    // memory budget, so the files convert within an address space that would not hold their
    // fonts all at once.
    void largeFontsStayWithinTheBudget()
    {
        testpdf::CidFontsOptions map;
        map.pages = map.fonts = 24;
        map.cidToGidBytes = size_t(32) << 20; // one stream all fonts name; 64 MB in each font
        testpdf::CidFontsOptions widths;
        widths.pages = widths.fonts = 150;
        widths.widthEntries = 131072; // 2 MB in each font, and a 65,536-code ToUnicode map
        const QString mapFile = writeFile(*dir, QStringLiteral("map.pdf"), testpdf::cidFontsPdf(map));
        const QString widthsFile = writeFile(*dir, QStringLiteral("widths.pdf"), testpdf::cidFontsPdf(widths));

        for (const auto &[file, pages] : {std::pair(mapFile, 24), std::pair(widthsFile, 150)}) {
            QByteArray expected;
            for (int page = 1; page <= pages; ++page)
                expected += "Page " + QByteArray::number(page) + "\n\n\f";
            QCOMPARE(extractPages(file, 0, true), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestPageText)
#include "tst_page_text.moc"
