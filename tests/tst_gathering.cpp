// Gathering files into the main window: Add Dir over real folders (recursion, the report,
// stopping with the progress window's button, empty entries), drops built from real
// QMimeData, and Paste File from the clipboard.
#include "gathering/DirectorySearch.h"
#include "platform/FileSystem.h"
#include "forms/UnAddDir.h"
#include "forms/UnCancelFind.h"
#include "tests/support/LogLines.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/PdfMaker.h"
#include "forms/UnCancelCvt.h"
#include "widgets/OrdvaneApplication.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

class TestGathering : public QObject {
    Q_OBJECT

    QScopedPointer<MainWindowFixture> ui;

    QString tree(const QString &relative) { return ui->dir.file(QStringLiteral("tree/") + relative); }

    void touch(const QString &relative)
    {
        QDir().mkpath(QFileInfo(tree(relative)).path());
        QFile file(tree(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    // Add Dir with the given folder text, confirmed in the dialog.
    void addDir(const QString &folders, bool recursive)
    {
        MainWindowFixture::whenModal([&](QWidget *modal) {
            QCOMPARE(modal, FmAddDir);
            FmAddDir->EditDir->setText(folders);
            FmAddDir->CBRecursive->setChecked(recursive);
            QTest::mouseClick(FmAddDir->BtnOK, Qt::LeftButton);
        });
        ui->press(Qt::Key_D, Qt::ControlModifier);
        ui->untilIdle();
    }

    QStringList sources()
    {
        QStringList names;
        for (int row = 0; row < ui->jobs().count(); ++row)
            names << ui->jobs().text(row, JobList::Source).mid(tree(QString()).size());
        names.sort();
        return names;
    }

    void drop(const QByteArray &uriList)
    {
        QMimeData data;
        data.setData(QStringLiteral("text/uri-list"), uriList);
        const QPoint at = FmMain->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FmMain, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FmMain, &dropped);
    }

    static QByteArray url(const QString &path) { return "file://" + QFile::encodeName(path).toPercentEncoding("/"); }

private slots:
    void init()
    {
        ui.reset(new MainWindowFixture);
        for (const char *name : {"a.pdf", "b.PDF", "notes.txt", ".hidden.pdf", "sub/c.pdf", "sub/deeper/d.pdf", ".dot/e.pdf"})
            touch(QLatin1String(name));
    }

    void cleanup() { ui.reset(); }

    // Thousands of files from a search or a drop, and rows that come and go unseen.
    void manyFiles()
    {
        for (int i = 0; i < 3000; ++i)
            touch(QStringLiteral("many/f%1.pdf").arg(i));
        addDir(tree(QStringLiteral("many")), false);
        QCOMPARE(ui->jobs().count(), 3000);
        FmMain->SelectAllEntries();
        FmMain->DeleteSelectedEntries();
        QByteArray uris;
        for (int i = 0; i < 3000; ++i)
            uris += url(tree(QStringLiteral("many/f%1.pdf").arg(i))) + "\r\n";
        drop(uris);
        QTest::qWait(50);
        QCOMPARE(ui->jobs().count(), 3000);

        // Rows added and deleted before the views heard of them leave the views as they were.
        auto *view = ui->control<QTableView>(QStringLiteral("ListView1"));
        for (int i = 0; i < 100; ++i)
            FmMain->AddOneFile(QStringLiteral("/unseen/%1.pdf").arg(i));
        FmMain->SelectAllEntries();
        FmMain->DeleteSelectedEntries();
        QTest::qWait(20);
        QCOMPARE(ui->model().rowCount(), 0);
        QCOMPARE(view->verticalHeader()->count(), 0);
    }

    void addDirWithAndWithoutRecursion()
    {
        addDir(tree(QString()), false);
        QCOMPARE(sources(), (QStringList{"a.pdf", "b.PDF"}));
        QCOMPARE(ui->statusMessage(), QStringLiteral("Done Scanning, add 2 file(s)."));
        QCOMPARE(ui->statusCount(), QStringLiteral("2 File(s)"));
        QCOMPARE(Settings.adddir, tree(QString()));
        QVERIFY(!FmCancelFind->isVisible());

        // Found again, added once; the report counts the new ones only.
        addDir(tree(QString()), true);
        QCOMPARE(sources(), (QStringList{"a.pdf", "b.PDF", "sub/c.pdf", "sub/deeper/d.pdf"}));
        QCOMPARE(ui->statusMessage(), QStringLiteral("Done Scanning, add 2 file(s)."));
        QCOMPARE(ui->jobs().selectedCount(), 2); // the selection was cleared first
        QTest::qWait(120);
        QCOMPARE(ui->statusMessage(), QStringLiteral("Done Scanning, add 2 file(s).")); // and stays
    }

    // A refusal the log cannot take ends the search with its error, as it ends any command.
    void aLogThatFailsEndsTheSearch()
    {
        addDir(tree(QString()), false);
        QFile::remove(ui->dir.file(QStringLiteral("ordvnact.log")));
        QVERIFY(QDir(ui->dir.path()).mkdir(QStringLiteral("ordvnact.log")));
        addDir(tree(QString()), true); // a.pdf again: refused, and the refusal logged
        QCOMPARE(ui->dialogs.messages.size(), 1);
        QVERIFY(ui->dialogs.messages[0].contains(ui->dir.file(QStringLiteral("ordvnact.log"))));
        QVERIFY(!FmMain->busy() && !FmCancelFind->isVisible());
        QVERIFY(ui->jobs().count() < 4);
    }

    void emptyEntriesAndMissingFolders()
    {
        QStringList folders;
        const auto report = FmMain->FileSearch->OnChangeFolder;
        FmMain->FileSearch->OnChangeFolder = [&](const QString &folder) {
            folders << folder;
            report(folder);
        };
        addDir(QStringLiteral(";") + tree(QStringLiteral("sub")) + QStringLiteral(";;/no/such/folder;"), false);
        QCOMPARE(folders, (QStringList{tree(QStringLiteral("sub/")), QStringLiteral("/no/such/folder/")})); // never "/"
        QCOMPARE(sources(), QStringList{"sub/c.pdf"});
        QCOMPARE(ui->statusMessage(), QStringLiteral("Done Scanning, add 1 file(s)."));
    }

    void stopInTheSecondOfThreeFolders()
    {
        for (const char *name : {"one/1.pdf", "two/2a.pdf", "two/2b.pdf", "three/3.pdf"})
            touch(QLatin1String(name));
        const auto report = FmMain->FileSearch->OnChangeFolder;
        FmMain->FileSearch->OnChangeFolder = [&](const QString &folder) {
            report(folder);
            if (folder.endsWith(QStringLiteral("/two/"))) // the user presses the button now
                QTest::mouseClick(FmCancelFind->BtnCancel, Qt::LeftButton);
        };
        addDir(tree(QStringLiteral("one")) + u';' + tree(QStringLiteral("two")) + u';' + tree(QStringLiteral("three")), true);
        QCOMPARE(sources(), QStringList{"one/1.pdf"});
        QCOMPARE(ui->statusMessage(), QStringLiteral("Done Scanning, add 1 file(s)."));
    }

    void closingDuringASearchStopsItThenCloses()
    {
        const auto report = FmMain->FileSearch->OnChangeFolder;
        FmMain->FileSearch->OnChangeFolder = [&](const QString &folder) {
            report(folder);
            FmMain->close();
            QVERIFY(FmMain->isVisible());
        };
        addDir(tree(QString()), true);
        QVERIFY(FmMain->FileSearch->UserStopped);
        QTRY_VERIFY(!FmMain->isVisible());
    }

    void aKeyDuringTheSearchDoesNotOpenAddDirAgain()
    {
        int shown = 0;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != FmAddDir)
                return;
            FmAddDir->EditDir->setText(tree(QString()));
            QTest::mouseClick(++shown == 1 ? FmAddDir->BtnOK : FmAddDir->BtnCancel, Qt::LeftButton);
        });
        answer.start(10);
        auto *list = ui->control(QStringLiteral("ListView1"));
        const auto report = FmMain->FileSearch->OnChangeFolder;
        FmMain->FileSearch->OnChangeFolder = [&](const QString &folder) {
            report(folder);
            QTest::keyClick(list, Qt::Key_Down); // the user presses a key in the list meanwhile
        };
        list->setFocus();
        ui->press(Qt::Key_D, Qt::ControlModifier);
        ui->untilIdle();
        QTest::qWait(100);
        QCOMPARE(shown, 1);
        QCOMPARE(sources(), (QStringList{"a.pdf", "b.PDF"}));
    }

    void drops()
    {
        FmMain->AddOneFile(tree(QStringLiteral("b.PDF")));
        // One file: added, the only selected row.
        drop(url(tree(QStringLiteral("a.pdf"))));
        QCOMPARE(ui->jobs().count(), 2);
        QCOMPARE(ui->jobs().selectedCount(), 1);
        QCOMPARE(ui->jobs().focusRow(), 1);
        QCOMPARE(ui->statusCount(), QStringLiteral("2 File(s)"));

        // A folder with a file: the file alone. Remote names are passed over.
        drop(url(tree(QStringLiteral("sub"))) + "\r\n" + url(tree(QStringLiteral("sub/c.pdf"))) + "\r\nhttp://example.com/x.pdf\r\n");
        QCOMPARE(sources(), (QStringList{"a.pdf", "b.PDF", "sub/c.pdf"}));

        // Three files, one listed: two added, and the refusal is in the log.
        drop(url(tree(QStringLiteral("notes.txt"))) + "\r\n" + url(tree(QStringLiteral("a.pdf"))) + "\r\n"
             + url(tree(QStringLiteral("sub/deeper/d.pdf"))));
        QCOMPARE(ui->jobs().count(), 4);
        QVERIFY(logTexts(ui->dir.file(QStringLiteral("ordvnact.log")))
                    .contains(QStringLiteral("Add file failed: already added (") + tree(QStringLiteral("a.pdf")) + u')'));
        QTest::qWait(120); // the refusal outlives the count of the rows the drop selected
        QCOMPARE(ui->statusMessage(), QStringLiteral("File [") + tree(QStringLiteral("a.pdf")) + QStringLiteral("] already added!"));

        drop(QByteArray()); // nothing at all
        QCOMPARE(ui->jobs().count(), 4);
    }

    // Files dropped while a run converts are added at once, at the end of the list; the run
    // goes on with the entries it had and the selection it works from.
    void dropsDuringARunAreAddedAtOnce()
    {
        const QString book = tree(QStringLiteral("book.pdf"));
        testpdf::writeFile(FileSystem::encodePath(book).toStdString(),
                           testpdf::makePdf(std::vector<testpdf::Page>(1500, testpdf::linesPage(std::vector<std::string>(45, "A line of a long book")))));
        FmMain->AddOneFile(book);
        int countDuringRun = -1;
        bool selectionKept = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (countDuringRun < 0 && FmCancelCvt->isVisible()) {
                drop(url(tree(QStringLiteral("a.pdf"))) + "\r\n" + url(tree(QStringLiteral("b.PDF"))));
                countDuringRun = ui->jobs().count();
                selectionKept = ui->jobs().isSelected(0);
            }
        });
        poll.start(1);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertSelect")));
        ui->untilIdle();
        poll.stop();
        QCOMPARE(countDuringRun, 3);
        QVERIFY(selectionKept);
        QCOMPARE(ui->jobs().entry(0).state, qint32(JobList::Converted));
        QCOMPARE(ui->jobs().entry(1).state, qint32(JobList::Waiting));
        QCOMPARE(ui->jobs().entry(2).state, qint32(JobList::Waiting));
    }

    void droppingOneFolderOpensAddDir()
    {
        MainWindowFixture::whenModal([&](QWidget *modal) {
            QCOMPARE(modal, FmAddDir);
            QCOMPARE(FmAddDir->EditDir->text(), tree(QStringLiteral("sub")));
            FmAddDir->CBRecursive->setChecked(true);
            QTest::keyClick(FmAddDir->EditDir, Qt::Key_Return);
        });
        drop(url(tree(QStringLiteral("sub"))));
        ui->untilIdle();
        QCOMPARE(sources(), (QStringList{"sub/c.pdf", "sub/deeper/d.pdf"}));
        QCOMPARE(ui->statusMessage(), QStringLiteral("Done Scanning, add 2 file(s)."));

        MainWindowFixture::whenModal([&](QWidget *) { QTest::keyClick(FmAddDir->EditDir, Qt::Key_Escape); });
        drop(url(tree(QString())));
        QCOMPARE(ui->jobs().count(), 2); // cancelled: nothing added
    }

    void pasteDoesNotScrollTheList()
    {
        auto *list = ui->control<QTableView>(QStringLiteral("ListView1"));
        for (int i = 0; i < 80; ++i)
            FmMain->AddOneFile(QStringLiteral("/d/%1.pdf").arg(i));
        ui->model().announceRows();
        list->scrollToTop();
        auto *copied = new QMimeData;
        copied->setUrls({QUrl::fromLocalFile(tree(QStringLiteral("a.pdf")))});
        QGuiApplication::clipboard()->setMimeData(copied);
        ui->press(Qt::Key_V, Qt::ControlModifier);
        QTest::qWait(20);
        QCOMPARE(ui->jobs().count(), 81);
        QCOMPARE(list->verticalScrollBar()->value(), 0);
        drop(url(tree(QStringLiteral("b.PDF")))); // a drop does scroll to what it added
        QTest::qWait(20);
        QVERIFY(list->verticalScrollBar()->value() > 0);
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
    }

    void addingDuringASearchIsRefusedWithAReason()
    {
        QStringList said;
        const auto report = FmMain->FileSearch->OnChangeFolder;
        FmMain->FileSearch->OnChangeFolder = [&](const QString &folder) {
            report(folder);
            if (!said.isEmpty())
                return;
            // The main window's commands (the offscreen platform gives a raised progress window
            // the keys, which a desktop leaves with the window clicked).
            for (const char *action : {"ActPasteFile", "ActAddFile"}) {
                FmMain->MenuItemClick(ui->action(QLatin1String(action)));
                said << ui->statusMessage();
            }
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(tree(QStringLiteral("a.pdf")))});
            QDragEnterEvent enter(FmMain->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(FmMain, &enter);
            QVERIFY(!enter.isAccepted());
            said << ui->statusMessage();
        };
        addDir(tree(QString()), false);
        const QString reason = QStringLiteral("A directory search is running: wait until it ends, or stop it.");
        QCOMPARE(said, (QStringList{reason, reason, reason}));
        QCOMPARE(ui->statusMessage(), QStringLiteral("Done Scanning, add 2 file(s)."));
    }

    void pasteFromTheClipboard()
    {
        QDir().mkpath(tree(QStringLiteral("folder.pdf")));
        auto *copied = new QMimeData;
        copied->setData(QStringLiteral("x-special/gnome-copied-files"),
                        "copy\n" + url(tree(QStringLiteral("a.pdf"))) + "\n" + url(tree(QStringLiteral("sub"))) + "\n"
                            + url(tree(QStringLiteral("folder.pdf"))));
        QGuiApplication::clipboard()->setMimeData(copied);
        ui->jobs().setSelected(0, false);
        ui->press(Qt::Key_V, Qt::ControlModifier);
        // The folder is refused by its name; one that is named like a PDF is taken as a file.
        QCOMPARE(sources(), (QStringList{"a.pdf", "folder.pdf"}));
        QCOMPARE(ui->jobs().text(1, JobList::Size), QStringLiteral("0"));
        QCOMPARE(ui->jobs().text(1, JobList::Type), QStringLiteral("PDF"));
        QVERIFY(logTexts(ui->dir.file(QStringLiteral("ordvnact.log")))
                    .contains(QStringLiteral("Add file failed: type not support (") + tree(QStringLiteral("sub")) + u')'));
        // Twice: each is already added.
        ui->press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ui->jobs().count(), 2);
        QTest::qWait(120);
        QCOMPARE(ui->statusMessage(), QStringLiteral("File [") + tree(QStringLiteral("folder.pdf")) + QStringLiteral("] already added!"));

        // Text on the clipboard: nothing is added, and Paste File is disabled when the menu opens.
        QGuiApplication::clipboard()->setText(QStringLiteral("/just/text.pdf"));
        ui->press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ui->jobs().count(), 2);
        FmMain->ActionMainMenuBar1Paint();
        QVERIFY(!ui->action(QStringLiteral("ActPasteFile"))->isEnabled());
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
    }
};

int main(int argc, char *argv[])
{
    OrdvaneApplication app(argc, argv);
    TestGathering test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gathering.moc"
