// The main window as a desktop program: the job list saved soon after a change, the end of
// the session (save, cancel dialogs, close), the layout kept across a restart and never off
// screen, and what assistive technology reads: state names, the selected rows, labelled
// fields, and whole texts of cut cells as tool tips.
#include "tests/support/MainWindowFixture.h"
#include "settings/UnOption.h"
#include "settings/WindowLayout.h"

#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QToolTip>

class TestDesktop : public QObject {
    Q_OBJECT

    QScopedPointer<MainWindowFixture> ui;

    QTableView *list() { return ui->control<QTableView>(QStringLiteral("ListView1")); }
    QString doc(const QString &name) { return ui->dir.file(QStringLiteral("docs/") + name); }

    void restart()
    {
        ui->stop();
        SaveSettings();
        LoadSettings();
        ui->start();
    }

private slots:
    void init() { ui.reset(new MainWindowFixture); }
    void cleanup() { ui.reset(); }

    void listSavedSoonAfterEveryChange()
    {
        const QString source = doc(QStringLiteral("a.pdf"));
        FmMain->AddOneFile(source);
        const QByteArray path(reinterpret_cast<const char *>(source.utf16()), source.size() * 2);
        QTRY_VERIFY_WITH_TIMEOUT(ui->dir.read(QStringLiteral("Ordvane.job")).contains(path), 3000);
        ui->jobs().SelectAllEntries();
        FmMain->DeleteSelectedEntries();
        QTRY_COMPARE_WITH_TIMEOUT(ui->dir.read(QStringLiteral("Ordvane.job")), QByteArray("LFW\0\0", 5), 3000);
    }

    void endOfSessionSavesCancelsDialogsAndCloses()
    {
        const QString source = doc(QStringLiteral("a.pdf"));
        FmMain->AddOneFile(source);
        MainWindowFixture::whenModal([](QWidget *) { FmMain->EndSession(); });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActOptions"))); // returns once cancelled
        QVERIFY(!FmOption->isVisible());
        QVERIFY(ui->dir.read(QStringLiteral("Ordvane.job")).contains(QByteArray(reinterpret_cast<const char *>(source.utf16()), source.size() * 2)));
        QVERIFY(ui->dir.read(QStringLiteral("Ordvane.dat")).contains("[layout]"));
        QTRY_VERIFY(!FmMain->isVisible());
    }

    void layoutKeptAcrossRestart()
    {
        FmMain->setGeometry(40, 50, 700, 480);
        list()->setColumnWidth(JobList::ColumnSource, 123);
        ui->jobs().ColumnClick(JobList::ColumnName);
        ui->jobs().ColumnClick(JobList::ColumnName); // descending now, ascending next
        ui->dir.write(QStringLiteral("Ordvane.dat"), "[mine]\r\nkept=1\r\n");
        restart();
        QCOMPARE(FmMain->geometry(), QRect(40, 50, 700, 480));
        QCOMPARE(list()->columnWidth(JobList::ColumnSource), 123);
        QCOMPARE(ui->jobs().sortColumn(), int(JobList::ColumnName));
        QCOMPARE(ui->jobs().sortAscending(), true);
        QCOMPARE(ui->jobs().headerData(JobList::ColumnName, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("(<-)Name"));
        ui->jobs().ColumnClick(JobList::ColumnName);
        QCOMPARE(ui->jobs().headerData(JobList::ColumnName, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("(->)Name"));
        const QByteArray settings = ui->dir.read(QStringLiteral("Ordvane.dat"));
        QVERIFY(settings.contains("[mine]\r\nkept=1\r\n") && settings.contains("[general]") && settings.contains("[layout]"));
    }

    void windowNeverPlacedOffScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (const QRect &kept : {QRect(screen.right() + 500, 40, 600, 400), QRect(40, screen.top() - 300, 600, 400),
                                  QRect(-2000, -2000, 5000, 4000), QRect(0, 0, 5000, 4000)}) {
            ui->stop();
            Layout.left = kept.x(), Layout.top = kept.y(), Layout.width = kept.width(), Layout.height = kept.height();
            ui->start();
            QVERIFY2(screen.contains(FmMain->geometry()), qPrintable(QStringLiteral("%1 %2").arg(FmMain->geometry().x()).arg(FmMain->geometry().y())));
        }
    }

    void listReadByAssistiveTechnology()
    {
        for (const char *name : {"a.pdf", "b.pdf", "c.pdf"})
            FmMain->AddOneFile(doc(QLatin1String(name)));
        ui->jobs().setState(1, JobList::Converted);
        ui->jobs().setState(2, JobList::Failed);
        ui->jobs().clearSelection();
        ui->jobs().setSelected(0, true);
        ui->jobs().setSelected(2, true);

        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(list());
        QVERIFY(view && view->tableInterface());
        QAccessibleTableInterface *table = view->tableInterface();
        QCOMPARE(table->selectedRows(), (QList<int>{0, 2}));
        const QStringList states = {"Waiting", "Converted", "Failed"};
        for (int row = 0; row < 3; ++row)
            QCOMPARE(table->cellAt(row, JobList::ColumnState)->text(QAccessible::Name), states[row]);
        FmMain->DeleteSelectedEntries();
        QCOMPARE(ui->jobs().rowCount(), 1);
        QCOMPARE(table->selectedRows(), QList<int>{});
    }

    void cutCellShowsItsWholeTextAsToolTip()
    {
        FmMain->AddOneFile(doc(QStringLiteral("a-rather-long-name-for-a-narrow-column.pdf")));
        ui->jobs().announceRows();
        list()->setColumnWidth(JobList::ColumnSource, 40);
        list()->setColumnWidth(JobList::ColumnType, 200);
        const auto tipAt = [this](int column) {
            QToolTip::hideText();
            const QPoint at = list()->visualRect(ui->jobs().index(0, column)).center();
            QHelpEvent help(QEvent::ToolTip, at, list()->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list()->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipAt(JobList::ColumnType), QString()); // whole already
        QCOMPARE(tipAt(JobList::ColumnSource), doc(QStringLiteral("a-rather-long-name-for-a-narrow-column.pdf")));
    }

    void everyFieldHasALabel()
    {
        QList<QWidget *> fields;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            for (QWidget *field : window->findChildren<QWidget *>()) {
                const bool edit = qobject_cast<QLineEdit *>(field) && !qobject_cast<QComboBox *>(field->parentWidget());
                if (edit || qobject_cast<QComboBox *>(field))
                    fields << field;
            }
        }
        QVERIFY(fields.size() >= 6);
        for (QWidget *field : std::as_const(fields)) {
            bool labelled = false;
            for (QLabel *label : field->window()->findChildren<QLabel *>())
                labelled = labelled || label->buddy() == field;
            // The grid's in-place editor is named by its column instead.
            QVERIFY2(labelled || field->objectName() == QLatin1String("EditFileExt"), qPrintable(field->objectName()));
            QVERIFY2(!QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name).isEmpty(), qPrintable(field->objectName()));
        }
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
