#include "ui/UnMain.h"

#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"
#include "conversion/MyPdfCvt.h"
#include "conversion/TargetPath.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "settings/Global.h"
#include "ui/Dialogs.h"
#include "ui/Images.h"
#include "ui/JobListView.h"
#include "ui/Metrics.h"
#include "ui/OrdvaneApplication.h"
#include "ui/UnAbout.h"
#include "ui/UnCancelCvt.h"
#include "ui/UnFileOverTp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

TFmMain *FmMain = nullptr;

namespace {

constexpr int ButtonWidth = 65;
constexpr int ButtonHeight = 22;
constexpr int ButtonTop = 7;
constexpr int PanelHeight = 34;

QString JobFilePath()
{
    return ProgramDirectory() + QStringLiteral("Ordvane.job");
}

} // namespace

// What the conversion run needs from the window: the progress window, the prompt, and the
// converter call, made off this thread so the window keeps painting meanwhile.
class TFmMain::RunDisplay : public ConversionRun::Display {
public:
    explicit RunDisplay(TFmMain &form) : form(form) {}

    void runStarted(int total) override
    {
        FmCancelCvt->startRun(total);
        FmCancelCvt->show();
        FmCancelCvt->raise();
    }
    void showFile(const QString &source) override { FmCancelCvt->showFile(source); }
    void stepProgress() override { FmCancelCvt->StepProgress(); }
    ConversionRun::PromptAnswer askTargetExists(const QString &target) override
    {
        return ConversionRun::PromptAnswer(FmFileOverTp->ShowPrompt(target));
    }
    void processEvents() override { QCoreApplication::processEvents(); }
    bool cancelRequested() override { return form.CancelConvert; }
    void runFinished() override { FmCancelCvt->close(); }

    int convert(const QString &source, QByteArray &buffer, int codePage, int textOrder, bool pageBreak) override
    {
        QFutureWatcher<int> watcher;
        QEventLoop loop;
        QObject::connect(&watcher, &QFutureWatcher<int>::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(QtConcurrent::run([&] {
            return MyPdfCvt::ConvertPdfFile(source, buffer, codePage, textOrder, pageBreak);
        }));
        if (!watcher.isFinished())
            loop.exec();
        return watcher.result();
    }

private:
    TFmMain &form;
};

TFmMain::TFmMain() : jobs(new JobList(this))
{
    setObjectName(QStringLiteral("FmMain"));
    setWindowTitle(QStringLiteral("KV-Ordvane"));
    setWindowIcon(Images::applicationIcon());
    resize(scaled(580), scaled(430));

    ListView1 = new JobListView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setJobList(jobs);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(scaled(PanelHeight));
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
    TimerSelectItems.setObjectName(QStringLiteral("TimerSelectItems"));
    TimerSelectItems.setInterval(50);
    TimerSelectItems.setSingleShot(true);
    connect(&TimerSelectItems, &QTimer::timeout, this, &TFmMain::TimerSelectItemsTimer);

    qApp->installEventFilter(this); // keys reach the window whatever control has the focus
    LoadJobFile(JobFilePath());
}

TFmMain::~TFmMain()
{
    qApp->removeEventFilter(this);
    TextBuffer = QByteArray();
    try {
        SaveJobFile(JobFilePath());
    } catch (...) {
        // The list is lost, but the settings must still be saved: report and go on.
        OrdvaneApplication::showError(std::current_exception());
    }
}

QAction *TFmMain::makeAction(const char *name, int tag, const QString &caption, const QString &hint, int image)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setProperty("Tag", tag);
    action->setStatusTip(hint);
    if (image >= 0)
        action->setIcon(Images::menuImage(image));
    action->setEnabled(available(tag));
    connect(action, &QAction::triggered, this, [this, action] { MenuItemClick(action); });
    commands.insert(tag, action);
    return action;
}

void TFmMain::createActions()
{
    // The key named after a tab is shown in the menu; the window's key handling does the rest.
    ActOptions = makeAction("ActOptions", TagOptions, QStringLiteral("&Options"), QStringLiteral("Set KV-Ordvane options"), 0);
    ActExit = makeAction("ActExit", TagExit, QStringLiteral("&Exit"), QStringLiteral("Exit from KV-Ordvane"), 1);
    ActViewLog = makeAction("ActViewLog", TagViewLog, QStringLiteral("&View Log"), QStringLiteral("View KV-Ordvane logs"), 7);
    ActAddFile = makeAction("ActAddFile", TagAddFile, QStringLiteral("Add &File\tCTRL+F"),
                            QStringLiteral("Add file(s) by selecting file(s)"), 5);
    ActAddDir = makeAction("ActAddDir", TagAddDir, QStringLiteral("Add &Dir\tCTRL+D"),
                           QStringLiteral("Add file(s) by selecting director(ies)"), 6);
    ActPasteFile = makeAction("ActPasteFile", TagPasteFile, QStringLiteral("&Paste File\tCTRL+V"),
                              QStringLiteral("Add file(s) by pasting from clipboard"), 4);
    ActDelete = makeAction("ActDelete", TagDelete, QStringLiteral("Delete\tDelete"),
                           QStringLiteral("Delete selected file(s) name from listview"), 2);
    ActSelectAll = makeAction("ActSelectAll", TagSelectAll, QStringLiteral("Select &All\tCTRL+A"),
                              QStringLiteral("Select all file(s) in listview"), 8);
    ActConvertAll = makeAction("ActConvertAll", TagConvertAll, QStringLiteral("&Convert All\tCtrl+G"),
                               QStringLiteral("Convert all file(s) in listview"), 3);
    ActConvertSelect = makeAction("ActConvertSelect", TagConvertSelect, QStringLiteral("Convert &Selected"),
                                  QStringLiteral("Convert selected file(s)"));
    ActReConvert = makeAction("ActReConvert", TagReConvert, QStringLiteral("&ReConvert Selected"),
                              QStringLiteral("Convert selected file(s) again"));
    ActLaunchSource = makeAction("ActLaunchSource", TagLaunchSource, QStringLiteral("Source"),
                                 QStringLiteral("Open source file with default program"));
    ActLaunchTarget = makeAction("ActLaunchTarget", TagLaunchTarget, QStringLiteral("Target"),
                                 QStringLiteral("Open target file with default program"));
    ActExploreSource = makeAction("ActExploreSource", TagExploreSource, QStringLiteral("Source"),
                                  QStringLiteral("Explore folder which source file in"));
    ActExploreTarget = makeAction("ActExploreTarget", TagExploreTarget, QStringLiteral("Target"),
                                  QStringLiteral("Explore folder which target file in"));
    ActContents = makeAction("ActContents", TagContents, QStringLiteral("&Contents\tF1"), QStringLiteral("Show help contents"), 9);
    ActAbout = makeAction("ActAbout", TagAbout, QStringLiteral("&About"), QStringLiteral("Show about window"));
}

void TFmMain::createMenus()
{
    const auto addMenu = [this](const char *name, const QString &caption) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        connect(menu, &QMenu::aboutToShow, this, &TFmMain::File1Click);
        mainMenus.append(menu);
        return menu;
    };
    const auto addSubmenu = [this](QMenu *parent, const char *name, const QString &caption, int tag, QAction *a, QAction *b) {
        QMenu *submenu = parent->addMenu(caption);
        submenu->setObjectName(QLatin1String(name));
        submenu->menuAction()->setProperty("Tag", tag);
        submenu->addActions({a, b});
    };

    QMenu *file = addMenu("File1", QStringLiteral("&File "));
    file->addAction(ActOptions);
    file->addSeparator();
    file->addAction(ActViewLog);
    file->addSeparator();
    file->addAction(ActExit);

    QMenu *edit = addMenu("Edit1", QStringLiteral("&Edit "));
    edit->addActions({ActAddFile, ActAddDir, ActPasteFile});
    edit->addSeparator();
    edit->addActions({ActDelete, ActSelectAll});

    QMenu *convert = addMenu("Convert1", QStringLiteral("Con&vert "));
    convert->addActions({ActConvertAll, ActConvertSelect, ActReConvert});
    convert->addSeparator();
    addSubmenu(convert, "Launch1", QStringLiteral("&Launch"), TagLaunchMenu, ActLaunchSource, ActLaunchTarget);
    addSubmenu(convert, "Explore1", QStringLiteral("&Explore"), TagExploreMenu, ActExploreSource, ActExploreTarget);

    QMenu *help = addMenu("Help1", QStringLiteral("&Help "));
    help->addAction(ActContents);
    help->addSeparator();
    help->addAction(ActAbout);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({ActConvertAll, ActConvertSelect, ActReConvert});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({ActAddFile, ActAddDir, ActDelete});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ActSelectAll);
    PopupMenu1->addSeparator();
    addSubmenu(PopupMenu1, "Launch2", QStringLiteral("Launch"), TagLaunchMenu, ActLaunchSource, ActLaunchTarget);
    addSubmenu(PopupMenu1, "Explore2", QStringLiteral("Explore"), TagExploreMenu, ActExploreSource, ActExploreTarget);
}

void TFmMain::createButtons()
{
    const auto addButton = [this](const char *name, const QString &caption, int tag, int left, int image, QAction *hintFrom) {
        auto *button = new QToolButton(Panel2);
        button->setObjectName(QLatin1String(name));
        button->setText(caption);
        button->setProperty("Tag", tag);
        button->setIcon(Images::menuImage(image));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        button->setGeometry(scaled(left), scaled(ButtonTop), scaled(ButtonWidth), scaled(ButtonHeight));
        button->setStatusTip(hintFrom->statusTip());
        button->setEnabled(available(tag));
        connect(button, &QToolButton::clicked, this, [this, button] { MenuItemClick(button); });
        return button;
    };
    BtnAddFile = addButton("BtnAddFile", QStringLiteral("&Add File"), TagAddFile, 49, 5, ActAddFile);
    BtnAddDir = addButton("BtnAddDir", QStringLiteral("Add &Dir"), TagAddDir, 130, 6, ActAddDir);
    BtnOption = addButton("BtnOption", QStringLiteral("&Options"), TagOptions, 213, 0, ActOptions);
    BtnLog = addButton("BtnLog", QStringLiteral("&Log"), TagViewLog, 293, 7, ActViewLog);
    BtnConvert = addButton("BtnConvert", QStringLiteral("&Convert"), TagConvertAll, 0, 3, ActConvertAll);
    BtnConvert->setStyleSheet(QStringLiteral("QToolButton#BtnConvert { border: 1px solid navy; border-radius: 2px; }"));
    FormResize();
}

void TFmMain::createStatusBar()
{
    StatusProduct = new QLabel(QStringLiteral("KV-Ordvane 3.0"), this);
    StatusProduct->setObjectName(QStringLiteral("StatusProduct"));
    StatusCount = new QLabel(QStringLiteral("0 File(s)"), this);
    StatusCount->setObjectName(QStringLiteral("StatusCount"));
    StatusCount->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusMessage = new QLabel(this);
    StatusMessage->setObjectName(QStringLiteral("StatusMessage"));
    StatusMessage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusMessage->setTextFormat(Qt::PlainText);
    StatusMessage->setMinimumWidth(1);
    statusBar()->setObjectName(QStringLiteral("dfsStatusBar1"));
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(StatusProduct);
    statusBar()->addWidget(StatusCount);
    statusBar()->addWidget(StatusMessage, 1);
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
    // One line: a file name may hold a line break.
    QString line = text;
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    StatusMessage->setText(line);
}

void TFmMain::ShowFileCount()
{
    StatusCount->setText(QString::number(FileCount()) + QStringLiteral(" File(s)"));
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
    jobs->SaveJobFile(fileName);
}

void TFmMain::LoadJobFile(const QString &fileName)
{
    const JobList::LoadResult result = jobs->LoadJobFile(fileName);
    if (result == JobList::LoadResult::Damaged || result == JobList::LoadResult::UnknownMarker
        || result == JobList::LoadResult::Unreadable) {
        // Keep what could not be read, before the file is replaced at the end.
        const QString kept = fileName + QStringLiteral(".bak");
        if (std::rename(FileSystem::encodePath(fileName).constData(), FileSystem::encodePath(kept).constData()) == 0)
            ShowStatusMessage(QStringLiteral("The job file could not be read in full; %1 file(s) restored, the old file is kept as %2")
                                  .arg(jobs->count())
                                  .arg(kept));
    }
    ShowFileCount();
}

QString TFmMain::TargetFileName(const QString &source) const
{
    return ::TargetFileName(source, Settings.samedir, Settings.targetdir);
}

// ---- commands

// Options, View Log, Add Dir and Paste File come with their dialogs.
bool TFmMain::available(int tag)
{
    return tag != TagOptions && tag != TagViewLog && tag != TagAddDir && tag != TagPasteFile;
}

bool TFmMain::refusedWhileRunning(int tag) const
{
    switch (tag) {
    case TagOptions: case TagAddFile: case TagAddDir: case TagPasteFile: case TagDelete:
    case TagConvertAll: case TagConvertSelect: case TagReConvert:
        return runActive;
    default:
        return false;
    }
}

void TFmMain::setRunActive(bool active)
{
    runActive = active;
    for (QToolButton *button : {BtnAddFile, BtnAddDir, BtnOption, BtnConvert})
        button->setEnabled(!active && available(button->property("Tag").toInt()));
    ListView1->horizontalHeader()->setSectionsClickable(!active);
}

void TFmMain::MenuItemClick(QObject *sender)
{
    const int tag = sender->property("Tag").toInt();
    if (refusedWhileRunning(tag))
        return;
    try {
        switch (tag) {
        case TagExit: close(); break;
        case TagAddFile: AddFileCommand(); break;
        case TagDelete: DeleteSelectedEntries(); break;
        case TagSelectAll: SelectAllEntries(); break;
        case TagConvertAll: ConvertItems(ConversionRun::ConvertAll); break;
        case TagConvertSelect: ConvertItems(ConversionRun::ConvertSelected); break;
        case TagReConvert: ConvertItems(ConversionRun::ReConvertSelected); break;
        case TagLaunchSource: LaunchOrExplore(true, true); break;
        case TagLaunchTarget: LaunchOrExplore(false, true); break;
        case TagExploreSource: LaunchOrExplore(true, false); break;
        case TagExploreTarget: LaunchOrExplore(false, false); break;
        case TagContents: Desktop::openHelpTopic(QStringLiteral("index.html")); break;
        case TagAbout: FmAbout->exec(); break;
        default: break;
        }
    } catch (...) {
        OrdvaneApplication::showError(std::current_exception());
    }
}

void TFmMain::AddFileCommand()
{
    const QStringList files = Dialogs::openFiles(this, AddFileFilter());
    if (files.isEmpty())
        return;
    jobs->clearSelection();
    for (const QString &file : files)
        AddOneFile(file);
    RevealCurrentEntry();
    ShowFileCount();
}

void TFmMain::ConvertItems(int mode)
{
    if (jobs->count() == 0 || runActive)
        return;
    CancelConvert = false;
    setRunActive(true);
    struct EndOfRun {
        TFmMain *form;
        ~EndOfRun()
        {
            form->setRunActive(false);
            if (form->closeAfterRun) // Exit during the run: close now that it has ended
                QTimer::singleShot(0, form, &QWidget::close);
        }
    } endOfRun{this};
    RunDisplay display(*this);
    ConversionRun(*jobs, TextBuffer, display).run(mode);
}

void TFmMain::LaunchOrExplore(bool useSource, bool launch)
{
    const int row = jobs->firstSelected();
    if (row < 0)
        return;
    const QString path = jobs->text(row, useSource ? JobList::Source : JobList::Target);
    if (launch)
        Desktop::openWithDefaultProgram(path);
    else
        Desktop::showInFileManager(path);
}

void TFmMain::ActionMainMenuBar1Paint()
{
    bool convertAll = false, convertSelect = false, reConvert = false;
    for (int row = 0; row < jobs->count() && !(convertAll && convertSelect && reConvert); ++row) {
        const bool waiting = jobs->entry(row).state == JobList::Waiting;
        const bool selected = jobs->isSelected(row);
        convertAll = convertAll || waiting;
        convertSelect = convertSelect || (waiting && selected);
        reConvert = reConvert || (!waiting && selected);
    }
    const bool idle = !runActive;
    ActConvertAll->setEnabled(convertAll && idle);
    ActConvertSelect->setEnabled(convertSelect && idle);
    ActReConvert->setEnabled(reConvert && idle);
    const bool anySelected = jobs->selectedCount() > 0;
    ActDelete->setEnabled(anySelected && idle);
    for (QAction *action : {ActLaunchSource, ActLaunchTarget, ActExploreSource, ActExploreTarget})
        action->setEnabled(anySelected);
    for (QAction *action : {ActOptions, ActAddFile, ActAddDir, ActPasteFile})
        action->setEnabled(idle && available(action->property("Tag").toInt()));
}

void TFmMain::File1Click()
{
    ActionMainMenuBar1Paint();
}

void TFmMain::PopupMenu1Popup(const QPoint &position)
{
    if (FmCancelCvt && FmCancelCvt->isVisible())
        return; // no context menu while a progress window is up
    ActionMainMenuBar1Paint();
    PopupMenu1->popup(ListView1->viewport()->mapToGlobal(position));
}

void TFmMain::ListView1ColumnClick(int column)
{
    if (runActive)
        return; // the run counts on the rows keeping their order
    jobs->ColumnClick(column);
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
    ShowStatusMessage(QStringLiteral("Select %1 file(s).").arg(jobs->selectedCount()));
}

// ---- window events

void TFmMain::FormKeyDown(QKeyEvent *event)
{
    const auto modifiers = event->modifiers();
    if (modifiers & Qt::AltModifier)
        return;
    int tag = 0;
    const int key = event->key();
    if (key == Qt::Key_F1)
        tag = TagContents;
    else if (key == Qt::Key_Delete)
        tag = TagDelete;
    else if (modifiers & Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_A: tag = TagSelectAll; break;
        case Qt::Key_V: tag = TagPasteFile; break;
        case Qt::Key_F: tag = TagAddFile; break;
        case Qt::Key_D: tag = TagAddDir; break;
        case Qt::Key_G: tag = TagConvertAll; break;
        default: break;
        }
    }
    if (QAction *command = commands.value(tag))
        MenuItemClick(command);
}

bool TFmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        // The first receiver is the focused control; should it not take the key, the same
        // key goes on to its parents, and its command must run once only.
        auto *widget = qobject_cast<QWidget *>(watched);
        const quint64 keyPress = OrdvaneApplication::currentKeyPress();
        if (widget && widget->window() == this && keyPress != lastKeyPress) {
            lastKeyPress = keyPress;
            FormKeyDown(static_cast<QKeyEvent *>(event));
        }
    }
    return false; // the focused control gets the key afterwards
}

bool TFmMain::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StatusTip: // hints go to the message panel, not over the whole status bar
        ShowStatusMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
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
    if (FmCancelCvt && FmCancelCvt->isVisible())
        FmCancelCvt->raise();
}

void TFmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TFmMain::FormResize()
{
    if (BtnConvert)
        BtnConvert->move(frameGeometry().width() - BtnConvert->width() - BtnAddFile->x() - 4, BtnConvert->y());
}

void TFmMain::closeEvent(QCloseEvent *event)
{
    if (runActive) {
        // Let the file in hand finish, then close normally, so list and settings are saved.
        CancelConvert = true;
        closeAfterRun = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
