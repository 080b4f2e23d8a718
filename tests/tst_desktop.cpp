// The main window as a desktop program: the job list saved soon after a change, the end of
// the session (save, cancel dialogs, close), the layout kept across a restart and never off
// screen, what assistive technology reads: state names, the selected rows, labelled fields,
// and whole texts of cut cells as tool tips; and what a run tells the desktop: its progress
// on the task bar and, when it ends behind other windows, a notification that brings the
// window back.
#include "base/Version.h"
#include "conversion/ConversionRun.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/PdfMaker.h"
#include "forms/UnOption.h"
#include "settings/WindowLayout.h"

#include <QAccessible>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QToolTip>

// The desktop's notification service and a dock, on the test's private session bus over a
// connection of their own: they record what the program sends and click a notification.
class DesktopListener : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification {
        QString application, icon, summary;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Notification> notifications;
    QList<QPair<QString, QVariantMap>> taskbarUpdates;

    DesktopListener()
    {
        bus.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"), this,
                    SLOT(taskbarUpdate(QString, QVariantMap)));
    }
    ~DesktopListener() override { QDBusConnection::disconnectFromBus(bus.name()); }

    bool serveNotifications()
    {
        return bus.registerObject(Path, this, QDBusConnection::ExportScriptableSlots) && bus.registerService(Interface);
    }

    // What the program sent before now has arrived once this round trip is done.
    void catchUp()
    {
        QDBusPendingCall call = QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
            bus.baseService(), QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")));
        QTRY_VERIFY(call.isFinished());
        QCoreApplication::processEvents();
    }

    // The user clicks the notification; the service hands over an activation token first.
    void click(uint id)
    {
        for (const auto &[name, last] : {std::pair{"ActivationToken", QVariant(QStringLiteral("token-from-the-click"))},
                                         std::pair{"ActionInvoked", QVariant(QStringLiteral("default"))}}) {
            QDBusMessage signal = QDBusMessage::createSignal(Path, Interface, QLatin1String(name));
            signal << id << last;
            bus.send(signal);
        }
    }

public slots:
    Q_SCRIPTABLE uint Notify(const QString &application, uint, const QString &icon, const QString &summary, const QString &,
                             const QStringList &actions, const QVariantMap &hints, int)
    {
        notifications.append({application, icon, summary, actions, hints});
        return uint(notifications.size());
    }
    void taskbarUpdate(const QString &app, const QVariantMap &properties) { taskbarUpdates.append({app, properties}); }

private:
    const QString Path = QStringLiteral("/org/freedesktop/Notifications");
    const QString Interface = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop-listener"));
};

class TestDesktop : public QObject {
    Q_OBJECT

    QScopedPointer<MainWindowFixture> ui;

    QTableView *list() { return ui->control<QTableView>(QStringLiteral("ListView1")); }
    QString doc(const QString &name) { return ui->dir.file(QStringLiteral("docs/") + name); }

    void addPdfs(int count)
    {
        QDir().mkpath(ui->dir.file(QStringLiteral("docs")));
        for (int i = 0; i < count; ++i) {
            const QString path = doc(QStringLiteral("run%1.pdf").arg(i));
            testpdf::writeFile(path.toStdString(), testpdf::makePdf({testpdf::linesPage({"hello"})}));
            FmMain->AddOneFile(path);
        }
    }

    void restart()
    {
        ui->stop();
        QVERIFY(SaveSettings());
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

    // Files a later start handed over, and was told were taken, are in the saved list even
    // when the session ends before the window could add them (a dialog was up).
    void handedOverFilesSurviveTheEndOfTheSession()
    {
        const QString source = doc(QStringLiteral("handed.pdf"));
        QDir().mkpath(ui->dir.file(QStringLiteral("docs")));
        testpdf::writeFile(source.toStdString(), testpdf::makePdf({testpdf::linesPage({"hello"})}));
        MainWindowFixture::whenModal([&](QWidget *) {
            FmMain->AddFilesFromOutside({source}, {}); // acknowledged; waits for the dialog
            FmMain->EndSession();
        });
        FmMain->MenuItemClick(ui->action(QStringLiteral("ActOptions")));
        QVERIFY(ui->dir.read(QStringLiteral("Ordvane.job")).contains(QByteArray(reinterpret_cast<const char *>(source.utf16()), source.size() * 2)));
    }

    void layoutKeptAcrossRestart()
    {
        FmMain->setGeometry(40, 50, 700, 480);
        list()->setColumnWidth(JobListModel::ColumnSource, 123);
        ui->model().ColumnClick(JobListModel::ColumnName);
        ui->model().ColumnClick(JobListModel::ColumnName); // descending now, ascending next
        ui->dir.write(QStringLiteral("Ordvane.dat"), "[mine]\r\nkept=1\r\n");
        restart();
        QCOMPARE(FmMain->geometry(), QRect(40, 50, 700, 480));
        QCOMPARE(list()->columnWidth(JobListModel::ColumnSource), 123);
        QCOMPARE(ui->model().sortColumn(), int(JobListModel::ColumnName));
        QCOMPARE(ui->model().sortAscending(), true);
        QCOMPARE(ui->model().headerData(JobListModel::ColumnName, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("(<-)Name"));
        ui->model().ColumnClick(JobListModel::ColumnName);
        QCOMPARE(ui->model().headerData(JobListModel::ColumnName, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("(->)Name"));
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
            QCOMPARE(table->cellAt(row, JobListModel::ColumnState)->text(QAccessible::Name), states[row]);
        FmMain->DeleteSelectedEntries();
        QCOMPARE(ui->model().rowCount(), 1);
        QCOMPARE(table->selectedRows(), QList<int>{});
    }

    void cutCellShowsItsWholeTextAsToolTip()
    {
        FmMain->AddOneFile(doc(QStringLiteral("a-rather-long-name-for-a-narrow-column.pdf")));
        ui->model().announceRows();
        list()->setColumnWidth(JobListModel::ColumnSource, 40);
        list()->setColumnWidth(JobListModel::ColumnType, 200);
        const auto tipAt = [this](int column) {
            QToolTip::hideText();
            const QPoint at = list()->visualRect(ui->model().index(0, column)).center();
            QHelpEvent help(QEvent::ToolTip, at, list()->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list()->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipAt(JobListModel::ColumnType), QString()); // whole already
        QCOMPARE(tipAt(JobListModel::ColumnSource), doc(QStringLiteral("a-rather-long-name-for-a-narrow-column.pdf")));
    }

    // The user turns to another window during a long run: its end is announced, the task bar
    // showed its progress and the files left, and clicking the notification brings the
    // window back with the service's activation token.
    void longRunEndingElsewhereIsAnnouncedAndShownOnTheTaskbar()
    {
        DesktopListener desktop;
        QVERIFY(desktop.serveNotifications());
        FmMain->NotifyAfterMs = 0;
        addPdfs(3);
        QWidget elsewhere;
        elsewhere.show();
        connect(&ui->jobs(), &JobList::contentChanged, &elsewhere, [&elsewhere] { elsewhere.activateWindow(); });
        FmMain->ConvertItems(ConversionRun::ConvertAll);
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(2).state, qint32(JobList::Converted));
        desktop.catchUp();

        QCOMPARE(desktop.notifications.size(), 1);
        const DesktopListener::Notification shown = desktop.notifications.first();
        QCOMPARE(shown.summary, QStringLiteral("Conversion end. Successful: 3, Failed: 0, Total: 3"));
        QCOMPARE(shown.application, QCoreApplication::applicationName());
        QCOMPARE(shown.icon, QStringLiteral(ORDVANE_DESKTOP_ID));
        QCOMPARE(shown.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral(ORDVANE_DESKTOP_ID));
        QVERIFY(shown.actions.size() == 2 && shown.actions.first() == QLatin1String("default"));

        // The first update shows the whole list to go, the last takes it all off the entry.
        QVERIFY(desktop.taskbarUpdates.size() >= 2);
        for (const auto &update : std::as_const(desktop.taskbarUpdates))
            QCOMPARE(update.first, QStringLiteral("application://" ORDVANE_DESKTOP_ID ".desktop"));
        const QVariantMap first = desktop.taskbarUpdates.first().second, last = desktop.taskbarUpdates.last().second;
        QCOMPARE(first.value(QStringLiteral("count")).toLongLong(), 3);
        QCOMPARE(first.value(QStringLiteral("progress")).toDouble(), 0.0);
        QVERIFY(first.value(QStringLiteral("count-visible")).toBool() && first.value(QStringLiteral("progress-visible")).toBool());
        QVERIFY(!last.value(QStringLiteral("count-visible")).toBool() && !last.value(QStringLiteral("progress-visible")).toBool());

        QVERIFY(!FmMain->isActiveWindow());
        desktop.click(1);
        QTRY_VERIFY(FmMain->isActiveWindow());
        QCOMPARE(qgetenv("XDG_ACTIVATION_TOKEN"), QByteArray("token-from-the-click")); // what Qt's Wayland shell reads
        qunsetenv("XDG_ACTIVATION_TOKEN");
    }

    // Nothing is announced when the user watched the run, or when it was short.
    void watchedOrShortRunsAreNotAnnounced()
    {
        DesktopListener desktop;
        QVERIFY(desktop.serveNotifications());
        addPdfs(2);
        FmMain->NotifyAfterMs = 0;
        FmMain->ConvertItems(ConversionRun::ConvertAll);
        ui->untilIdle();

        ui->jobs().SelectAllEntries();
        QWidget elsewhere;
        elsewhere.show();
        connect(&ui->jobs(), &JobList::contentChanged, &elsewhere, [&elsewhere] { elsewhere.activateWindow(); });
        FmMain->NotifyAfterMs = 10000;
        FmMain->ConvertItems(ConversionRun::ReConvertSelected);
        ui->untilIdle();
        QCOMPARE(ui->jobs().entry(1).state, qint32(JobList::Converted));
        desktop.catchUp();
        QCOMPARE(desktop.notifications.size(), 0);
        QVERIFY(!desktop.taskbarUpdates.isEmpty());
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
