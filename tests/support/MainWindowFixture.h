#pragma once
// The real main window and its dialogs in a temporary program directory, with the converter
// library linked in and the message-box and picker seam scripted. Controls are found by
// their names.
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "tests/support/TestProgramDirectory.h"
#include "ui/Forms.h"
#include "ui/UnMain.h"
#include "widgets/JobListModel.h"
#include "widgets/Dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <functional>

class MainWindowFixture {
public:
    explicit MainWindowFixture(std::function<void(TestProgramDirectory &)> beforeStart = {})
    {
        QFile::link(QStringLiteral(ORDVANE_BIN_DIR "Ordvane.help"), dir.file(QStringLiteral("Ordvane.help")));
        if (beforeStart)
            beforeStart(dir);
        LoadSettings();
        Settings.targetdir = dir.file(QStringLiteral("out/"));
        MyPdfCvt::LoadConverterLibrary(dir.path());
        start();
    }

    ~MainWindowFixture()
    {
        stop();
        MyPdfCvt::UnloadConverterLibrary();
    }

    void start()
    {
        CreateForms();
        FmMain->show();
        FmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FmMain));
    }

    void stop()
    {
        if (FmMain)
            DestroyForms();
    }

    JobList &jobs() { return FmMain->jobList(); }
    JobListModel &model() { return FmMain->jobListModel(); }

    template <typename T = QWidget>
    T *control(const QString &name)
    {
        T *found = FmMain->findChild<T *>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }

    QAction *action(const QString &name) { return control<QAction>(name); }
    QString statusMessage() { return control<QLabel>(QStringLiteral("StatusMessage"))->text(); }
    QString statusCount() { return control<QLabel>(QStringLiteral("StatusCount"))->text(); }

    // A key as the user presses it: it goes to whatever control has the focus. With no window
    // active, or one just closed still taken for active (the offscreen platform has no window
    // manager to give the activation back when a progress window closes), the user would first
    // click the main window.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (!QApplication::activeWindow() || !QApplication::activeWindow()->isVisible()) {
            FmMain->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(FmMain));
        }
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : FmMain;
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    // Until a command's run, and the password dialogs that follow it, have ended, as the user
    // waits for them.
    static void untilIdle()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!FmMain->busy() && !QApplication::activeModalWidget(), 120000);
    }

    // Runs answer on the next modal dialog once it is up (looking for five seconds), and
    // active, as a user sees it before typing (waiting for that a second at most: keys and
    // focus go astray in a dialog that is shown but not yet active).
    static void whenModal(std::function<void(QWidget *)> answer, int triesLeft = 500)
    {
        QTimer::singleShot(10, [answer, triesLeft] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && (QApplication::activeWindow() == modal || triesLeft < 400))
                answer(modal);
            else if (triesLeft > 0)
                whenModal(answer, triesLeft - 1);
        });
    }

    TestProgramDirectory dir;
    Dialogs::Script dialogs;
};
