// Document types by extension, the texts built from the type table, and target paths.
#include "conversion/TargetPath.h"
#include "settings/DocumentTypes.h"
#include "settings/Settings.h"
#include "tests/support/TestProgramDirectory.h"

class TestDocumentTypes : public QObject {
    Q_OBJECT

    DocumentTypes types;

private slots:
    void init() { types = DocumentTypes(); }

    void typeByExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("type");
        QTest::newRow("pdf") << "/x/scan.pdf" << 1;
        QTest::newRow("capitals") << "/docs/Report.PDF" << 1;
        QTest::newRow("mixed case") << "/x/a.PdF" << 1;
        QTest::newRow("several dots") << "/x/archive.tar.pdf" << 1;
        QTest::newRow("name is the extension") << "/x/.pdf" << 1;
        QTest::newRow("relative") << "scan.pdf" << 1;
        QTest::newRow("no dot") << "/x/notes" << 0;
        QTest::newRow("dot in folder only") << "/x.y/notes" << 0;
        QTest::newRow("other extension") << "/x/notes.txt" << 0;
        QTest::newRow("extension after pdf") << "/x/scan.pdf.bak" << 0;
        QTest::newRow("part of a pattern") << "/x/scan.pd" << 0;
        QTest::newRow("longer than a pattern") << "/x/scan.pdfx" << 0;
        QTest::newRow("ends in a dot") << "/x/scan." << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("colon is ordinary") << "/x/a:b.pdf" << 1;
        QTest::newRow("non-ASCII extension") << QString::fromUtf8("/x/a.pdf\xC3\xA9") << 0;
    }

    void typeByExtension()
    {
        QFETCH(QString, path);
        QFETCH(int, type);
        QCOMPARE(types.FindDocumentType(path), type);
    }

    void userPatternsJoinTypeOne()
    {
        types.BuildExtensionLookup("*.ai;*.EPS");
        QCOMPARE(types.extensionList(), QByteArray("*.pdf;*.ai;*.eps;"));
        QCOMPARE(types.FindDocumentType(QStringLiteral("/p/logo.AI")), 1);
        QCOMPARE(types.FindDocumentType(QStringLiteral("/p/logo.eps")), 1);
        QCOMPARE(types.FindDocumentType(QStringLiteral("/p/logo.e")), 0);
        QCOMPARE(types.AddFileFilter(), QStringLiteral("All Support File|*.pdf;*.ai;*.eps;|Adobe Portable Document File(*.pdf;*.ai;*.EPS)|*.pdf;*.ai;*.EPS"));
        QCOMPARE(types.AddDirTypeRow(1), QStringLiteral("Adobe Portable Document File(*.pdf;*.ai;*.EPS)"));
        QCOMPARE(types.DirectorySearchFilter({true}), QStringLiteral("*.pdf|*.ai|*.EPS|"));

        // A pattern without "*." never matches, but is still shown as typed.
        types.BuildExtensionLookup("doc");
        QCOMPARE(types.FindDocumentType(QStringLiteral("/p/a.doc")), 0);
        QCOMPARE(types.AddDirTypeRow(1), QStringLiteral("Adobe Portable Document File(*.pdf;doc)"));
    }

    void textsFromTheTable()
    {
        QCOMPARE(types.AddFileFilter(), QStringLiteral("All Support File|*.pdf;|Adobe Portable Document File(*.pdf)|*.pdf"));
        QCOMPARE(types.AddDirTypeRow(1), QStringLiteral("Adobe Portable Document File(*.pdf)"));
        QCOMPARE(types.DirectorySearchFilter({true}), QStringLiteral("*.pdf|"));
        QCOMPARE(types.DirectorySearchFilter({false}), QString());
        QCOMPARE(QLatin1String(DocumentType(1).TypeName), QLatin1String("PDF"));
    }

    void targetPaths_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("samedir");
        QTest::addColumn<QString>("targetdir");
        QTest::addColumn<QString>("target");
        QTest::newRow("beside") << "/docs/report.pdf" << true << "/out/" << "/docs/report.txt";
        QTest::newRow("target folder") << "/docs/report.pdf" << false << "/out/" << "/out/report.txt";
        QTest::newRow("case kept") << "/docs/Report.PDF" << true << "" << "/docs/Report.txt";
        QTest::newRow("no extension, dotted folder") << "/docs/old.files/readme" << true << "" << "/docs/old.files/readme.txt";
        QTest::newRow("last extension only") << "/d/archive.tar.pdf" << false << "/o/" << "/o/archive.tar.txt";
        QTest::newRow("already txt") << "/d/notes.txt" << true << "" << "/d/notes.txt";
        QTest::newRow("folder without separator") << "/docs/report.pdf" << false << "/out" << "/outreport.txt";
        QTest::newRow("relative source") << "report.pdf" << false << "/o/" << "/o/report.txt";
        QTest::newRow("root") << "/a.pdf" << true << "" << "/a.txt";
        QTest::newRow("non-ASCII") << QString::fromUtf8("/d/\xE6\x96\x87\xE4\xBB\xB6.pdf") << false << "/o/"
                                   << QString::fromUtf8("/o/\xE6\x96\x87\xE4\xBB\xB6.txt");
    }

    void targetPaths()
    {
        QFETCH(QString, source);
        QFETCH(bool, samedir);
        QFETCH(QString, targetdir);
        QFETCH(QString, target);
        QCOMPARE(TargetFileName(source, samedir, targetdir), target);
    }

    void sameFileNameInTwoFoldersGivesOneTarget()
    {
        QCOMPARE(TargetFileName(QStringLiteral("/a/x.pdf"), false, QStringLiteral("/o/")),
                 TargetFileName(QStringLiteral("/b/x.pdf"), false, QStringLiteral("/o/")));
    }
};

QTEST_GUILESS_MAIN(TestDocumentTypes)
#include "tst_document_types.moc"
