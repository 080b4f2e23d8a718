// The dialogs through their real controls, with real keys and clicks: the Options dialog's
// rules, the add-directory and directory-list dialogs, the log viewer, and what a screen
// reader finds in every window.
#include "conversion/ActivityLog.h"
#include "forms/UnAddDir.h"
#include "forms/UnCancelFind.h"
#include "forms/UnDirectory.h"
#include "settings/DocumentTypes.h"
#include "forms/UnOption.h"
#include "tests/support/LogLines.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/OpenedUrls.h"
#include "forms/UnAbout.h"
#include "forms/UnCancelCvt.h"
#include "forms/UnFileOverTp.h"
#include "forms/UnPassword.h"
#include "forms/UnViewLog.h"
#include "widgets/OrdvaneApplication.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

class TestDialogs : public QObject {
    Q_OBJECT

    QScopedPointer<MainWindowFixture> ui;

    // Opens the Options dialog, lets act do its part, then presses the key that ends it.
    void withOptions(const std::function<void()> &act, int closingKey = Qt::Key_Return)
    {
        MainWindowFixture::whenModal([&](QWidget *modal) {
            QCOMPARE(modal, FmOption);
            act();
            if (FmOption->isVisible() && closingKey)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(closingKey));
            if (FmOption->isVisible())
                FmOption->reject();
        });
        QTest::mouseClick(ui->control<QAbstractButton>(QStringLiteral("BtnOption")), Qt::LeftButton);
    }

    void typeCodePage(const QString &text)
    {
        FmOption->ComBSourceCode->lineEdit()->selectAll();
        QTest::keyClick(FmOption->ComBSourceCode->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(FmOption->ComBSourceCode->lineEdit(), text);
    }

    // Controls the keyboard reaches that a screen reader cannot name, and combo boxes it
    // would name by their value instead of their label.
    static QStringList unnamedControls(QWidget *window)
    {
        QStringList faults;
        std::function<void(QAccessibleInterface *, int)> walk = [&](QAccessibleInterface *node, int depth) {
            if (!node || depth > 40 || node->state().invisible)
                return;
            const QString name = node->text(QAccessible::Name);
            auto *widget = qobject_cast<QWidget *>(node->object());
            const QString what = window->objectName() + u'/' + (widget ? widget->objectName() + u' ' + QLatin1String(widget->metaObject()->className())
                                                                       : QStringLiteral("role %1").arg(int(node->role())));
            if (node->state().focusable && name.trimmed().isEmpty())
                faults << what + QStringLiteral(" has no name");
            if (auto *box = qobject_cast<QComboBox *>(widget); box && node->role() == QAccessible::ComboBox && name == box->currentText())
                faults << what + QStringLiteral(" is named by its value");
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i), depth + 1);
        };
        walk(QAccessible::queryAccessibleInterface(window), 0);
        return faults;
    }

private slots:
    void init() { ui.reset(new MainWindowFixture); }
    void cleanup() { ui.reset(); }

    void optionsPages()
    {
        withOptions([&] {
            QTabWidget *pages = FmOption->PageControl1;
            QCOMPARE(pages->count(), 2);
            QCOMPARE(pages->tabText(0), QStringLiteral("General"));
            QCOMPARE(pages->tabText(1), QStringLiteral("Special"));
            QVERIFY(!FmOption->TabSheet2->isVisible());
            QVERIFY(!FmOption->GBoxDOC->isVisibleTo(FmOption->TabSheet3));
            QVERIFY(FmOption->GBoxPDF->isVisibleTo(FmOption->TabSheet3));
            QCOMPARE(FmOption->ComBSourceCode->count(), 17);
            QCOMPARE(FmOption->ComBSourceCode->itemText(3), QStringLiteral("65001 Unicode (UTF-8)"));
            QCOMPARE(FmOption->ComBSourceCode->itemText(11), QStringLiteral("874     Thai"));
            QTRY_COMPARE(QApplication::focusWidget(), FmOption->CBSameDir);
            // The keys that walk the pages never reach the hidden one.
            for (Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
                QVERIFY(!FmOption->TabSheet2->isVisible());
                QVERIFY(!FmOption->EditFileExt->isVisible());
            }
            QCOMPARE(pages->currentWidget(), FmOption->TabSheet3);
        }, Qt::Key_Escape);
        // It opens on its first page each time, the check box focused.
        withOptions([&] {
            QCOMPARE(FmOption->PageControl1->currentWidget(), FmOption->TabSheet1);
            QTRY_COMPARE(QApplication::focusWidget(), FmOption->CBSameDir);
        }, Qt::Key_Escape);
    }

    void codePageRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shownNextTime");
        const QString numeric = QStringLiteral("Code page identifier must be numeric!");
        QTest::newRow("number of an entry") << "1252" << true << 1252 << "1252   Latin 1: European Western";
        QTest::newRow("an entry") << "1252   Latin 1: European Western" << true << 1252 << "1252   Latin 1: European Western";
        QTest::newRow("an entry, other case") << "1252   LATIN 1: european western" << true << 1252 << "1252   Latin 1: European Western";
        QTest::newRow("not in the list") << "437" << true << 437 << "437";
        QTest::newRow("hexadecimal") << "$4E4" << true << 1252 << "1252   Latin 1: European Western";
        QTest::newRow("0x") << "0x4e4" << true << 1252 << "1252   Latin 1: European Western";
        QTest::newRow("zero") << "0" << true << 0 << "0         Default";
        // Refused: the typed text is checked as it is, never completed from the list.
        QTest::newRow("trailing blank") << "1252 " << false << 0 << numeric;
        QTest::newRow("name alone") << "Default" << false << 0 << numeric;
        QTest::newRow("empty") << "" << false << 0 << numeric;
        QTest::newRow("sign alone") << "+" << false << 0 << numeric;
        QTest::newRow("dollar alone") << "$" << false << 0 << numeric;
        QTest::newRow("0x alone") << "0x" << false << 0 << numeric;
        QTest::newRow("overflow") << "4294967296" << false << 0 << numeric;
        QTest::newRow("letters") << "abc" << false << 0 << numeric;
        // Refused: numbers whose text files would come out empty.
        QTest::newRow("beginning of 1200") << "120" << false << 0 << "Code page 120 is not supported on this system!";
        QTest::newRow("beginning of 932") << "9" << false << 0 << "Code page 9 is not supported on this system!";
        QTest::newRow("no such page") << "12345" << false << 0 << "Code page 12345 is not supported on this system!";
        QTest::newRow("negative") << "-5" << false << 0 << "Code page -5 is not supported on this system!";
    }

    void codePageRules()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(int, stored);
        QFETCH(QString, shownNextTime); // or the refusal
        Settings.sourcecode = 936;
        Settings.samedir = false;
        bool stayedOpen = false;
        withOptions([&] {
            FmOption->CBSameDir->click(); // also changed: a refused OK must store nothing
            typeCodePage(typed);
            QTest::keyClick(FmOption->ComBSourceCode->lineEdit(), Qt::Key_Return);
            stayedOpen = FmOption->isVisible();
            QCOMPARE(FmOption->ComBSourceCode->hasFocus(), stayedOpen);
        }, 0);
        QCOMPARE(stayedOpen, !accepted);
        if (accepted) {
            QCOMPARE(Settings.sourcecode, stored);
            QVERIFY(Settings.samedir);
            withOptions([&] { QCOMPARE(FmOption->ComBSourceCode->currentText(), shownNextTime); }, Qt::Key_Escape);
        } else {
            QCOMPARE(ui->dialogs.messages, QStringList{QStringLiteral("Error: ") + shownNextTime});
            QCOMPARE(Settings.sourcecode, 936);
            QVERIFY(!Settings.samedir);
        }
    }

    // Enter and Escape in an open drop-down list close only the list; the dialog's own
    // Enter and Escape act when no list is open.
    void keysInAnOpenListCloseOnlyTheList()
    {
        Settings.fileovertp = 0;
        Settings.samedir = false;
        // As the window system delivers a key: to the dialog's window, which hands it to an
        // open list.
        const auto press = [](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(FmOption->windowHandle(), Qt::Key(key), modifiers);
        };
        bool stayedOpen = true;
        withOptions([&] {
            FmOption->CBSameDir->click(); // an edit Escape in a list must not lose
            FmOption->ComBFileOverTp->setFocus();
            for (int key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
                press(Qt::Key_Down, Qt::AltModifier);
                QVERIFY(QApplication::activePopupWidget());
                press(Qt::Key_Down);
                press(key);
                QVERIFY(!QApplication::activePopupWidget());
                stayedOpen = stayedOpen && FmOption->isVisible();
            }
            QCOMPARE(FmOption->ComBFileOverTp->currentIndex(), 2); // Enter chose, Escape did not
            // The code-page list, opened by the mouse.
            FmOption->ComBSourceCode->setFocus();
            for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
                FmOption->ComBSourceCode->showPopup();
                QVERIFY(QApplication::activePopupWidget());
                press(key);
                QVERIFY(!QApplication::activePopupWidget());
                stayedOpen = stayedOpen && FmOption->isVisible();
            }
            QVERIFY(FmOption->CBSameDir->isChecked());
            press(Qt::Key_Return); // no list open: the dialog's OK
            QVERIFY(!FmOption->isVisible());
        }, 0);
        QVERIFY(stayedOpen);
        QCOMPARE(Settings.fileovertp, quint8(2));
        QVERIFY(Settings.samedir);
    }

    void optionsStoreAndRestore()
    {
        Settings.fileovertp = 7;
        Settings.keepraw = 5;
        Settings.pagebreak = true;
        Settings.textorder = 1;
        withOptions([&] {
            QCOMPARE(FmOption->ComBFileOverTp->currentIndex(), -1); // 7 names no policy
            QVERIFY(FmOption->CBPageBreak->isChecked());
            QCOMPARE(FmOption->CMBTextOrder->currentText(), QStringLiteral("Maintain original layout"));
            QVERIFY(!FmOption->CBKeepRaw->isChecked());
            FmOption->EditTargetDir->clear();
            QTest::mouseClick(FmOption->BtnOK, Qt::LeftButton);
        });
        QCOMPARE(Settings.targetdir, QStringLiteral("/"));
        QCOMPARE(Settings.fileovertp, quint8(255));
        QCOMPARE(Settings.keepraw, 0);
        QCOMPARE(Settings.textorder, 1);

        // Escape gives the controls back their settings, and stores nothing.
        withOptions([&] {
            FmOption->ComBFileOverTp->setCurrentIndex(1);
            QTest::keyClicks(FmOption->EditTargetDir, QStringLiteral("/typed"));
            QTest::keyClick(FmOption->EditTargetDir, Qt::Key_Escape);
            QCOMPARE(FmOption->ComBFileOverTp->currentIndex(), -1);
            QCOMPARE(FmOption->EditTargetDir->text(), QStringLiteral("/"));
        }, 0);
        QCOMPARE(Settings.targetdir, QStringLiteral("/"));
    }

    void recognitionChoices()
    {
        Settings.ocr = true;
        Settings.ocrlang = QStringLiteral("eng");
        const auto typeLanguages = [](const QString &text) {
            FmOption->PageControl1->setCurrentWidget(FmOption->TabSheet3);
            FmOption->EditOcrLang->selectAll();
            QTest::keyClicks(FmOption->EditOcrLang, text);
            QTest::keyClick(FmOption->EditOcrLang, Qt::Key_Return);
        };
        bool stayedOpen = false;
        withOptions([&] {
            QCOMPARE(FmOption->CBOcr->text(), QStringLiteral("Recognise text in scanned pages (OCR)"));
            QVERIFY(FmOption->CBOcr->isChecked());
            QCOMPARE(FmOption->EditOcrLang->text(), QStringLiteral("eng"));
            typeLanguages(QStringLiteral("eng+xyz"));
            stayedOpen = FmOption->isVisible();
            QCOMPARE(QApplication::focusWidget(), FmOption->EditOcrLang);
        }, 0);
        QVERIFY(stayedOpen);
        QCOMPARE(ui->dialogs.messages.size(), 1);
        QVERIFY(ui->dialogs.messages[0].startsWith(QStringLiteral("Error: The language data for \"xyz\" is not installed")));
        QCOMPARE(Settings.ocrlang, QStringLiteral("eng"));

        // Switched off, the languages are kept as typed as long as they are codes at all.
        withOptions([&] {
            QTest::mouseClick(FmOption->CBOcr, Qt::LeftButton);
            QVERIFY(!FmOption->EditOcrLang->isEnabled());
            FmOption->EditOcrLang->setText(QStringLiteral("eng+xyz"));
        });
        QVERIFY(!Settings.ocr);
        QCOMPARE(Settings.ocrlang, QStringLiteral("eng+xyz"));
    }

    void sameFolderBoxAndBrowse()
    {
        withOptions([&] {
            FmOption->CBSameDir->setChecked(false);
            QTest::mouseClick(FmOption->CBSameDir, Qt::LeftButton);
            QVERIFY(!FmOption->EditTargetDir->isEnabled());
            QVERIFY(!FmOption->BtnDir->isEnabled());
            QTest::mouseClick(FmOption->CBSameDir, Qt::LeftButton);
            QVERIFY(FmOption->EditTargetDir->isEnabled());
            ui->dialogs.answerPath(QStringLiteral("/picked/folder"));
            QTest::mouseClick(FmOption->BtnDir, Qt::LeftButton);
            QCOMPARE(FmOption->EditTargetDir->text(), QStringLiteral("/picked/folder"));
            QTest::mouseClick(FmOption->BtnDir, Qt::LeftButton); // cancelled: unchanged
            QCOMPARE(FmOption->EditTargetDir->text(), QStringLiteral("/picked/folder"));
        });
        QCOMPARE(Settings.targetdir, QStringLiteral("/picked/folder/"));
    }

    void helpButtonOpensTheOptionsPage()
    {
        OpenedUrls opened;
        withOptions([&] { QTest::mouseClick(FmOption->BtnHelp, Qt::LeftButton); }, Qt::Key_Escape);
        QCOMPARE(opened.urls.size(), 1);
        QVERIFY(opened.urls[0].toLocalFile().endsWith(QStringLiteral("/Ordvane.help/Options.htm")));
        QVERIFY(QFileInfo::exists(opened.urls[0].toLocalFile()));
    }

    void extensionEditorOnTheHiddenPage()
    {
        withOptions([&] {
            QTreeWidgetItem *row = FmOption->ExtensionGrid->topLevelItem(0);
            QCOMPARE(row->text(0), QStringLiteral("PDF"));
            FmOption->ExtensionGrid->setCurrentItem(row);
            QVERIFY(FmOption->EditFileExt->isVisibleTo(FmOption->TabSheet2));
            QTest::keyClicks(FmOption->EditFileExt, QStringLiteral("*.ai"));
            QCOMPARE(row->text(3), QStringLiteral("*.ai"));
        });
        QCOMPARE(Settings.userfileext1, QByteArray("*.ai"));
        QCOMPARE(ui->jobs().addable(QStringLiteral("/x/logo.AI")), JobList::AddResult::Added); // at once, without a restart
    }

    // However many patterns the user gave a type, its row shows whole.
    void addDirectoryShowsLongTypeRows()
    {
        Settings.userfileext1 = "*.ai;*.pdfa;*.pdfx;*.fdf;*.scan";
        MainWindowFixture::whenModal([&](QWidget *) {
            QListWidget *types = FmAddDir->CheckListBox1;
            const QString text = types->item(0)->text();
            QVERIFY(text.endsWith(QStringLiteral("*.scan)")));
            QVERIFY(types->viewport()->width() >= types->fontMetrics().horizontalAdvance(text));
            QCOMPARE(types->item(0)->toolTip(), text);
            FmAddDir->reject();
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActAddDir")));
        ui->untilIdle();
    }

    void addDirectoryDialog()
    {
        Settings.userfileext1 = "*.ai";
        MainWindowFixture::whenModal([&](QWidget *modal) {
            QCOMPARE(modal, FmAddDir);
            QListWidgetItem *row = FmAddDir->CheckListBox1->item(0);
            QCOMPARE(row->text(), QStringLiteral("Adobe Portable Document File(*.pdf;*.ai)"));
            // Alt+R ticks the recursion box from the folder field, and types nothing there.
            const bool recursive = FmAddDir->CBRecursive->isChecked();
            const QString typed = FmAddDir->EditDir->text();
            QVERIFY(QTest::qWaitForWindowActive(FmAddDir));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
            QTRY_COMPARE(FmAddDir->CBRecursive->isChecked(), !recursive); // a mnemonic clicks as the mouse does
            QCOMPARE(FmAddDir->EditDir->text(), typed);
            FmAddDir->CBRecursive->setChecked(recursive);
            FmAddDir->EditDir->setText(QStringLiteral("/typed/then/refused"));
            QTest::mouseClick(FmAddDir->FlatSpeedButton3, Qt::LeftButton); // none
            QTest::mouseClick(FmAddDir->BtnOK, Qt::LeftButton);
            QVERIFY(FmAddDir->isVisible());
            QCOMPARE(ui->dialogs.messages, QStringList{QStringLiteral("Error: Please select the type of file to be converted!")});
            QTest::mouseClick(FmAddDir->FlatSpeedButton2, Qt::LeftButton); // invert: ticked
            QCOMPARE(row->checkState(), Qt::Checked);
            FmAddDir->EditDir->setText(QStringLiteral("/typed/then/cancelled"));
            QTest::keyClick(FmAddDir->EditDir, Qt::Key_Escape);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActAddDir")));
        ui->untilIdle();
        QCOMPARE(Settings.adddir, QStringLiteral("/typed/then/refused")); // the refused OK had copied it
        QCOMPARE(FmAddDir->EditDir->text(), QStringLiteral("/typed/then/cancelled")); // shown again next time

        // Browse: the directory list takes the text and gives back its entries.
        MainWindowFixture::whenModal([&](QWidget *modal) {
            QCOMPARE(modal, FmAddDir);
            FmAddDir->EditDir->setText(QStringLiteral("/a"));
            MainWindowFixture::whenModal([&](QWidget *list) {
                QCOMPARE(list, FmDirectory);
                QTest::keyClicks(FmDirectory->EditDir, QStringLiteral("2"));
                QTest::mouseClick(FmDirectory->BtnAdd, Qt::LeftButton);
                QTest::mouseClick(FmDirectory->BtnOK, Qt::LeftButton);
            });
            QTest::mouseClick(FmAddDir->BtnDir, Qt::LeftButton);
            QCOMPARE(FmAddDir->EditDir->text(), QStringLiteral("/a;/a2"));
            FmAddDir->reject();
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActAddDir")));
        ui->untilIdle();

        // The ticks reach the settings as the dialog closes, cancelled too: a session end that
        // saves and is then cut short keeps them.
        MainWindowFixture::whenModal([&](QWidget *) {
            FmAddDir->CheckListBox1->item(0)->setCheckState(Qt::Unchecked);
            FmAddDir->CBRecursive->setChecked(true);
            QTest::keyClick(FmAddDir->EditDir, Qt::Key_Escape);
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActAddDir")));
        ui->untilIdle();
        QCOMPARE(Settings.selext1, false);
        QCOMPARE(Settings.recursive, true);
    }

    // The dialog opens with the focus in its directory edit, whatever had it when it closed;
    // Alt+D comes back to the edit.
    void addDirectoryFocusesItsEdit()
    {
        QDir(ui->dir.path()).mkpath(QStringLiteral("typed"));
        const QString folder = ui->dir.file(QStringLiteral("typed"));
        MainWindowFixture::whenModal([&](QWidget *) {
            QTest::mouseClick(FmAddDir->CBRecursive, Qt::LeftButton);
            FmAddDir->CBRecursive->setFocus(); // as the click gives it
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        ui->press(Qt::Key_D, Qt::ControlModifier);
        ui->untilIdle();
        QVERIFY(!FmAddDir->isVisible());
        QWidget *focused = nullptr, *afterMnemonic = nullptr;
        MainWindowFixture::whenModal([&](QWidget *) {
            focused = QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), folder);
            FmAddDir->CBRecursive->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
            afterMnemonic = QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        ui->press(Qt::Key_D, Qt::ControlModifier);
        ui->untilIdle();
        QCOMPARE(focused, FmAddDir->EditDir);
        QCOMPARE(afterMnemonic, FmAddDir->EditDir);
        QCOMPARE(Settings.adddir, folder);
        QVERIFY(ui->statusMessage().startsWith(QStringLiteral("Done Scanning")));
    }

    // Every control of every window has a name, from its label where it has one, and its
    // hint as description; the progress bar tells its value.
    void everyControlHasAName()
    {
        FmMain->AddOneFile(QStringLiteral("/d/a.pdf"));
        ui->model().announceRows();
        QVERIFY2(unnamedControls(FmMain).isEmpty(), qPrintable(unnamedControls(FmMain).join(QStringLiteral("; "))));
        const auto shown = [&](QWidget *window) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QVERIFY2(unnamedControls(window).isEmpty(), qPrintable(unnamedControls(window).join(QStringLiteral("; "))));
        };
        shown(FmOption);
        FmOption->PageControl1->setCurrentWidget(FmOption->TabSheet3);
        QVERIFY2(unnamedControls(FmOption).isEmpty(), qPrintable(unnamedControls(FmOption).join(QStringLiteral("; "))));
        QCOMPARE(QAccessible::queryAccessibleInterface(FmOption->ComBFileOverTp)->text(QAccessible::Name),
                 QStringLiteral("When target file exists"));
        QCOMPARE(QAccessible::queryAccessibleInterface(FmOption->EditOcrLang)->text(QAccessible::Description),
                 FmOption->EditOcrLang->toolTip());
        FmOption->reject();
        for (QWidget *window : std::initializer_list<QWidget *>{FmAddDir, FmDirectory, FmFileOverTp, FmPassword, FmViewLog, FmAbout, FmCancelFind, FmCancelCvt}) {
            shown(window);
            window->hide();
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(FmAddDir->CheckListBox1)->text(QAccessible::Name),
                 QStringLiteral("Select type of file to be converted:"));
        FmCancelCvt->startRun(4);
        FmCancelCvt->StepProgress();
        QAccessibleInterface *gauge = QAccessible::queryAccessibleInterface(FmCancelCvt->FlatProgressBar1);
        QVERIFY(gauge->valueInterface());
        QCOMPARE(gauge->valueInterface()->currentValue().toInt(), FmCancelCvt->FlatProgressBar1->value());
        QVERIFY(FmCancelCvt->FlatProgressBar1->value() > 0);
    }

    void directoryListRules()
    {
        FmDirectory->LoadDirectories(QStringLiteral("/A;/B"));
        QCOMPARE(FmDirectory->directories(), (QStringList{"/A", "/B"}));
        QCOMPARE(FmDirectory->EditDir->text(), QStringLiteral("/A"));
        QVERIFY(!FmDirectory->BtnAdd->isEnabled());
        QVERIFY(!FmDirectory->BtnReplace->isEnabled());
        QVERIFY(FmDirectory->BtnDelete->isEnabled());
        FmDirectory->EditDir->setText(QStringLiteral("/B"));
        QVERIFY(!FmDirectory->BtnAdd->isEnabled());
        FmDirectory->EditDir->setText(QStringLiteral("/b")); // another folder: names differ by case
        QVERIFY(FmDirectory->BtnAdd->isEnabled());

        FmDirectory->LBOXDirs->setCurrentRow(1);
        QCOMPARE(FmDirectory->EditDir->text(), QStringLiteral("/B"));
        FmDirectory->EditDir->setText(QStringLiteral("/C"));
        QTest::mouseClick(FmDirectory->BtnReplace, Qt::LeftButton);
        QCOMPARE(FmDirectory->directories(), (QStringList{"/A", "/C"}));
        FmDirectory->EditDir->setText(QStringLiteral("/D"));
        QTest::mouseClick(FmDirectory->BtnAdd, Qt::LeftButton);
        QCOMPARE(FmDirectory->directories(), (QStringList{"/A", "/C", "/D"}));
        QVERIFY(!FmDirectory->BtnAdd->isEnabled());

        // Delete leaves nothing selected: pressed again, or Replace, it touches no other entry.
        FmDirectory->LBOXDirs->setCurrentRow(0);
        QTest::mouseClick(FmDirectory->BtnDelete, Qt::LeftButton);
        QVERIFY(FmDirectory->LBOXDirs->selectedItems().isEmpty());
        QCOMPARE(FmDirectory->EditDir->text(), QString());
        QTest::mouseClick(FmDirectory->BtnDelete, Qt::LeftButton);
        QTest::keyClicks(FmDirectory->EditDir, QStringLiteral("/E"));
        QTest::mouseClick(FmDirectory->BtnReplace, Qt::LeftButton);
        QCOMPARE(FmDirectory->directories(), (QStringList{"/C", "/D"}));
        for (int i = 0; i < 2; ++i) {
            FmDirectory->LBOXDirs->setCurrentRow(0);
            QTest::mouseClick(FmDirectory->BtnDelete, Qt::LeftButton);
        }
        QCOMPARE(FmDirectory->directories(), QStringList());
        QVERIFY(FmDirectory->BtnDelete->isEnabled()); // only loading changes it

        FmDirectory->EditDir->setText(QStringLiteral("/left/over"));
        FmDirectory->LoadDirectories(QString());
        QCOMPARE(FmDirectory->EditDir->text(), QString()); // an empty list starts with an empty edit
        QVERIFY(!FmDirectory->BtnAdd->isEnabled() && !FmDirectory->BtnDelete->isEnabled());
        QTest::keyClicks(FmDirectory->EditDir, QStringLiteral("/new"));
        QVERIFY(FmDirectory->BtnAdd->isEnabled() && FmDirectory->BtnReplace->isEnabled());
        FmDirectory->LoadDirectories(QStringLiteral(";/x;;/y;"));
        QCOMPARE(FmDirectory->directories(), (QStringList{"", "/x", "", "/y"}));

        // Enter while typing closes with OK and adds nothing.
        FmDirectory->LoadDirectories(QStringLiteral("/A"));
        int result = -1;
        MainWindowFixture::whenModal([&](QWidget *) {
            FmDirectory->EditDir->clear();
            QTest::keyClicks(FmDirectory->EditDir, QStringLiteral("/typed"));
            QTest::keyClick(FmDirectory->EditDir, Qt::Key_Return);
        });
        result = FmDirectory->exec();
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(FmDirectory->directories(), QStringList{"/A"});
    }

    void logViewer()
    {
        const QString log = ui->dir.file(QStringLiteral("ordvnact.log"));
        const auto view = [&](const QByteArray &bytes) {
            ui->dir.write(QStringLiteral("ordvnact.log"), bytes);
            FmViewLog->LoadLog();
            return FmViewLog->MemoLog->toPlainText();
        };
        QCOMPARE(view("plain line\r\nsecond\r\n"), QStringLiteral("plain line\nsecond"));
        QCOMPARE(view("\xEF\xBB\xBF" "caf\xC3\xA9\n"), QString::fromUtf8("caf\xC3\xA9"));
        QCOMPARE(view(QByteArray("\xFE\xFF\0a\0\r\0\n\0b", 10)), QStringLiteral("a\nb"));
        QVERIFY(FmViewLog->BtnClear->isEnabled() && FmViewLog->BtnExport->isEnabled());

        // Export: a copy of what is shown, UTF-16LE with its mark.
        ui->dialogs.answerPath(ui->dir.file(QStringLiteral("copy.log")));
        QTest::mouseClick(FmViewLog->BtnExport, Qt::LeftButton);
        QCOMPARE(ui->dir.read(QStringLiteral("copy.log")), QByteArray("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0", 14));
        // The dialogs' filters name each pattern once.
        QCOMPARE(Dialogs::qtFilter(QStringLiteral("KV-Ordvane Log File(*.log)|*.log")), QStringLiteral("KV-Ordvane Log File (*.log)"));
        QCOMPARE(Dialogs::qtFilter(DocumentTypes().AddFileFilter()),
                 QStringLiteral("All Support File (*.pdf);;Adobe Portable Document File (*.pdf)"));

        QTest::mouseClick(FmViewLog->BtnClear, Qt::LeftButton);
        QVERIFY(!QFile::exists(log));
        QCOMPARE(FmViewLog->MemoLog->toPlainText(), QString());
        QVERIFY(!FmViewLog->BtnClear->isEnabled() && !FmViewLog->BtnExport->isEnabled());
        QTest::mouseClick(FmViewLog->BtnClear, Qt::LeftButton); // no file: still fine

        // Not logging takes effect at once.
        QTest::mouseClick(FmViewLog->CBNotLog, Qt::LeftButton);
        QVERIFY(Settings.notlog);
        FmMain->AddOneFile(QStringLiteral("/x/notes.txt"));
        QVERIFY(!QFile::exists(log));
    }

    void logExportIsAByteCopyAndTheViewerOpensAtTheLeft()
    {
        FmMain->activityLog().AppendLog(QStringLiteral("Conversion start..."));
        FmMain->activityLog().AppendLog(QStringLiteral("Conversion end. Successful: 0, Failed: 0, Total: 0\r\n")); // an empty line follows
        MainWindowFixture::whenModal([&](QWidget *) {
            ui->dialogs.answerPath(ui->dir.file(QStringLiteral("copy.log")));
            QTest::mouseClick(FmViewLog->BtnExport, Qt::LeftButton);
            QTest::mouseClick(FmViewLog->BtnClose, Qt::LeftButton);
        });
        QTest::mouseClick(ui->control<QAbstractButton>(QStringLiteral("BtnLog")), Qt::LeftButton);
        QCOMPARE(ui->dir.read(QStringLiteral("copy.log")), ui->dir.read(QStringLiteral("ordvnact.log")));

        for (int i = 0; i < 60; ++i)
            FmMain->activityLog().AppendLog(QStringLiteral("Add file failed: type not support (/%1/%2)").arg(i).arg(QString(300, u'x')));
        int horizontal = -1, vertical = -1, bottom = 0;
        MainWindowFixture::whenModal([&](QWidget *) {
            horizontal = FmViewLog->MemoLog->horizontalScrollBar()->value();
            vertical = FmViewLog->MemoLog->verticalScrollBar()->value();
            bottom = FmViewLog->MemoLog->verticalScrollBar()->maximum();
            QTest::keyClick(FmViewLog->MemoLog, Qt::Key_Escape);
        });
        QTest::mouseClick(ui->control<QAbstractButton>(QStringLiteral("BtnLog")), Qt::LeftButton);
        QCOMPARE(horizontal, 0);
        QVERIFY(bottom > 0);
        QCOMPARE(vertical, bottom); // the newest lines in view
    }

    void viewLogCommand()
    {
        FmMain->activityLog().AppendLog(QStringLiteral("a line"));
        MainWindowFixture::whenModal([&](QWidget *modal) {
            QCOMPARE(modal, FmViewLog);
            QVERIFY(FmViewLog->MemoLog->toPlainText().endsWith(QStringLiteral("]: a line")));
            QTest::mouseClick(FmViewLog->BtnClose, Qt::LeftButton);
        });
        QTest::mouseClick(ui->control<QAbstractButton>(QStringLiteral("BtnLog")), Qt::LeftButton);

        // A log that cannot be read shows the reason instead of the viewer.
        QFile::remove(ui->dir.file(QStringLiteral("ordvnact.log")));
        QDir(ui->dir.path()).mkdir(QStringLiteral("ordvnact.log"));
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActViewLog")));
        QCOMPARE(ui->dialogs.messages.size(), 1);
        QVERIFY(ui->dialogs.messages[0].contains(QStringLiteral("ordvnact.log")));
        QVERIFY(!FmViewLog->isVisible());
    }
};

int main(int argc, char *argv[])
{
    OrdvaneApplication app(argc, argv);
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialogs.moc"
