#include "ui/UnMain.h"

#include "base/Version.h"
#include "conversion/ActivityLog.h"
#include "conversion/ConversionRun.h"
#include "conversion/JobFile.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/RunOptions.h"
#include "conversion/TargetFile.h"
#include "conversion/TargetPath.h"
#include "gathering/DroppedFiles.h"
#include "gathering/DirectorySearch.h"
#include "forms/UnAddDir.h"
#include "forms/UnCancelFind.h"
#include "desktop/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/IoError.h"
#include "desktop/Notifications.h"
#include "platform/ProgramFolders.h"
#include "desktop/TaskbarEntry.h"
#include "settings/DocumentTypes.h"
#include "settings/Settings.h"
#include "forms/UnOption.h"
#include "forms/UnPassword.h"
#include "desktop/Keyring.h"
#include "settings/WindowLayout.h"
#include "ui/HandOverQueue.h"
#include "ui/JobListSaver.h"
#include "ui/PasswordEntry.h"
#include "ui/RunDisplay.h"
#include "ui/StatusPanel.h"
#include "forms/UnAbout.h"
#include "forms/UnCancelCvt.h"
#include "forms/UnFileOverTp.h"
#include "forms/UnViewLog.h"
#include "ui/WindowPlacement.h"
#include "widgets/Dialogs.h"
#include "widgets/Images.h"
#include "widgets/JobListModel.h"
#include "widgets/JobListView.h"
#include "widgets/KeyPreview.h"
#include "widgets/Metrics.h"
#include "widgets/OrdvaneApplication.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScopeGuard>
#include <QStatusBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TFmMain *FmMain = nullptr;


TFmMain::TFmMain()
    : FileSearch(nullptr), Log(ActivityLogPath(), !Settings.notlog), jobs(new JobList({DocumentTypes(Settings.userfileext1), {}, &Log}, this)),
      Model(new JobListModel(*jobs, this)), Taskbar(new TaskbarEntry(QStringLiteral(ORDVANE_DESKTOP_ID), this)),
      RunNotices(new Notifications(QStringLiteral(ORDVANE_DESKTOP_ID), this))
{
    setObjectName(QStringLiteral("FmMain"));
    setWindowTitle(QStringLiteral("KV-Ordvane"));
    setWindowIcon(Images::applicationIcon());
    resize(scaled(580), scaled(430));

    ListView1 = new JobListView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(tr("Job list"));
    ListView1->setJobList(Model);
    applySettings();
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ListView1, 1);
    layout->addWidget(Panel2);
    setCentralWidget(central);

    createActions();
    createMenus();
    createButtons();
    createStatusBar();

    connect(ListView1, &QWidget::customContextMenuRequested, this, &TFmMain::PopupMenu1Popup);
    connect(ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFmMain::ListView1ColumnClick);
    connect(jobs, &JobList::statusMessage, this, &TFmMain::ShowStatusMessage);
    connect(jobs, &JobList::selectionChanged, this, &TFmMain::ListView1SelectItem);
    connect(ListView1, &JobListView::selectionEdited, Status, &StatusPanel::release);
    TimerSelectItems.setObjectName(QStringLiteral("TimerSelectItems"));
    TimerSelectItems.setInterval(50);
    TimerSelectItems.setSingleShot(true);
    connect(&TimerSelectItems, &QTimer::timeout, this, &TFmMain::TimerSelectItemsTimer);

    FormKeyDown();
    setAcceptDrops(true);
    // Temporary files a killed run left behind go before anything else is read or written.
    TargetFile::setJournal(DataDirectory() + QStringLiteral("Ordvane.tmp"));
    TargetFile::removeLeftovers({DataDirectory(), ConfigDirectory()});
    LoadJobFile(JobFilePath());
    // What start-up leaves in the message panel stays there, also when it is nothing.
    Status->hold();
    RestoreWindowLayout(*this, *ListView1, *Model);

    JobSaving = new JobListSaver(*jobs, [this](const QString &message) { ShowStatusMessage(message); }, this);
    // Like a drop, handed files wait while a search fills the list or a dialog is up.
    HandedFiles = new HandOverQueue(
        [this] {
            if (closeWhenIdle)
                return HandOverQueue::Moment::Never;
            return searchActive || QApplication::activeModalWidget() ? HandOverQueue::Moment::Later : HandOverQueue::Moment::Now;
        },
        [this](const QStringList &files) {
            try {
                DropFileTarget1Drop(files);
            } catch (...) {
                OrdvaneApplication::showError(std::current_exception());
            }
        },
        this);

    Passwords = new PasswordEntry(*jobs,
                                  {[this](const QList<int> &rows, const std::function<void(const QList<int> &)> &done) { ConvertLocked(rows, done); },
                                   [this] { return busy(); },
                                   [this] { return CancelConvert || closeWhenIdle || endingSession; },
                                   [this](const QString &text) { ShowStatusMessage(text); }},
                                  this);

    FileSearch = new DirectorySearch(this);
    // A refusal the log cannot take ends the search, with the error told, as any command's.
    FileSearch->OnFileFind = [this](const QString &folder, const TSearchRecW &info) {
        try {
            AddOneFile(FileSystem::joinPath(folder, info.Name));
        } catch (...) {
            FileSearch->Stop();
            OrdvaneApplication::showError(std::current_exception());
        }
    };
    FileSearch->OnChangeFolder = [](const QString &folder) { FmCancelFind->showFolder(folder); };
    FileSearch->OnFinish = [this] { searchEnded(); };
    connect(RunNotices, &Notifications::activated, this, &TFmMain::bringToFront);
}

TFmMain::~TFmMain()
{
    Run.reset(); // whatever it still converts is abandoned
    RunShown.reset();
    MyPdfCvt::SetPasswords({}); // the session's passwords go with it
    StoreWindowLayout(*this, *ListView1, *Model);
    // The list is lost, but the settings must still be saved: report and go on.
    if (const IoResult<void> saved = JobSaving->saveAtEnd(); !saved)
        OrdvaneApplication::showError(std::make_exception_ptr(IoError(saved.error())));
}

// ---- the job list's operations

void TFmMain::AddOneFile(const QString &path)
{
    jobs->AddOneFile(path);
}

qint64 TFmMain::QueryFileSize(const QString &path)
{
    return FileSystem::fileSize(path);
}

void TFmMain::ShowStatusMessage(const QString &text)
{
    Status->showMessage(text);
}

void TFmMain::commandStarts()
{
    Status->release();
}

void TFmMain::ShowFileCount()
{
    Status->showFileCount(FileCount());
}

int TFmMain::FileCount() const
{
    return jobs->count();
}

void TFmMain::RevealCurrentEntry()
{
    const int row = jobs->focusRow() >= 0 ? jobs->focusRow() : jobs->firstSelected();
    ListView1->reveal(row);
}

void TFmMain::DeleteSelectedEntries()
{
    jobs->DeleteSelectedEntries();
    ShowFileCount();
}

void TFmMain::SelectAllEntries()
{
    jobs->SelectAllEntries();
}

void TFmMain::SaveJobFile(const QString &fileName)
{
    if (const IoResult<void> saved = JobFile::SaveJobFile(fileName, jobs->allEntries()); !saved)
        throw IoError(saved.error());
}

void TFmMain::LoadJobFile(const QString &fileName)
{
    JobFile::Loaded loaded = JobFile::LoadJobFile(fileName);
    jobs->replaceEntries(std::move(loaded.entries));
    if (loaded.result == JobFile::LoadResult::Damaged || loaded.result == JobFile::LoadResult::UnknownMarker
        || loaded.result == JobFile::LoadResult::Unreadable) {
        // Keep what could not be read, before the file is replaced at the end; an earlier
        // backup is never replaced.
        const QString kept = JobFile::keepDamagedFile(fileName);
        if (!kept.isEmpty()) {
            try {
                Log.AppendLog(QStringLiteral("Job file could not be read in full; %1 file(s) restored, the old file is kept as %2")
                                  .arg(jobs->count())
                                  .arg(kept));
            } catch (const OrdvaneError &) {
                // The window says it; a log that cannot be written shows at its next line.
            }
            ShowStatusMessage(tr("The job file could not be read in full; %n file(s) restored, the old file is kept as %1", nullptr,
                                 jobs->count())
                                  .arg(kept));
        }
    }
    ShowFileCount();
}

QString TFmMain::TargetFileName(const QString &source) const
{
    return ::TargetFileName(source, Settings.samedir, Settings.targetdir);
}

// ---- commands

bool TFmMain::refusedWhileBusy(int tag)
{
    // The run and the search count on the list keeping its entries and their order.
    switch (tag) {
    case TagOptions: case TagAddFile: case TagAddDir: case TagPasteFile: case TagDelete:
    case TagConvertAll: case TagConvertSelect: case TagReConvert:
        if (!busy())
            return false;
        ShowStatusMessage(busyReason());
        return true;
    default:
        return false;
    }
}

QString TFmMain::busyReason() const
{
    return searchActive ? tr("A directory search is running: wait until it ends, or stop it.")
                        : tr("Files are being converted: wait until the conversion ends, or cancel it.");
}

void TFmMain::setBusy(bool &flag, bool active)
{
    flag = active;
    for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{BtnAddFile, BtnAddDir, BtnOption, BtnConvert})
        button->setEnabled(!busy());
    ListView1->horizontalHeader()->setSectionsClickable(!busy());
    if (!busy() && closeWhenIdle) // Exit came while busy: close now that it is over
        QTimer::singleShot(0, this, &QWidget::close);
    else if (!busy())
        HandedFiles->retry();
}

// Buttons and keys name their command by the tag of its menu item.
void TFmMain::MenuItemClick(QObject *sender)
{
    const int tag = sender->property("Tag").toInt();
    if (const Command command = commands.value(tag))
        runCommand(tag, command);
}

void TFmMain::runCommand(int tag, Command command)
{
    commandStarts();
    if (refusedWhileBusy(tag))
        return;
    try {
        (this->*command)();
    } catch (...) {
        OrdvaneApplication::showError(std::current_exception());
    }
}

void TFmMain::OptionsCommand()
{
    FmOption->exec();
    applySettings();
}

void TFmMain::applySettings()
{
    jobs->setDocumentTypes(DocumentTypes(Settings.userfileext1));
    jobs->setTargetRule({Settings.samedir, Settings.targetdir, {}});
    Log.setEnabled(!Settings.notlog);
}
void TFmMain::ExitCommand() { close(); }
void TFmMain::ConvertAllCommand() { ConvertItems(ConversionRun::ConvertAll); }
void TFmMain::ConvertSelectedCommand() { ConvertItems(ConversionRun::ConvertSelected); }
void TFmMain::ReConvertCommand() { ConvertItems(ConversionRun::ReConvertSelected); }
void TFmMain::LaunchSourceCommand() { LaunchOrExplore(true, true); }
void TFmMain::LaunchTargetCommand() { LaunchOrExplore(false, true); }
void TFmMain::ExploreSourceCommand() { LaunchOrExplore(true, false); }
void TFmMain::ExploreTargetCommand() { LaunchOrExplore(false, false); }
void TFmMain::ContentsCommand() { Desktop::openHelpTopic(QStringLiteral("index.html")); }
void TFmMain::AboutCommand() { FmAbout->exec(); }

void TFmMain::ConvertItems(int mode)
{
    startRun(mode, {});
}

void TFmMain::startRun(int mode, std::function<void()> then)
{
    if (jobs->count() == 0 || busy()) {
        if (then)
            then();
        return;
    }
    CancelConvert = false;
    setBusy(runActive, true);
    RunTime.start();
    AfterRun = std::move(then);
    RunShown = std::make_unique<RunDisplay>(CancelConvert, *Taskbar);
    Run = std::make_unique<ConversionRun>(*jobs, *RunShown, Log);
    // Queued: the run is let go of after it has told its end, not while it tells it.
    connect(Run.get(), &ConversionRun::finished, this, &TFmMain::runEnded, Qt::QueuedConnection);
    bool started = false;
    try {
        started = Run->start(mode, RunOptions::fromSettings(Settings));
    } catch (...) { // its first log line could not be written: nothing began
        Run.reset();
        RunShown.reset();
        leaveRun(std::current_exception());
        return;
    }
    if (!started)
        runEnded();
}

void TFmMain::runEnded()
{
    if (!Run)
        return;
    const std::unique_ptr<ConversionRun> run = std::move(Run);
    const std::unique_ptr<RunDisplay> display = std::move(RunShown);
    if (!run->failure()) {
        if (RunTime.elapsed() >= NotifyAfterMs && !display->endedWhileActive())
            announceRunEnd(run->summary(ConversionRun::Language::User));
        // What the run did stays in the status bar until the next message.
        QStringList messages{run->outcomeNote()};
        if (run->withoutText() > 0) {
            // The rows' State tool tips tell which files they are.
            QString message = tr("%n converted file(s) gave no text.", nullptr, run->withoutText());
            if (!Settings.ocr)
                message += tr(" To read scanned pages, turn on recognition on the Special page of Options.");
            messages << message;
        }
        if (run->unreadPages() > 0)
            messages << run->unreadNote(ConversionRun::Language::User); // the log names the pages
        if (run->unfinishedPages() > 0)
            messages << run->unfinishedNote(ConversionRun::Language::User);
        if (run->lostTextPages() > 0)
            messages << run->lostTextNote(ConversionRun::Language::User);
        ShowStatusMessage(messages.join(u' '));
    }
    leaveRun(run->failure());
}

// What waits for the run still hears of its end, to let go of what it holds; after a failure
// it is as if cancelled, so that the password flow asks nothing more.
void TFmMain::leaveRun(std::exception_ptr failure)
{
    if (failure) {
        CancelConvert = true;
        OrdvaneApplication::showError(failure);
    }
    setBusy(runActive, false);
    const std::function<void()> then = std::exchange(AfterRun, nullptr);
    try {
        if (then)
            then();
    } catch (...) { // from the event loop: told here, as a command's error is
        OrdvaneApplication::showError(std::current_exception());
    }
}

void TFmMain::PasswordCommand()
{
    CancelConvert = false;
    Passwords->start();
}

void TFmMain::ConvertLocked(const QList<int> &rows, const std::function<void(const QList<int> &)> &done)
{
    jobs->clearSelection();
    for (const int row : rows)
        jobs->setSelected(row, true);
    // Files handed over during the run go to the end of the list: the rows keep their places.
    startRun(ConversionRun::ReConvertSelected, [this, rows, done] {
        QList<int> still;
        for (const int row : rows)
            if (row < jobs->count() && jobs->needsPassword(row))
                still << row;
        done(still);
    });
}

void TFmMain::announceRunEnd(const QString &summary)
{
    RunNotices->notify(summary, tr("Show KV-Ordvane"));
}

void TFmMain::bringToFront(const QByteArray &activationToken)
{
    Desktop::useActivationToken(activationToken);
    // A minimized window comes back as it was before, maximized or not.
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TFmMain::SaveKeptFiles()
{
    TakePendingFiles();
    StoreWindowLayout(*this, *ListView1, *Model);
    JobSaving->saveQuietly();
    if (const IoResult<void> saved = SaveSettings(); !saved)
        ShowStatusMessage(IniFile::unableToWrite(saved.error()));
}

void TFmMain::EndSession()
{
    endingSession = true;
    // Saved first, whatever may keep the window from closing at once.
    SaveKeptFiles();
    // Open dialogs are cancelled, so the commands they belong to end without change.
    for (int i = 0; i < 8; ++i) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        modal->close();
        if (modal->isVisible())
            break;
    }
    QTimer::singleShot(0, this, &QWidget::close);
}

void TFmMain::ViewLogCommand()
{
    FmViewLog->LoadLog(); // an unreadable log shows its error instead of the viewer
    FmViewLog->exec();
}

void TFmMain::LaunchOrExplore(bool useSource, bool launch)
{
    const int row = jobs->firstSelected();
    if (row < 0)
        return;
    const QString path = useSource ? jobs->entry(row).source : jobs->entry(row).target;
    // The desktop says nothing of a file that is not there; the window does. Explore still
    // opens the folder it would be in.
    if (!FileSystem::isExistingFile(path)) {
        ShowStatusMessage(tr("File not found: %1").arg(path));
        Log.AppendLog(QStringLiteral("File not found (") + path + u')');
        if (launch)
            return;
    }
    // A desktop without a program for the file, or without a file manager, would leave the
    // command without a word.
    const QPointer<TFmMain> window(this);
    const auto noProgram = [window, path, launch] {
        if (!window)
            return;
        window->ShowStatusMessage(launch ? tr("No program to open %1").arg(path) : tr("No file manager to show %1").arg(path));
        window->Log.AppendLog((launch ? QStringLiteral("No program to open the file (") : QStringLiteral("No file manager to show the file (")) + path + u')');
    };
    if (!launch)
        Desktop::showInFileManager(path, noProgram);
    else if (!Desktop::openWithDefaultProgram(path))
        noProgram();
}

void TFmMain::ListView1ColumnClick(int column)
{
    if (busy())
        return; // the run and the search count on the rows keeping their order
    Model->ColumnClick(column);
    const int first = jobs->firstSelected();
    if (first >= 0)
        ListView1->reveal(first);
}

void TFmMain::ListView1SelectItem()
{
    if (!TimerSelectItems.isActive())
        TimerSelectItems.start();
}

void TFmMain::TimerSelectItemsTimer()
{
    Status->showSelection(jobs->selectedCount());
}

// ---- window events

bool TFmMain::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StatusTip: { // hints go to the message panel, not over the whole status bar
        Status->showHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    case QEvent::WindowActivate:
        FormActivate();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void TFmMain::FormActivate()
{
    if (FmCancelFind && FmCancelFind->isVisible())
        FmCancelFind->raise();
    if (FmCancelCvt && FmCancelCvt->isVisible())
        FmCancelCvt->raise();
}

void TFmMain::closeEvent(QCloseEvent *event)
{
    if (busy()) {
        // Let the file in hand finish, or the search stop, then close normally, so that the
        // list and the settings are saved.
        CancelConvert = true;
        FileSearch->Stop();
        closeWhenIdle = true;
        event->ignore();
        return;
    }
    if (!saveJobListOnClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool TFmMain::saveJobListOnClose()
{
    if (endingSession)
        return true; // nobody to ask: the end saves what it can and reports the rest
    TakePendingFiles();
    return JobSaving->saveBeforeClose(this);
}
