#pragma once
// The main window: the job list, the buttons, the menus and the status bar. Each menu item
// runs its own command; a button or a key runs the command of the menu item with its Tag,
// through MenuItemClick. The window is thin: the job list, the conversion run, the settings,
// the status panel, the hand-over queue and the job list's saving do the work.
#include "conversion/ActivityLog.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <exception>
#include <functional>
#include <memory>

class ConversionRun;
class JobList;
class RunDisplay;
class JobListModel;
class JobListView;
class Notifications;
class TaskbarEntry;
class DirectorySearch;
class QAbstractButton;
class QAction;
class HandOverQueue;
class JobListSaver;
class PasswordEntry;
class StatusPanel;
class QMenu;
class QToolButton;

class TFmMain : public QMainWindow {
    Q_OBJECT

public:
    // Command tags.
    enum Tag {
        TagOptions = 11, TagExit = 12, TagViewLog = 13,
        TagAddFile = 21, TagAddDir = 22, TagPasteFile = 23, TagDelete = 24, TagSelectAll = 25,
        TagConvertAll = 31, TagConvertSelect = 32, TagReConvert = 33, TagPassword = 38,
        TagLaunchSource = 34, TagLaunchTarget = 35, TagExploreSource = 36, TagExploreTarget = 37,
        TagLaunchMenu = 81, TagExploreMenu = 82, TagContents = 91, TagAbout = 96,
    };

    TFmMain();
    ~TFmMain() override;

    JobList &jobList() { return *jobs; }
    JobListModel &jobListModel() { return *Model; }
    ActivityLog &activityLog() { return Log; }

    // The job list's operations, as the other parts call them.
    void AddOneFile(const QString &path);
    static qint64 QueryFileSize(const QString &path);
    void ShowStatusMessage(const QString &text);
    void ShowFileCount();
    void RevealCurrentEntry();
    void DeleteSelectedEntries();
    void SelectAllEntries();
    void SaveJobFile(const QString &fileName);
    void LoadJobFile(const QString &fileName);
    int FileCount() const;
    QString TargetFileName(const QString &source) const;

    // Starts a run and returns; the window follows it until it ends.
    void ConvertItems(int mode);
    // Converts the rows again, they alone; done gets those that still need a password once
    // the run has ended.
    void ConvertLocked(const QList<int> &rows, const std::function<void(const QList<int> &still)> &done);
    void LaunchOrExplore(bool useSource, bool launch);
    void MenuItemClick(QObject *sender);
    void ActionMainMenuBar1Paint();
    // A conversion run or a directory search is under way.
    bool busy() const { return runActive || searchActive; }

    // Files dropped on the window, or pasted: the names a drop or the clipboard offered.
    void DropFileTarget1Drop(const QStringList &names);
    // The clipboard test: takes the clipboard's file names; false when it holds none.
    bool PasteFromClipboard();

    // Files from the command line or handed over by a later start: added as a drop of them
    // would add them (they wait while a run, a search or a dialog is under way); none just
    // brings the window to the front. activationToken: the compositor's leave for that, from
    // the later start.
    // Files from a later start or the command line; returns whether any of them will be taken
    // (a folder opens Add Dir), which a later start reports by its exit status.
    bool AddFilesFromOutside(const QStringList &files, const QByteArray &activationToken = {});
    // Saves the job list, the layout and the settings as the end of the program does.
    void SaveKeptFiles();
    void TakePendingFiles();
    // The session or a signal ends the program: save, cancel open dialogs, close.
    void EndSession();

    DirectorySearch *FileSearch;
    QStringList SearchDirs;
    bool CancelConvert = false;
    // A run at least this long that ends while the user works elsewhere is announced by a
    // desktop notification.
    qint64 NotifyAfterMs = 10000;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createButtons();
    void createStatusBar();
    // Each command has its own member, run through runCommand, which refuses it while a run or
    // a search needs the list as it is, and reports its errors.
    using Command = void (TFmMain::*)();
    QAction *makeAction(const char *name, int tag, Command command, const QString &caption, const QString &hint, int image = -1);
    void runCommand(int tag, Command command);
    void OptionsCommand();
    void ExitCommand();
    void ConvertAllCommand();
    void ConvertSelectedCommand();
    void ReConvertCommand();
    void PasswordCommand();
    void LaunchSourceCommand();
    void LaunchTargetCommand();
    void ExploreSourceCommand();
    void ExploreTargetCommand();
    void ContentsCommand();
    void AboutCommand();
    void FormKeyDown(); // sets up the window's keys
    void FormActivate();
    void File1Click();
    void PopupMenu1Popup(const QPoint &position);
    void ListView1ColumnClick(int column);
    void ListView1SelectItem();
    void TimerSelectItemsTimer();
    void AddFileCommand();
    void AddDirCommand();
    void PasteCommand();
    void ViewLogCommand();
    void searchEnded();
    void startRun(int mode, std::function<void()> then);
    void runEnded();
    void leaveRun(std::exception_ptr failure);
    void setBusy(bool &flag, bool active);
    bool refusedWhileBusy(int tag);
    QString busyReason() const;
    void commandStarts();
    void bringToFront(const QByteArray &activationToken = {});
    void announceRunEnd(const QString &summary);
    // False when the user keeps the window open after the job list could not be saved.
    bool saveJobListOnClose();
    // After a dialog changed the settings: what the list, the log and the views are given.
    void applySettings();

    ActivityLog Log;
    JobList *jobs;
    JobListModel *Model;
    JobListView *ListView1;
    QWidget *Panel2;
    QToolButton *BtnAddFile = nullptr, *BtnAddDir = nullptr, *BtnOption = nullptr, *BtnLog = nullptr;
    QAbstractButton *BtnConvert = nullptr;
    StatusPanel *Status;
    QMenu *PopupMenu1;
    QList<QMenu *> mainMenus;
    QTimer TimerSelectItems;
    JobListSaver *JobSaving;
    HandOverQueue *HandedFiles;
    PasswordEntry *Passwords;
    TaskbarEntry *Taskbar;
    Notifications *RunNotices;

    QAction *ActOptions, *ActExit, *ActViewLog;
    QAction *ActAddFile, *ActAddDir, *ActPasteFile, *ActDelete, *ActSelectAll;
    QAction *ActConvertAll, *ActConvertSelect, *ActReConvert, *ActPassword;
    QAction *ActLaunchSource, *ActLaunchTarget, *ActExploreSource, *ActExploreTarget;
    QAction *ActContents, *ActAbout;
    QHash<int, Command> commands; // by tag

    // The run under way, what shows it, and what comes after it.
    std::unique_ptr<RunDisplay> RunShown;
    std::unique_ptr<ConversionRun> Run;
    QElapsedTimer RunTime;
    std::function<void()> AfterRun;

    int countBeforeSearch = 0;
    QStringList DropNames; // what the last drop or clipboard test offered
    bool runActive = false;
    bool searchActive = false;
    bool closeWhenIdle = false;
    bool endingSession = false;
};

extern TFmMain *FmMain;
