// The main window in the offscreen platform, driven by real keys and clicks: shortcuts from
// any control, command enabling when a menu opens, the selection count, sorting by header
// clicks, row colours, the Convert button's place, Add File, the prompt, launch and explore,
// and the job file kept across a restart.
#include "desktop/Desktop.h"
#include "desktop/Keyring.h"
#include "platform/FileSystem.h"
#include "tests/support/SettingsCore.h"
#include "tests/support/EncryptedPdf.h"
#include "tests/support/LogLines.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/OpenedUrls.h"
#include "tests/support/PdfMaker.h"
#include "tests/support/ScanMaker.h"
#include "forms/UnAbout.h"
#include "forms/UnCancelCvt.h"
#include "forms/UnFileOverTp.h"
#include "forms/UnPassword.h"
#include "widgets/ElidedLabel.h"
#include "widgets/Images.h"
#include "widgets/OrdvaneApplication.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QScopeGuard>
#include <csignal>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QWindow>
#include <functional>

// Stands in for the desktop's file manager on the test's private session bus.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public slots:
    void ShowItems(const QStringList &uris, const QString &) { shown << uris; }
};

class TestMainWindow : public QObject {
    Q_OBJECT

    QScopedPointer<MainWindowFixture> ui;

    QString pdf(const QString &name, const testpdf::Options &options = {})
    {
        QDir(ui->dir.path()).mkpath(QStringLiteral("docs"));
        const QString path = ui->dir.file(QStringLiteral("docs/") + name);
        testpdf::writeFile(FileSystem::encodePath(path).toStdString(), testpdf::makePdf({testpdf::linesPage({"hello"})}, options));
        return path;
    }
    // Opens with the password, or as owner with the password and "-owner".
    QString lockedPdf(const QString &name, const std::string &password)
    {
        testpdf::Options locked;
        locked.userPassword = password;
        locked.ownerPassword = password + "-owner";
        return pdf(name, locked);
    }

    QTableView *list() { return ui->control<QTableView>(QStringLiteral("ListView1")); }

    void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ui->model().announceRows(); // as the event loop would have done by now
        const QRect cell = list()->visualRect(ui->model().index(row, 1));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    // Opens a menu of the menu bar by a click on its title, as the user does.
    QMenu *openMenu(const QString &name)
    {
        auto *menu = ui->control<QMenu>(name);
        QMenuBar *bar = FmMain->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
            qWarning("menu %s did not open", qPrintable(name));
        return menu;
    }

private slots:
    void init() { ui.reset(new MainWindowFixture); }
    void cleanup() { ui.reset(); }

    void windowAtStart()
    {
        QCOMPARE(FmMain->windowTitle(), QStringLiteral("KV-Ordvane"));
        QCOMPARE(ui->control<QLabel>(QStringLiteral("StatusProduct"))->text(), QStringLiteral("KV-Ordvane 3.0"));
        QCOMPARE(ui->statusCount(), QStringLiteral("0 File(s)"));
        const QStringList captions = {"State", "Name", "Source file", "Size(Byte)", "Type", "Target file", "Convert Message"};
        for (int column = 0; column < captions.size(); ++column)
            QCOMPARE(ui->model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), captions[column]);
        for (const char *name : {"BtnAddFile", "BtnAddDir", "BtnOption", "BtnLog", "BtnConvert"})
            QVERIFY(ui->control<QAbstractButton>(QLatin1String(name)));
    }

    void ctrlGConvertsAndAltCtrlGDoesNot()
    {
        FmMain->AddOneFile(pdf(QStringLiteral("a.pdf")));
        list()->setFocus();
        ui->press(Qt::Key_G, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(ui->jobs().entry(0).state, qint32(JobList::Waiting));
        ui->press(Qt::Key_G, Qt::ControlModifier);
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(0).state, qint32(JobList::Converted));
        QVERIFY(QFileInfo::exists(ui->dir.file(QStringLiteral("out/a.txt"))));
        QVERIFY(!FmCancelCvt->isVisible());
        // The journal of temporary files is there only while it lists one.
        const QString journal = ui->dir.file(QStringLiteral("Ordvane.tmp"));
        QVERIFY(!QFileInfo::exists(journal));
        ui->stop();
        ui->start();
        QVERIFY(!QFileInfo::exists(journal));
    }

    void aKeyActsOnceHoweverLongItsCommandRuns()
    {
        // Keys handled while Convert All runs do not make its own key look new afterwards:
        // the run the user cancelled does not start again by itself. The files are long
        // enough for a run to outlast the wait for its progress window.
        const std::string book = testpdf::makePdf(std::vector<testpdf::Page>(300, testpdf::linesPage({"hello"})));
        for (int i = 0; i < 8; ++i) {
            const QString path = pdf(QStringLiteral("k%1.pdf").arg(i));
            QVERIFY(testpdf::writeFile(FileSystem::encodePath(path).toStdString(), book));
            FmMain->AddOneFile(path);
        }
        list()->setFocus();
        // Once the run shows its progress window, whatever the key's delivery waited for.
        QTimer poll;
        const auto duringTheRun = [&poll](const std::function<void()> &act) {
            poll.disconnect();
            connect(&poll, &QTimer::timeout, [&poll, act] {
                if (FmCancelCvt->isVisible()) {
                    poll.stop();
                    act();
                }
            });
            poll.start(2);
        };
        duringTheRun([&] {
            QTest::keyClick(list(), Qt::Key_Down);
            QTest::mouseClick(FmCancelCvt->BtnCancel, Qt::LeftButton);
        });
        ui->press(Qt::Key_G, Qt::ControlModifier);
        ui->untilIdle();
        QTest::qWait(100);
        const QStringList log = logTexts(ui->dir.file(QStringLiteral("ordvnact.log")));
        QCOMPARE(log.count(QStringLiteral("Conversion start...")), 1);
        const auto converted = [&] {
            int n = 0;
            for (int row = 0; row < ui->jobs().count(); ++row)
                n += ui->jobs().entry(row).state == JobList::Converted;
            return n;
        };
        QVERIFY(converted() < 8);

        // Exit during a run ends it and closes the window, without converting the rest first.
        FmMain->activateWindow(); // given back by the window manager when the progress window goes
        QVERIFY(QTest::qWaitForWindowActive(FmMain));
        duringTheRun([&] {
            QTest::keyClick(list(), Qt::Key_Up);
            ui->action(QStringLiteral("ActExit"))->trigger();
        });
        ui->press(Qt::Key_G, Qt::ControlModifier);
        ui->untilIdle();
        QTRY_VERIFY(!FmMain->isVisible());
        QCOMPARE(logTexts(ui->dir.file(QStringLiteral("ordvnact.log"))).count(QStringLiteral("Conversion start...")), 2);
        QVERIFY(converted() < 8);
    }

    void keysFromAnyFocusedControl()
    {
        auto *button = ui->control<QToolButton>(QStringLiteral("BtnAddFile"));
        button->setFocusPolicy(Qt::StrongFocus);
        for (QWidget *focused : {static_cast<QWidget *>(button), static_cast<QWidget *>(list())}) {
            for (const char *name : {"a.pdf", "b.pdf", "c.pdf"})
                FmMain->AddOneFile(QStringLiteral("/docs/") + QLatin1String(name));
            ui->jobs().clearSelection();
            focused->setFocus();
            QCOMPARE(QApplication::focusWidget(), focused);
            ui->press(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(ui->jobs().selectedCount(), 3);
            ui->press(Qt::Key_Delete, Qt::KeypadModifier);
            QCOMPARE(ui->jobs().count(), 0);
            QCOMPARE(ui->statusCount(), QStringLiteral("0 File(s)"));
        }
    }

    void commandsEnabledWhenAMenuOpens()
    {
        QMenu *convert = openMenu(QStringLiteral("Convert1"));
        QVERIFY(convert->isVisible());
        for (const char *name : {"ActConvertAll", "ActConvertSelect", "ActReConvert", "ActLaunchSource", "ActExploreTarget"})
            QVERIFY2(!ui->action(QLatin1String(name))->isEnabled(), name);
        convert->close();
        QVERIFY(!ui->action(QStringLiteral("ActDelete"))->isEnabled());

        // The Convert button does not ask: on an empty list it starts a run that does nothing.
        QTest::mouseClick(ui->control<QAbstractButton>(QStringLiteral("BtnConvert")), Qt::LeftButton);
        ui->untilIdle();
        QVERIFY(!QFileInfo::exists(ui->dir.file(QStringLiteral("ordvnact.log"))));

        FmMain->AddOneFile(QStringLiteral("/d/w.pdf"));
        FmMain->AddOneFile(QStringLiteral("/d/f.pdf"));
        ui->jobs().setState(1, JobList::Failed);
        ui->jobs().setSelected(1, false);
        ui->jobs().setSelected(0, true);
        convert = openMenu(QStringLiteral("Convert1"));
        QVERIFY(ui->action(QStringLiteral("ActConvertAll"))->isEnabled());
        QVERIFY(ui->action(QStringLiteral("ActConvertSelect"))->isEnabled());
        QVERIFY(!ui->action(QStringLiteral("ActReConvert"))->isEnabled());
        QVERIFY(ui->action(QStringLiteral("ActLaunchSource"))->isEnabled());
        convert->close();
    }

    void messagesStayUntilTheUserActs()
    {
        FmMain->AddOneFile(QStringLiteral("/d/earlier.pdf"));
        QTest::qWait(120);
        QCOMPARE(ui->statusMessage(), QString()); // no count of what start-up selected
        ui->dialogs.answerFiles({QStringLiteral("/d/x.pdf"), QStringLiteral("/d/earlier.pdf")});
        ui->press(Qt::Key_F, Qt::ControlModifier);
        QTest::qWait(120);
        QCOMPARE(ui->statusMessage(), QStringLiteral("File [/d/earlier.pdf] already added!"));
        // A hint passes over it and gives it back.
        auto *button = ui->control<QToolButton>(QStringLiteral("BtnAddDir"));
        QStatusTipEvent tip(button->statusTip()), gone{QString()};
        QApplication::sendEvent(button, &tip);
        QApplication::sendEvent(button, &gone);
        QCOMPARE(ui->statusMessage(), QStringLiteral("File [/d/earlier.pdf] already added!"));
        clickRow(0);
        QTRY_COMPARE(ui->statusMessage(), QStringLiteral("Select 1 file(s)."));
    }

    void selectionCountAfterABurstOfClicks()
    {
        for (int i = 0; i < 6; ++i)
            FmMain->AddOneFile(QStringLiteral("/d/%1.pdf").arg(i));
        clickRow(0);
        for (int row = 1; row < 5; ++row)
            clickRow(row, Qt::ControlModifier);
        QTRY_COMPARE(ui->statusMessage(), QStringLiteral("Select 5 file(s)."));
        clickRow(5, Qt::ShiftModifier); // from the anchor, the last clicked row
        QTRY_COMPARE(ui->statusMessage(), QStringLiteral("Select 2 file(s)."));
        QCOMPARE(ui->jobs().focusRow(), 5);
    }

    void keyboardSelection()
    {
        for (int i = 0; i < 5; ++i)
            FmMain->AddOneFile(QStringLiteral("/d/%1.pdf").arg(i));
        list()->setFocus();
        ui->press(Qt::Key_Home);
        QCOMPARE(ui->jobs().selectedCount(), 1);
        QCOMPARE(ui->jobs().focusRow(), 0);
        ui->press(Qt::Key_Down, Qt::ShiftModifier);
        ui->press(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(ui->jobs().selectedCount(), 3);
        ui->press(Qt::Key_End);
        QCOMPARE(ui->jobs().selectedCount(), 1);
        QVERIFY(ui->jobs().isSelected(4));
    }

    void sortingByHeaderClicks()
    {
        const QStringList sizes = {"100", "9", "10"};
        for (int i = 0; i < 3; ++i) {
            FmMain->AddOneFile(QStringLiteral("/d/%1.pdf").arg(QChar(u'c' - i)));
            setStoredText(ui->jobs(), i, JobList::Size, sizes[i]);
        }
        QHeaderView *header = list()->horizontalHeader();
        const auto clickHeader = [&](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
        };
        clickHeader(JobListModel::ColumnSize);
        QCOMPARE(ui->jobs().text(0, JobList::Size), QStringLiteral("9"));
        QCOMPARE(ui->jobs().text(2, JobList::Size), QStringLiteral("100"));
        QCOMPARE(ui->model().headerData(JobListModel::ColumnSize, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("(->)Size(Byte)"));
        clickHeader(JobListModel::ColumnSize);
        QCOMPARE(ui->jobs().text(0, JobList::Size), QStringLiteral("100"));
        clickHeader(JobListModel::ColumnName);
        QCOMPARE(ui->jobs().text(0, JobList::Name), QStringLiteral("a.pdf"));
        QCOMPARE(ui->model().headerData(JobListModel::ColumnSize, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Size(Byte)"));
        QCOMPARE(ui->model().headerData(JobListModel::ColumnName, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("(->)Name"));
    }

    void rowsAlternateByPosition()
    {
        for (int i = 0; i < 10; ++i)
            FmMain->AddOneFile(QStringLiteral("/d/%1.pdf").arg(i));
        ui->jobs().setState(3, JobList::Failed);
        ui->jobs().clearSelection();
        ui->jobs().setFocusRow(-1);
        const auto check = [&] {
            const QImage image = list()->viewport()->grab().toImage();
            const QPalette theme = QApplication::palette(list());
            for (int row = 0; row < 10; ++row) {
                const QRect cell = list()->visualRect(ui->model().index(row, 0)); // the state column: no text
                const QColor colour = image.pixelColor(cell.right() - 4, cell.center().y());
                QCOMPARE(colour, theme.color(row % 2 ? QPalette::Base : QPalette::ToolTipBase));
            }
        };
        check();
        ui->model().ColumnClick(JobListModel::ColumnState); // the stripes follow positions, not entries
        check();
    }

    void aDarkThemeStaysReadable()
    {
        const QPalette light = QApplication::palette();
        const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        QPalette dark = light;
        dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::ToolTipBase, QColor(0x30, 0x30, 0x48));
        dark.setColor(QPalette::ToolTipText, QColor(0xf0, 0xf0, 0xd0));
        QApplication::setPalette(dark);
        for (int i = 0; i < 4; ++i)
            FmMain->AddOneFile(QStringLiteral("/d/%1.pdf").arg(i));
        ui->model().announceRows();
        ui->jobs().clearSelection();
        ui->jobs().setFocusRow(-1);
        QTest::mouseMove(ui->control(QStringLiteral("StatusMessage"))); // no row under the mouse
        const QImage image = list()->viewport()->grab().toImage();
        for (int row = 0; row < 4; ++row) {
            const QColor background = dark.color(row % 2 ? QPalette::Base : QPalette::ToolTipBase);
            const QRect name = list()->visualRect(ui->model().index(row, JobListModel::ColumnName));
            QCOMPARE(image.pixelColor(name.right() - 4, name.center().y()), background);
            int contrast = 0; // the name's letters stand out from their row
            for (int x = name.left(); x < name.right(); ++x)
                for (int y = name.top() + 1; y < name.bottom(); ++y) {
                    const QColor c = image.pixelColor(x, y);
                    contrast = std::max(contrast, std::abs(c.lightness() - background.lightness()));
                }
            QVERIFY2(contrast > 120, qPrintable(QStringLiteral("row %1: %2").arg(row).arg(contrast)));
        }
    }

    void columnsShowTheirTextsWhole()
    {
        FmMain->AddOneFile(QStringLiteral("/d/big.pdf"));
        setStoredText(ui->jobs(), 0, JobList::Size, QStringLiteral("12416027"));
        ui->model().announceRows();
        const QRect size = list()->visualRect(ui->model().index(0, JobListModel::ColumnSize));
        const int margins = 2 * (list()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list()) + 1);
        QVERIFY(list()->fontMetrics().horizontalAdvance(QStringLiteral("12416027")) <= size.width() - margins);
        // Captions fit with their sort markers, either way.
        QHeaderView *header = list()->horizontalHeader();
        for (int column = 0; column < JobListModel::ColumnCount; ++column)
            for (int click = 0; click < 2; ++click) {
                ui->model().ColumnClick(column);
                QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                         qPrintable(ui->model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()));
            }
    }

    void noEmptyFocusBoxBesideTheStateIcon()
    {
        FmMain->AddOneFile(QStringLiteral("/d/a.pdf"));
        FmMain->AddOneFile(QStringLiteral("/d/b.pdf"));
        list()->setFocus();
        ui->press(Qt::Key_Home);
        ui->press(Qt::Key_Space, Qt::ControlModifier); // the focused row, not selected
        QCOMPARE(ui->jobs().focusRow(), 0);
        QCOMPARE(ui->jobs().selectedCount(), 0);
        const QImage image = list()->viewport()->grab().toImage();
        const QRect state = list()->visualRect(ui->model().index(0, JobListModel::ColumnState));
        const QColor background = image.pixelColor(state.right() - 2, state.center().y());
        for (int x = state.left() + 22; x < state.right() - 1; ++x) // right of the icon
            for (int y = state.top() + 1; y < state.bottom(); ++y)
                QCOMPARE(image.pixelColor(x, y), background);
    }

    void convertButtonKeepsItsDistanceFromTheRightEdge()
    {
        auto *convert = ui->control<QAbstractButton>(QStringLiteral("BtnConvert"));
        auto *addFile = ui->control<QToolButton>(QStringLiteral("BtnAddFile"));
        FmMain->resize(800, FmMain->height());
        QVERIFY(convert->parentWidget()->width() >= 800);
        // As far from the bar's right edge as the first button is from its left, and a little more.
        QCOMPARE(convert->geometry().right() + 1, convert->parentWidget()->width() - addFile->x() - 4);

        // From the smallest size the window takes, no button covers another or leaves its bar.
        FmMain->resize(1, 1);
        const int smallest = FmMain->width();
        const QList<QAbstractButton *> buttons = addFile->parentWidget()->findChildren<QAbstractButton *>();
        QCOMPARE(buttons.size(), 5);
        for (int width = smallest; width < smallest + 300; width += 10) {
            FmMain->resize(width, FmMain->height());
            for (QAbstractButton *a : buttons) {
                QVERIFY2(addFile->parentWidget()->rect().contains(a->geometry()), qPrintable(a->objectName()));
                for (QAbstractButton *b : buttons)
                    QVERIFY2(a == b || !a->geometry().intersects(b->geometry()), qPrintable(a->objectName() + u' ' + b->objectName()));
            }
        }

        // Its mark is the style's default button, and focus shows as the style draws it.
        auto *push = qobject_cast<QPushButton *>(convert);
        QVERIFY(push && push->isDefault());
        QVERIFY(convert->styleSheet().isEmpty());
        QVERIFY(convert->focusPolicy() & Qt::TabFocus);
    }

    // A file handed over by a later start brings the window back as it was: maximized stays
    // maximized.
    void handOverKeepsTheWindowState()
    {
        FmMain->showMaximized();
        QTRY_VERIFY(FmMain->isMaximized());
        FmMain->showMinimized();
        QTRY_VERIFY(FmMain->isMinimized());
        FmMain->AddFilesFromOutside({pdf(QStringLiteral("handed.pdf"))});
        QTRY_COMPARE(ui->jobs().count(), 1);
        QVERIFY(!FmMain->isMinimized());
        QVERIFY(FmMain->isMaximized());

        FmMain->showNormal();
        QTRY_VERIFY(!FmMain->isMaximized());
        FmMain->showMinimized();
        QTRY_VERIFY(FmMain->isMinimized());
        FmMain->AddFilesFromOutside({});
        QTRY_VERIFY(!FmMain->isMinimized());
        QVERIFY(!FmMain->isMaximized());

        // A name that names no file is refused at once, as a file of another type would be,
        // and the later start is told that nothing was taken.
        const QString missing = ui->dir.file(QStringLiteral("docs/missing.pdf"));
        QVERIFY(!FmMain->AddFilesFromOutside({missing}));
        QCOMPARE(ui->statusMessage(), QStringLiteral("File [%1] not found!").arg(missing));
        QVERIFY(logTexts(ui->dir.file(QStringLiteral("ordvnact.log"))).contains(QStringLiteral("Add file failed: not found (%1)").arg(missing)));
        QTest::qWait(50);
        QCOMPARE(ui->jobs().count(), 1);
    }

    void addFileWithTheOpenDialog()
    {
        FmMain->AddOneFile(QStringLiteral("/d/earlier.pdf"));
        ui->dialogs.answerFiles({QStringLiteral("/d/x.pdf"), QStringLiteral("/d/y.pdf"), QStringLiteral("/d/earlier.pdf")});
        QTest::mouseClick(ui->control<QToolButton>(QStringLiteral("BtnAddFile")), Qt::LeftButton);
        QCOMPARE(ui->jobs().count(), 3);
        QCOMPARE(ui->statusCount(), QStringLiteral("3 File(s)"));
        QCOMPARE(ui->jobs().selectedCount(), 2); // the selection was cleared first
        QCOMPARE(ui->statusMessage(), QStringLiteral("File [/d/earlier.pdf] already added!"));
        // Cancelling the dialog changes nothing.
        ui->press(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(ui->jobs().count(), 3);
    }

    void promptForAnExistingTarget()
    {
        Settings.fileovertp = 2;
        FmMain->AddOneFile(pdf(QStringLiteral("p.pdf")));
        QDir().mkpath(ui->dir.file(QStringLiteral("out")));
        QFile(ui->dir.file(QStringLiteral("out/p.txt"))).open(QIODevice::WriteOnly);
        QString shownTarget;
        MainWindowFixture::whenModal([&](QWidget *modal) {
            QCOMPARE(modal, FmFileOverTp);
            shownTarget = FmFileOverTp->LblFileName->text();
            QTest::mouseClick(FmFileOverTp->BtnAutoRename, Qt::LeftButton);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QCOMPARE(shownTarget, ui->dir.file(QStringLiteral("out/p.txt")));
        QCOMPARE(ui->jobs().text(0, JobList::Target), ui->dir.file(QStringLiteral("out/p(1).txt")));

        // A long name in the progress window loses its middle: the window keeps its size and
        // the name stops before the counter.
        const QString longName = QString::fromUtf8("Jahresbericht \xC3\x9C" "bersicht ").repeated(6) + QStringLiteral("Ende.pdf");
        FmMain->AddOneFile(pdf(longName));
        QFile(ui->dir.file(QStringLiteral("out/") + longName.chopped(4) + QStringLiteral(".txt"))).open(QIODevice::WriteOnly);
        const QSize before = FmCancelCvt->size();
        QSize during;
        bool apart = false;
        MainWindowFixture::whenModal([&](QWidget *) {
            during = FmCancelCvt->size();
            const QRect path = FmCancelCvt->LblFileName->geometry(), counter = FmCancelCvt->LblSub->geometry();
            const int blank = FmCancelCvt->fontMetrics().horizontalAdvance(u' ');
            apart = FmCancelCvt->LblFileName->toolTip().endsWith(longName) && counter.left() - path.right() - 1 >= blank;
            QTest::mouseClick(FmFileOverTp->BtnCancel, Qt::LeftButton);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QCOMPARE(during, before);
        QVERIFY(apart);

        // "Do the same for the remaining files": one answer for the rest of the run, and only
        // for that run.
        FmMain->jobList().SelectAllEntries();
        FmMain->DeleteSelectedEntries();
        for (const char *name : {"q1", "q2", "q3"}) {
            FmMain->AddOneFile(pdf(QLatin1String(name) + QStringLiteral(".pdf")));
            QFile(ui->dir.file(QStringLiteral("out/%1.txt").arg(QLatin1String(name)))).open(QIODevice::WriteOnly);
        }
        int prompts = 0;
        bool unticked = true;
        QTimer watch; // answers every prompt, and ends with the test
        connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != FmFileOverTp)
                return;
            unticked = unticked && !FmFileOverTp->CBSameForRest->isChecked();
            if (++prompts == 1)
                QTest::mouseClick(FmFileOverTp->CBSameForRest, Qt::LeftButton);
            QTest::mouseClick(prompts == 1 ? FmFileOverTp->BtnOverwrite : FmFileOverTp->FlatSpeedButton1, Qt::LeftButton);
        });
        watch.start(10);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QCOMPARE(prompts, 1);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(ui->jobs().text(row, JobList::Target), ui->dir.file(QStringLiteral("out/q%1.txt").arg(row + 1)));
            QVERIFY(QFileInfo(ui->jobs().text(row, JobList::Target)).size() > 0);
        }
        QCOMPARE(ui->statusMessage(), QStringLiteral("Conversion ended: 3 converted, 0 failed."));
        FmMain->jobList().SelectAllEntries();
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActReConvert")));
        ui->untilIdle();
        QCOMPARE(prompts, 2);
        QVERIFY(unticked);
        QCOMPARE(ui->statusMessage(), QStringLiteral("Conversion ended: 0 converted, 0 failed, 3 left waiting (run stopped)."));
    }

    // Two PDFs of one name from two folders keep a text each, with no prompt: the name one
    // takes is not an existing target for the other. Replace if older then leaves both.
    void sameNamesKeepTheirOwnTexts()
    {
        Settings.fileovertp = 4;
        const auto write = [&](const QString &name, const char *words) {
            const QString path = ui->dir.file(name);
            QDir().mkpath(FileSystem::folderOf(path));
            testpdf::writeFile(FileSystem::encodePath(path).toStdString(), testpdf::makePdf({testpdf::linesPage({words})}));
            return path;
        };
        FmMain->AddOneFile(write(QStringLiteral("a/report.pdf"), "alpha words"));
        FmMain->AddOneFile(write(QStringLiteral("b/report.pdf"), "beta words"));
        bool prompted = false;
        QTimer watch; // ends with the test
        connect(&watch, &QTimer::timeout, [&prompted] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                prompted = true;
                modal->close();
            }
        });
        watch.start(10);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QVERIFY(!prompted);
        QVERIFY(ui->dir.read(QStringLiteral("out/report.txt")).contains("alpha words"));
        QVERIFY(ui->dir.read(QStringLiteral("out/report(1).txt")).contains("beta words"));
        QCOMPARE(ui->statusMessage(), QStringLiteral("Conversion ended: 2 converted, 0 failed."));
        FmMain->SelectAllEntries();
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActReConvert")));
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(1).outcome.shownText(), QStringLiteral("Target file is up to date"));
        QCOMPARE(ui->jobs().text(1, JobList::Target), ui->dir.file(QStringLiteral("out/report(1).txt")));
        QCOMPARE(ui->statusMessage(), QStringLiteral("Conversion ended: 0 converted, 2 skipped, 0 failed."));
    }

    // Files that need a password: the command of the context menu and its key ask for it in a
    // masked dialog and convert at once. A wrong password says so and asks again, one
    // password is tried on all selected files that need one, and Cancel leaves the rest as
    // they were. Without a keyring nothing offers to remember; no password reaches the
    // clipboard, the log, the job file or the settings.
    void lockedFilesOpenWithTheirPassword()
    {
        const QString a = lockedPdf(QStringLiteral("a.pdf"), "alpha-7q");
        const QString b = ui->dir.file(QStringLiteral("docs/b.pdf"));
        encryptPdf(pdf(QStringLiteral("plain.pdf")), b, {QStringLiteral("beta-7q"), QStringLiteral("beta-owner-7q")});
        for (const QString &file : {a, b, pdf(QStringLiteral("c.pdf"))})
            FmMain->AddOneFile(file);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(0).outcome.shownText(), QStringLiteral("Password required"));
        QCOMPARE(ui->jobs().entry(1).outcome.shownText(), QStringLiteral("Password required"));
        QCOMPARE(ui->jobs().entry(2).state, JobList::Converted);
        FmMain->SelectAllEntries();
        FmMain->ActionMainMenuBar1Paint();
        QVERIFY(ui->action(QStringLiteral("ActPassword"))->isEnabled());
        QVERIFY(ui->control<QMenu>(QStringLiteral("PopupMenu1"))->actions().contains(ui->action(QStringLiteral("ActPassword"))));

        // Each step waits for the password dialog itself: the progress window comes between.
        QStringList prompts;
        QList<bool> saidWrong;
        QTimer watch; // polls for the dialog, and ends with the test
        int step = 0;
        bool masked = true; // and neither copied nor offered to be remembered
        connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != FmPassword || step > 2)
                return;
            // Checks are kept for after: a failed one here would leave the dialog open.
            prompts << FmPassword->LblPrompt->text();
            saidWrong << FmPassword->LblWrong->isVisible();
            masked = masked && FmPassword->EditPassword->echoMode() == QLineEdit::Password && !FmPassword->CBRemember->isVisible();
            if (step++ == 2) {
                QTest::mouseClick(FmPassword->BtnCancel, Qt::LeftButton);
                return;
            }
            QTest::keyClicks(FmPassword->EditPassword, step == 1 ? QStringLiteral("wrong-7q") : QStringLiteral("beta-7q"));
            QTest::keyClick(FmPassword->EditPassword, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(FmPassword->EditPassword, Qt::Key_C, Qt::ControlModifier);
            masked = masked && !QGuiApplication::clipboard()->text().contains(QStringLiteral("7q"));
            QTest::keyClick(FmPassword->EditPassword, Qt::Key_Return);
        });
        watch.start(10);
        ui->press(Qt::Key_P, Qt::ControlModifier);
        ui->untilIdle();
        QCOMPARE(prompts, (QStringList{QStringLiteral("Password of the 2 selected files:"), QStringLiteral("Password of the 2 selected files:"),
                                      QStringLiteral("Password of a.pdf:")}));
        QCOMPARE(saidWrong, (QList<bool>{false, true, true}));
        QVERIFY(masked);
        QCOMPARE(ui->jobs().entry(0).outcome.shownText(), QStringLiteral("Password required"));
        QCOMPARE(ui->jobs().entry(1).state, JobList::Converted);
        QVERIFY(QFile(ui->jobs().text(1, JobList::Target)).size() > 0);
        QCOMPARE(ui->jobs().selectedCount(), 3); // the user's selection, as it was

        // A run that cannot write its first log line ends the flow: the password is not kept,
        // nothing more is asked, and the selection is the user's again.
        const QString log = ui->dir.file(QStringLiteral("ordvnact.log"));
        QFile::remove(log);
        QVERIFY(QDir().mkdir(log));
        int asked = 0;
        connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != FmPassword || step <= 2)
                return;
            QTest::keyClicks(FmPassword->EditPassword, ++asked == 1 ? QStringLiteral("alpha-7q") : QString());
            QTest::mouseClick(asked == 1 ? FmPassword->BtnOK : FmPassword->BtnCancel, Qt::LeftButton);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActPassword")));
        ui->untilIdle();
        QVERIFY(QDir().rmdir(log));
        QCOMPARE(asked, 1);
        QCOMPARE(ui->dialogs.messages.size(), 1);
        QVERIFY(ui->dialogs.messages[0].contains(log));
        QCOMPARE(ui->jobs().selectedCount(), 3);
        clickRow(0);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActReConvert")));
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(0).outcome.shownText(), QStringLiteral("Password required"));
        watch.stop();

        // The other file with its own password; the one given before is still tried.
        clickRow(0);
        MainWindowFixture::whenModal([](QWidget *modal) {
            if (modal != FmPassword) {
                modal->close(); // the checks after the command then fail
                return;
            }
            QTest::keyClicks(FmPassword->EditPassword, QStringLiteral("alpha-7q"));
            QTest::mouseClick(FmPassword->BtnOK, Qt::LeftButton);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActPassword")));
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(0).state, JobList::Converted);
        FmMain->ActionMainMenuBar1Paint();
        QVERIFY(!ui->action(QStringLiteral("ActPassword"))->isEnabled());

        // A file that opens without a password but forbids copying: its owner's password
        // lifts that.
        testpdf::Options noCopy;
        noCopy.ownerPassword = "delta-owner-7q";
        noCopy.allowCopy = false;
        FmMain->AddOneFile(pdf(QStringLiteral("d.pdf"), noCopy));
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QCOMPARE(ui->jobs().text(3, JobList::Message), QStringLiteral("Extracting text from source file not allowed"));
        clickRow(3);
        FmMain->ActionMainMenuBar1Paint();
        QVERIFY(ui->action(QStringLiteral("ActPassword"))->isEnabled());
        MainWindowFixture::whenModal([](QWidget *modal) {
            if (modal != FmPassword) {
                modal->close();
                return;
            }
            QTest::keyClicks(FmPassword->EditPassword, QStringLiteral("delta-owner-7q"));
            QTest::mouseClick(FmPassword->BtnOK, Qt::LeftButton);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActPassword")));
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(3).state, JobList::Converted);

        // A password beyond ASCII, typed, opens files of the older encryption (RC4) too.
        const QString umlauts = QStringLiteral("Schl\u00fcssel-7q");
        for (const char *bits : {"128", "aes128"}) {
            const QString locked = ui->dir.file(QStringLiteral("docs/u%1.pdf").arg(QLatin1String(bits)));
            encryptPdf(pdf(QStringLiteral("plain.pdf")), locked, {umlauts, QStringLiteral("o"), QLatin1String(bits)});
            FmMain->AddOneFile(locked);
        }
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        FmMain->jobList().clearSelection();
        FmMain->jobList().setSelected(4, true);
        FmMain->jobList().setSelected(5, true);
        MainWindowFixture::whenModal([&umlauts](QWidget *modal) {
            if (modal != FmPassword) {
                modal->close();
                return;
            }
            for (const QChar c : umlauts) // typed as a keyboard gives letters beyond ASCII
                QTest::sendKeyEvent(QTest::Click, FmPassword->EditPassword, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::mouseClick(FmPassword->BtnOK, Qt::LeftButton);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActPassword")));
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(4).state, JobList::Converted);
        QCOMPARE(ui->jobs().entry(5).state, JobList::Converted);

        FmMain->SaveJobFile(ui->dir.file(QStringLiteral("jobs.lst")));
        QVERIFY(SaveSettings());
        QStringList checked;
        for (const QString &file : QDir(ui->dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            if (QFileInfo(ui->dir.file(file)).isSymLink())
                continue; // the program's own files, linked in from the build
            checked << file;
            QFile f(ui->dir.file(file));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray raw = f.readAll();
            const QByteArray bytes = raw + QString::fromUtf16(reinterpret_cast<const char16_t *>(raw.constData()), raw.size() / 2).toUtf8();
            QVERIFY2(!bytes.contains("7q"), qPrintable(file));
        }
        QVERIFY2(checked.contains(QStringLiteral("ordvnact.log")) && checked.contains(QStringLiteral("jobs.lst")) && checked.size() >= 3,
                 qPrintable(checked.join(u' ')));
    }

    // Where the desktop has a keyring, the dialog offers to remember the password there; in a
    // later session the command opens the file with it without asking.
    void rememberedPasswordsComeFromTheKeyring()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon"));
        QVERIFY2(!daemon.isEmpty(), "gnome-keyring-daemon is needed for a real keyring");
        QProcess keyring;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
            QDir().mkpath(ui->dir.file(QStringLiteral("keyring/") + QLatin1String(name)));
            environment.insert(QLatin1String(name), ui->dir.file(QStringLiteral("keyring/") + QLatin1String(name)));
        }
        keyring.setProcessEnvironment(environment);
        keyring.start(daemon, {QStringLiteral("--foreground"), QStringLiteral("--components=secrets"), QStringLiteral("--unlock")});
        keyring.write("unlock-it");
        keyring.closeWriteChannel();
        const auto stop = qScopeGuard([&keyring] { keyring.terminate(); keyring.waitForFinished(); });
        QTRY_VERIFY_WITH_TIMEOUT(Keyring::available(), 20000);

        // What the keyring holds under a key, once it has answered.
        const auto kept = [](const QString &key) {
            Keyring::Lookup lookup({key}, 20000);
            QSignalSpy answered(&lookup, &Keyring::Lookup::finished);
            answered.wait(25000);
            return answered.isEmpty() ? QByteArray() : answered.first().first().value<QHash<QString, QByteArray>>().value(key);
        };
        const QString g = lockedPdf(QStringLiteral("g.pdf"), "gamma-7q");
        FmMain->AddOneFile(g);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QVERIFY(ui->jobs().needsPassword(0));
        bool offered = false;
        MainWindowFixture::whenModal([&offered](QWidget *modal) {
            if (modal != FmPassword) {
                modal->close(); // the checks after the command then fail
                return;
            }
            offered = FmPassword->CBRemember->isVisible();
            QTest::keyClicks(FmPassword->EditPassword, QStringLiteral("gamma-7q"));
            FmPassword->CBRemember->setChecked(true);
            QTest::mouseClick(FmPassword->BtnOK, Qt::LeftButton);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActPassword")));
        ui->untilIdle();
        QTRY_VERIFY_WITH_TIMEOUT(offered, 10000);
        QTRY_COMPARE(ui->jobs().entry(0).state, JobList::Converted);
        // Kept under a digest: the store's attributes name no path.
        QTRY_COMPARE_WITH_TIMEOUT(kept(Keyring::keyOf(g)), QByteArray("gamma-7q"), 10000);
        QVERIFY(!Keyring::keyOf(g).contains(QStringLiteral("g.pdf")));

        // The next session knows no password of its own: the keyring gives it, without asking;
        // one an earlier version kept under the path goes under the digest.
        const QString h = lockedPdf(QStringLiteral("h.pdf"), "eta-7q");
        bool stored = false;
        Keyring::storeLater(Keyring::legacyKeyOf(h), "eta-7q", this, [&stored](bool ok) { stored = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(stored, 10000);
        ui->stop();
        ui->start();
        FmMain->AddOneFile(h);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        ui->jobs().SelectAllEntries();
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActReConvert")));
        ui->untilIdle();
        QVERIFY(ui->jobs().needsPassword(0) && ui->jobs().needsPassword(1));
        bool asked = false;
        QTimer watch; // ends with the test, unlike a pending answer
        connect(&watch, &QTimer::timeout, [&asked] {
            if (QApplication::activeModalWidget() == FmPassword) {
                asked = true;
                FmPassword->reject();
            }
        });
        watch.start(10);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActPassword")));
        ui->untilIdle();
        QTRY_VERIFY_WITH_TIMEOUT(ui->jobs().entry(0).state == JobList::Converted && ui->jobs().entry(1).state == JobList::Converted, 10000);
        QVERIFY(!asked);
        QTRY_COMPARE_WITH_TIMEOUT(kept(Keyring::keyOf(h)), QByteArray("eta-7q"), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(kept(Keyring::legacyKeyOf(h)), QByteArray(), 10000);

        // A keyring that does not answer holds nothing up: the window takes its keys meanwhile,
        // the dialog asks after a few seconds, and at once on Esc.
        FmMain->AddOneFile(lockedPdf(QStringLiteral("i.pdf"), "iota-7q"));
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QVERIFY(ui->jobs().needsPassword(2));
        QCOMPARE(kill(pid_t(keyring.processId()), SIGSTOP), 0);
        const auto resume = qScopeGuard([&keyring] { kill(pid_t(keyring.processId()), SIGCONT); });
        QElapsedTimer waited;
        for (const bool escape : {false, true}) {
            QTRY_VERIFY(!FmPassword->isVisible());
            FmMain->activateWindow(); // the password dialog has gone: the keys are the window's again
            QTRY_COMPARE(QApplication::activeWindow(), FmMain);
            clickRow(2);
            asked = false;
            waited.start();
            ui->press(Qt::Key_P, Qt::ControlModifier);
            QVERIFY(!asked);
            QVERIFY2(ui->statusMessage().startsWith(QStringLiteral("Asking the keyring")), qPrintable(ui->statusMessage()));
            ui->press(Qt::Key_A, Qt::ControlModifier); // Select All, while the keyring is asked
            QCOMPARE(ui->jobs().selectedCount(), 3);
            if (escape)
                ui->press(Qt::Key_Escape);
            QTRY_VERIFY_WITH_TIMEOUT(asked, 15000);
            QVERIFY(waited.elapsed() < (escape ? 2000 : 12000));
            QVERIFY(ui->jobs().needsPassword(2));
        }
    }

    void closingDuringARunCancelsItThenCloses()
    {
        Settings.fileovertp = 2;
        QDir().mkpath(ui->dir.file(QStringLiteral("out")));
        for (const char *name : {"q1", "q2"}) {
            FmMain->AddOneFile(pdf(QLatin1String(name) + QStringLiteral(".pdf")));
            QFile(ui->dir.file(QStringLiteral("out/") + QLatin1String(name) + QStringLiteral(".txt"))).open(QIODevice::WriteOnly);
        }
        MainWindowFixture::whenModal([&](QWidget *) {
            FmMain->close(); // Exit while the run waits in the prompt
            QVERIFY(FmMain->isVisible());
            QTest::mouseClick(FmFileOverTp->BtnOverwrite, Qt::LeftButton);
        });
        ui->press(Qt::Key_G, Qt::ControlModifier);
        ui->untilIdle();
        // The file in hand is recorded when its text was ready, else abandoned unchanged.
        QVERIFY(ui->jobs().entry(0).state != JobList::Failed);
        QCOMPARE(ui->jobs().entry(1).state, qint32(JobList::Waiting)); // cancelled before it
        QTRY_VERIFY(!FmMain->isVisible());
    }

    void commandsRefusedDuringARun()
    {
        Settings.fileovertp = 2;
        FmMain->AddOneFile(pdf(QStringLiteral("r.pdf")));
        QDir().mkpath(ui->dir.file(QStringLiteral("out")));
        QFile(ui->dir.file(QStringLiteral("out/r.txt"))).open(QIODevice::WriteOnly);
        bool refused = false;
        MainWindowFixture::whenModal([&](QWidget *) {
            FmMain->AddOneFile(QStringLiteral("/d/during.pdf"));   // the list itself still takes it ...
            FmMain->MenuItemClick(ui->action(QStringLiteral("ActDelete"))); // ... but commands do not run
            FmMain->jobList().SelectAllEntries();
            FmMain->MenuItemClick(ui->action(QStringLiteral("ActDelete")));
            refused = FmMain->jobList().count() == 2 && !ui->control<QAbstractButton>(QStringLiteral("BtnConvert"))->isEnabled();
            QTest::mouseClick(FmFileOverTp->FlatSpeedButton1, Qt::LeftButton); // stop
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        QVERIFY(refused);
        QVERIFY(ui->control<QAbstractButton>(QStringLiteral("BtnConvert"))->isEnabled());
    }

    // Scans are read with recognition on, the progress window says which page, and the status
    // bar counts the files that gave no text all the same.
    void scannedFilesAndFilesWithoutText()
    {
        const auto write = [&](const QString &name, const std::vector<testpdf::Page> &pages) {
            const QString path = ui->dir.file(name);
            testpdf::writeFile(FileSystem::encodePath(path).toStdString(), testpdf::makePdf(pages));
            FmMain->AddOneFile(path);
        };
        write(QStringLiteral("typed.pdf"), {testpdf::linesPage({"typed text"})});
        write(QStringLiteral("scan.pdf"), testpdf::scannedPages(testpdf::makePdf({testpdf::linesPage({"Harbour committee minutes"}, 16)})));
        write(QStringLiteral("blank.pdf"), testpdf::scannedPages(testpdf::makePdf({testpdf::Page()})));
        Settings.ocr = true;
        Settings.ocrlang = QStringLiteral("eng");
        Settings.fileovertp = 1;
        QStringList shown;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (!FmCancelCvt->LblRecognising->text().isEmpty() && !shown.contains(FmCancelCvt->LblRecognising->text()))
                shown << FmCancelCvt->LblRecognising->text();
        });
        watch.start(2);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
        ui->untilIdle();
        watch.stop();
        QCOMPARE(shown, QStringList{QStringLiteral("Recognising page 1 of 1")});
        QVERIFY(ui->dir.read(QStringLiteral("out/scan.txt")).contains("Harbour committee minutes"));
        QCOMPARE(ui->dir.read(QStringLiteral("out/blank.txt")), QByteArray());
        QCOMPARE(ui->jobs().text(2, JobList::Message), QStringLiteral("Convert successfully"));
        QCOMPARE(ui->statusMessage(), QStringLiteral("Conversion ended: 3 converted, 0 failed. 1 converted file(s) gave no text."));
        // Which one: its State cell says so, and so does the log.
        const auto tip = [&](int row) { return ui->model().index(row, JobListModel::ColumnState).data(Qt::ToolTipRole).toString(); };
        QCOMPARE(tip(0), QString());
        QCOMPARE(tip(2), QStringLiteral("Converted, but the file gave no text"));
        QCOMPARE(ui->model().index(2, JobListModel::ColumnState).data(Qt::AccessibleTextRole).toString(), QStringLiteral("Converted, no text"));
        const QStringList log = logTexts(ui->dir.file(QStringLiteral("ordvnact.log")));
        QVERIFY(log.contains(QStringLiteral("Converted file gave no text (") + ui->dir.file(QStringLiteral("blank.pdf")) + u')'));
        QVERIFY(!log.contains(QStringLiteral("Converted file gave no text (") + ui->dir.file(QStringLiteral("scan.pdf")) + u')'));

        Settings.ocr = false;
        Settings.pagebreak = true; // a form feed alone is no text either
        FmMain->jobList().SelectAllEntries();
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActReConvert")));
        ui->untilIdle();
        QCOMPARE(ui->dir.read(QStringLiteral("out/scan.txt")), QByteArray("\f"));
        QCOMPARE(ui->statusMessage(), QStringLiteral("Conversion ended: 3 converted, 0 failed. 2 converted file(s) gave no text. To read "
                                                     "scanned pages, turn on recognition on the Special page of Options."));
        QCOMPARE(tip(1), QStringLiteral("Converted, but the file gave no text"));
        QCOMPARE(tip(0), QString());
        // The job file keeps its format: the finding is gone after a restart.
        ui->stop();
        ui->start();
        QCOMPARE(tip(2), QString());
        QCOMPARE(ui->jobs().entry(2).state, qint32(JobList::Converted));
    }

    // Cancel, Escape and closing the progress window stop a run alike: at once, even in the
    // middle of a page's recognition, with the window saying so at once, and the entry as it
    // was before.
    void everyWayToCancelStopsAtOnce()
    {
        const QString path = ui->dir.file(QStringLiteral("scans.pdf"));
        std::vector<testpdf::Page> pages;
        for (int i = 0; i < 6; ++i)
            pages.push_back(testpdf::scannedPages(testpdf::makePdf({testpdf::linesPage({"Harbour committee minutes of the year"}, 16)})).at(0));
        testpdf::writeFile(FileSystem::encodePath(path).toStdString(), testpdf::makePdf(pages));
        FmMain->AddOneFile(path);
        Settings.ocr = true;
        Settings.ocrlang = QStringLiteral("eng");
        const std::function<void()> ways[] = {
            [] { QTest::mouseClick(FmCancelCvt->BtnCancel, Qt::LeftButton); },
            [] { QTest::keyClick(FmCancelCvt, Qt::Key_Escape); },
            [] { FmCancelCvt->windowHandle()->close(); }, // as the window manager closes it
        };
        QSignalSpy cancelled(FmCancelCvt, &TFmCancelCvt::cancelRequested);
        for (const std::function<void()> &cancel : ways) {
            QElapsedTimer sinceCancel;
            QString shown, counter;
            QTimer watch;
            connect(&watch, &QTimer::timeout, [&] {
                if (!sinceCancel.isValid() && FmCancelCvt->LblRecognising->text().startsWith(QStringLiteral("Recognising page"))) {
                    counter = FmCancelCvt->LblSub->text() + FmCancelCvt->LblTot->text();
                    cancel();
                    sinceCancel.start();
                    shown = FmCancelCvt->isVisible() ? FmCancelCvt->LblRecognising->text() : QStringLiteral("(closed)");
                }
            });
            watch.start(5);
            FmMain->MenuItemClick(ui->action(QStringLiteral("ActConvertAll")));
            ui->untilIdle();
            watch.stop();
            QVERIFY(sinceCancel.isValid());
            QVERIFY2(sinceCancel.elapsed() < 3000, qPrintable(QString::number(sinceCancel.elapsed())));
            QCOMPARE(shown, QStringLiteral("Stopping..."));
            QCOMPARE(counter, QStringLiteral("1/1"));
            QVERIFY(!FmCancelCvt->BtnCancel->isEnabled() || !FmCancelCvt->isVisible());
            QCOMPARE(ui->jobs().entry(0).state, qint32(JobList::Waiting));
            QVERIFY(!QFileInfo::exists(ui->dir.file(QStringLiteral("out/scans.txt"))));
        }
        QCOMPARE(cancelled.size(), 3);
        Settings.ocr = false;
    }

    void launchAndExplore()
    {
        OpenedUrls opened;
        const QString existing = pdf(QStringLiteral("s.pdf"));
        FmMain->AddOneFile(QStringLiteral("/d/first.pdf"));
        FmMain->AddOneFile(existing);
        ui->jobs().SelectAllEntries();
        // The topmost selected row; its file is not there, which the window says.
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActLaunchSource")));
        QCOMPARE(ui->statusMessage(), QStringLiteral("File not found: /d/first.pdf"));
        QVERIFY(logTexts(ui->dir.file(QStringLiteral("ordvnact.log"))).contains(QStringLiteral("File not found (/d/first.pdf)")));
        QVERIFY(opened.urls.isEmpty());
        ui->jobs().setSelected(0, false);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActLaunchSource")));
        QCOMPARE(opened.urls.size(), 1);
        QCOMPARE(opened.urls[0].toLocalFile(), existing);
        // No file manager on the bus here: the folder opens instead.
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActExploreSource")));
        QTRY_COMPARE(opened.urls.size(), 2);
        QCOMPARE(opened.urls[1].toLocalFile(), ui->dir.file(QStringLiteral("docs")));
        // The target was never written, and its folder never made: that folder is opened all
        // the same, and the window says the file is not there.
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActExploreTarget")));
        QTRY_COMPARE(opened.urls.size(), 3);
        QCOMPARE(opened.urls[2].toLocalFile(), ui->dir.file(QStringLiteral("out")));
        QCOMPARE(ui->statusMessage(), QStringLiteral("File not found: ") + ui->dir.file(QStringLiteral("out/s.txt")));
    }

    // A desktop with no program to open a file, and no file manager: the window says so.
    void launchWithNoProgramToOpen()
    {
        const QString existing = pdf(QStringLiteral("s.pdf"));
        FmMain->AddOneFile(existing);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", ui->dir.path().toUtf8()); // no xdg-open, nor any opener
        const auto back = qScopeGuard([&path] { qputenv("PATH", path); });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActLaunchSource")));
        QCOMPARE(ui->statusMessage(), QStringLiteral("No program to open ") + existing);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActExploreSource")));
        QTRY_COMPARE(ui->statusMessage(), QStringLiteral("No file manager to show ") + existing);
        const QStringList log = logTexts(ui->dir.file(QStringLiteral("ordvnact.log")));
        QVERIFY(log.contains(QStringLiteral("No program to open the file (") + existing + u')'));
        QVERIFY(log.contains(QStringLiteral("No file manager to show the file (") + existing + u')'));
    }

    void exploreAsksTheFileManagerOnAPrivateBus()
    {
        // The tests run on a bus of their own: no service of the user's desktop is on it.
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("file-manager"));
        const auto disconnect = qScopeGuard([] { QDBusConnection::disconnectFromBus(QStringLiteral("file-manager")); });
        QVERIFY2(bus.isConnected(), "tests need the private session bus that CTest starts for them");
        for (const QString &name : bus.interface()->registeredServiceNames().value())
            QVERIFY2(name.startsWith(u':') || name == QStringLiteral("org.freedesktop.DBus"), qPrintable(name));
        FakeFileManager fileManager;
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fileManager, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));

        OpenedUrls opened;
        const QString existing = pdf(QStringLiteral("shown.pdf"));
        FmMain->AddOneFile(existing);
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActExploreSource")));
        QTRY_COMPARE(fileManager.shown, QStringList{QString::fromLatin1(Desktop::fileUrl(existing).toEncoded())});
        QVERIFY(opened.urls.isEmpty()); // the folder alone is not opened as well
    }

    void f1OpensTheHelp()
    {
        OpenedUrls opened;
        ui->press(Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(opened.urls.size(), 1);
        QVERIFY(opened.urls[0].toLocalFile().endsWith(QStringLiteral("/Ordvane.help/index.html")));
    }

    void hintsGoToTheMessagePanel()
    {
        auto *button = ui->control<QToolButton>(QStringLiteral("BtnAddFile"));
        QStatusTipEvent tip(button->statusTip());
        QApplication::sendEvent(button, &tip); // what hovering the button sends
        QCOMPARE(ui->statusMessage(), QStringLiteral("Add file(s) by selecting file(s)"));
        // A screen reader hears what the message panel says, and the hint as the description.
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(FmMain->statusBar());
        QCOMPARE(bar->text(QAccessible::Description), QStringLiteral("Add file(s) by selecting file(s)"));
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description), button->statusTip());
        QVERIFY(ui->control<QLabel>(QStringLiteral("StatusCount"))->isVisible());
    }

    // Also run with the desktop scaled to twice the size (see the test list).
    void aboutBoxAnimates()
    {
        int before = -1, after = -1;
        MainWindowFixture::whenModal([&](QWidget *modal) {
            QCOMPARE(modal, FmAbout);
            QCOMPARE(FmAbout->windowTitle(), QStringLiteral("About KV-Ordvane"));
            // Wide enough for its caption beside the title bar's buttons.
            QFont titleFont = FmAbout->font();
            titleFont.setBold(true);
            QVERIFY(FmAbout->width() >= QFontMetrics(titleFont).horizontalAdvance(FmAbout->windowTitle())
                                            + 3 * 2 * FmAbout->fontMetrics().height());
            before = FmAbout->frame();
            QTest::qWait(900);
            after = FmAbout->frame();
            // The whole frame is shown, however the screen is scaled.
            const QPixmap shown = FmAbout->findChild<QLabel *>(QStringLiteral("Animation"))->pixmap();
            QCOMPARE(shown.deviceIndependentSize(), QSizeF(32, 32));
            const QImage seen = shown.toImage().scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_ARGB32);
            const QImage frame = Images::aboutFrame(after, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
            qint64 difference = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const QRgb a = seen.pixel(x, y), b = frame.pixel(x, y);
                    difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b))
                                  + std::abs(qAlpha(a) - qAlpha(b));
                }
            QVERIFY2(difference / (32 * 32) < 40, qPrintable(QString::number(difference / (32 * 32))));
            QTest::mouseClick(FmAbout->findChild<QPushButton *>(QStringLiteral("BtnOK")), Qt::LeftButton);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActAbout")));
        QVERIFY(after != before);
    }

    // A job file that cannot be read in full is kept, and the window says where, in a message
    // that loses its middle rather than the name of the kept file, and in the log.
    void damagedJobFileIsKept()
    {
        ui->stop();
        ui->dir.write(QStringLiteral("Ordvane.job"), "LFW\x05\x00garbage");
        ui->start();
        QCOMPARE(ui->jobs().count(), 0);
        QCOMPARE(ui->dir.read(QStringLiteral("Ordvane.job.bak")), QByteArray("LFW\x05\x00garbage"));
        // Named in the message panel, whole in its tool tip, and in the log.
        auto *panel = ui->control<QLabel>(QStringLiteral("StatusMessage"));
        QVERIFY2(panel->toolTip().startsWith(QStringLiteral("The job file could not be read in full")), qPrintable(panel->toolTip()));
        QVERIFY(panel->toolTip().endsWith(ui->dir.file(QStringLiteral("Ordvane.job.bak"))));
        QVERIFY(panel->sizeHint().width() < FmMain->width());
        QVERIFY(!logTexts(ui->dir.file(QStringLiteral("ordvnact.log"))).filter(QStringLiteral("Job file could not be read in full")).isEmpty());
        QTest::qWait(120);
        QVERIFY(ui->statusMessage().contains(QStringLiteral("Ordvane.job.bak")));
        FmMain->AddOneFile(QStringLiteral("/d/new.pdf"));
        ui->stop(); // a valid file replaces it
        QVERIFY(ui->dir.read(QStringLiteral("Ordvane.job")).startsWith(QByteArray("LFW\x01\x00", 5)));
        // A second damaged file keeps the first backup and gets a name of its own.
        ui->dir.write(QStringLiteral("Ordvane.job"), "LFW\x00\x00more");
        ui->start();
        QCOMPARE(ui->dir.read(QStringLiteral("Ordvane.job.bak")), QByteArray("LFW\x05\x00garbage"));
        QCOMPARE(ui->dir.read(QStringLiteral("Ordvane.job.1.bak")), QByteArray("LFW\x00\x00more"));
        QVERIFY(ui->statusMessage().contains(QStringLiteral("Ordvane.job.1.bak")));
    }

    // A log line that cannot be written ends the run with its error, and the progress window
    // goes with it.
    void logFailureClosesTheProgressWindow()
    {
        for (int i = 0; i < 4; ++i)
            FmMain->AddOneFile(pdf(QStringLiteral("g%1.pdf").arg(i)));
        QTimer::singleShot(0, [&] { // runs inside the run, once it waits for its first file
            QVERIFY(FmCancelCvt->isVisible());
            QFile::remove(ui->dir.file(QStringLiteral("ordvnact.log")));
            QDir(ui->dir.path()).mkdir(QStringLiteral("ordvnact.log"));
        });
        ui->action(QStringLiteral("ActConvertAll"))->trigger();
        ui->untilIdle();
        QCOMPARE(ui->dialogs.messages.size(), 1);
        QVERIFY(ui->dialogs.messages[0].contains(ui->dir.file(QStringLiteral("ordvnact.log"))));
        QVERIFY(!FmCancelCvt->isVisible());
        QVERIFY(ui->control<QAbstractButton>(QStringLiteral("BtnConvert"))->isEnabled());
        QDir(ui->dir.path()).rmdir(QStringLiteral("ordvnact.log"));
    }

    // Exit with a job list that cannot be saved (a full disk, say) asks first: Cancel keeps the
    // window open with every entry, Retry saves once there is room, and exiting without saving
    // is the user's choice, said once.
    void exitWhenTheJobListCannotBeSaved()
    {
        FmMain->AddOneFile(QStringLiteral("/d/y.pdf"));
        QDir(ui->dir.path()).mkdir(QStringLiteral("Ordvane.job")); // a folder in its place
        ui->action(QStringLiteral("ActExit"))->trigger();
        QCOMPARE(ui->dialogs.messages.size(), 1);
        QVERIFY(ui->dialogs.messages[0].contains(QStringLiteral("could not be saved")));
        QVERIFY(FmMain->isVisible());
        QCOMPARE(ui->jobs().count(), 1);

        ui->dialogs.answerDecision(Dialogs::Decision::Ignore);
        ui->action(QStringLiteral("ActExit"))->trigger();
        QVERIFY(!FmMain->isVisible());
        ui->stop();
        QCOMPARE(ui->dialogs.messages.size(), 2);
        QDir(ui->dir.path()).rmdir(QStringLiteral("Ordvane.job"));
        ui->start();
        QCOMPARE(ui->jobs().count(), 0);

        FmMain->AddOneFile(QStringLiteral("/d/z.pdf"));
        QDir(ui->dir.path()).mkdir(QStringLiteral("Ordvane.job"));
        ui->dialogs.answerDecision(Dialogs::Decision::Retry); // and then Cancel: still no room
        ui->action(QStringLiteral("ActExit"))->trigger();
        QCOMPARE(ui->dialogs.messages.size(), 4);
        QDir(ui->dir.path()).rmdir(QStringLiteral("Ordvane.job"));
        ui->dialogs.messages.clear();
        ui->action(QStringLiteral("ActExit"))->trigger(); // room again: saved, and closed
        QVERIFY(!FmMain->isVisible());
        QVERIFY(ui->dialogs.messages.isEmpty());
        QVERIFY(ui->dir.read(QStringLiteral("Ordvane.job")).contains("z\0.\0p\0d\0f"));
        ui->stop();
        ui->start();
    }

    // The list and its states survive a restart; a job file that cannot be written is reported.
    void jobFileSurvivesARestartOrIsReported()
    {
        FmMain->AddOneFile(QStringLiteral("/d/kept.pdf"));
        ui->jobs().setState(0, JobList::Failed);
        ui->stop();
        ui->start();
        QCOMPARE(ui->jobs().count(), 1);
        QCOMPARE(ui->jobs().entry(0).state, qint32(JobList::Failed));
        QCOMPARE(ui->statusCount(), QStringLiteral("1 File(s)"));

        FmMain->AddOneFile(QStringLiteral("/d/x.pdf"));
        QFile::remove(ui->dir.file(QStringLiteral("Ordvane.job")));
        QVERIFY(QDir(ui->dir.path()).mkdir(QStringLiteral("Ordvane.job"))); // a folder in its place
        ui->stop();
        QCOMPARE(ui->dialogs.messages.size(), 1);
        QVERIFY(ui->dialogs.messages[0].contains(ui->dir.file(QStringLiteral("Ordvane.job"))));
        QDir(ui->dir.path()).rmdir(QStringLiteral("Ordvane.job"));
        ui->start();
    }
};

int main(int argc, char *argv[])
{
    OrdvaneApplication app(argc, argv); // the real application object, with its key delivery
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_main_window.moc"
