// The main window's commands as the user reaches them: its actions, menus, buttons, keys and
// status bar, and which commands are open at a given moment.
#include "ui/UnMain.h"

#include "conversion/JobList.h"
#include "forms/UnCancelCvt.h"
#include "forms/UnCancelFind.h"
#include "ui/PasswordEntry.h"
#include "ui/StatusPanel.h"
#include "widgets/Images.h"
#include "widgets/JobListView.h"
#include "widgets/KeyPreview.h"
#include "widgets/Metrics.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr int ButtonWidth = 65;
constexpr int ButtonHeight = 22;
constexpr int ButtonTop = 7;
constexpr int ButtonsLeft = 49;
constexpr int PanelHeight = 34;
constexpr int ButtonGap = 8; // at least, between the Log and the Convert button

} // namespace

QAction *TFmMain::makeAction(const char *name, int tag, Command command, const QString &caption, const QString &hint, int image)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setProperty("Tag", tag);
    action->setStatusTip(hint);
    if (image >= 0)
        action->setIcon(Images::menuImage(image));
    connect(action, &QAction::triggered, this, [this, tag, command] { runCommand(tag, command); });
    commands.insert(tag, command);
    return action;
}

void TFmMain::createActions()
{
    // The key named after a tab is shown in the menu; the window's key handling does the rest.
    const struct {
        QAction *TFmMain::*action;
        const char *name;
        Tag tag;
        Command command;
        const char *caption, *hint;
        int image; // of the menu images; -1 for none
    } table[] = {
        {&TFmMain::ActOptions, "ActOptions", TagOptions, &TFmMain::OptionsCommand, QT_TR_NOOP("&Options"), QT_TR_NOOP("Set KV-Ordvane options"), 0},
        {&TFmMain::ActExit, "ActExit", TagExit, &TFmMain::ExitCommand, QT_TR_NOOP("&Exit"), QT_TR_NOOP("Exit from KV-Ordvane"), 1},
        {&TFmMain::ActViewLog, "ActViewLog", TagViewLog, &TFmMain::ViewLogCommand, QT_TR_NOOP("&View Log"), QT_TR_NOOP("View KV-Ordvane logs"), 7},
        {&TFmMain::ActAddFile, "ActAddFile", TagAddFile, &TFmMain::AddFileCommand, QT_TR_NOOP("Add &File\tCTRL+F"), QT_TR_NOOP("Add file(s) by selecting file(s)"), 5},
        {&TFmMain::ActAddDir, "ActAddDir", TagAddDir, &TFmMain::AddDirCommand, QT_TR_NOOP("Add &Dir\tCTRL+D"), QT_TR_NOOP("Add file(s) by selecting director(ies)"), 6},
        {&TFmMain::ActPasteFile, "ActPasteFile", TagPasteFile, &TFmMain::PasteCommand, QT_TR_NOOP("&Paste File\tCTRL+V"), QT_TR_NOOP("Add file(s) by pasting from clipboard"), 4},
        {&TFmMain::ActDelete, "ActDelete", TagDelete, &TFmMain::DeleteSelectedEntries, QT_TR_NOOP("Delete\tDelete"), QT_TR_NOOP("Delete selected file(s) name from listview"), 2},
        {&TFmMain::ActSelectAll, "ActSelectAll", TagSelectAll, &TFmMain::SelectAllEntries, QT_TR_NOOP("Select &All\tCTRL+A"), QT_TR_NOOP("Select all file(s) in listview"), 8},
        {&TFmMain::ActConvertAll, "ActConvertAll", TagConvertAll, &TFmMain::ConvertAllCommand, QT_TR_NOOP("&Convert All\tCtrl+G"), QT_TR_NOOP("Convert all file(s) in listview"), 3},
        {&TFmMain::ActConvertSelect, "ActConvertSelect", TagConvertSelect, &TFmMain::ConvertSelectedCommand, QT_TR_NOOP("Convert &Selected"), QT_TR_NOOP("Convert selected file(s)"), -1},
        {&TFmMain::ActReConvert, "ActReConvert", TagReConvert, &TFmMain::ReConvertCommand, QT_TR_NOOP("&ReConvert Selected"), QT_TR_NOOP("Convert selected file(s) again"), -1},
        {&TFmMain::ActPassword, "ActPassword", TagPassword, &TFmMain::PasswordCommand, QT_TR_NOOP("Enter &Password...\tCtrl+P"), QT_TR_NOOP("Open selected file(s) that need a password, and convert them"), -1},
        {&TFmMain::ActLaunchSource, "ActLaunchSource", TagLaunchSource, &TFmMain::LaunchSourceCommand, QT_TR_NOOP("Source"), QT_TR_NOOP("Open source file with default program"), -1},
        {&TFmMain::ActLaunchTarget, "ActLaunchTarget", TagLaunchTarget, &TFmMain::LaunchTargetCommand, QT_TR_NOOP("Target"), QT_TR_NOOP("Open target file with default program"), -1},
        {&TFmMain::ActExploreSource, "ActExploreSource", TagExploreSource, &TFmMain::ExploreSourceCommand, QT_TR_NOOP("Source"), QT_TR_NOOP("Explore folder which source file in"), -1},
        {&TFmMain::ActExploreTarget, "ActExploreTarget", TagExploreTarget, &TFmMain::ExploreTargetCommand, QT_TR_NOOP("Target"), QT_TR_NOOP("Explore folder which target file in"), -1},
        {&TFmMain::ActContents, "ActContents", TagContents, &TFmMain::ContentsCommand, QT_TR_NOOP("&Contents\tF1"), QT_TR_NOOP("Show help contents"), 9},
        {&TFmMain::ActAbout, "ActAbout", TagAbout, &TFmMain::AboutCommand, QT_TR_NOOP("&About"), QT_TR_NOOP("Show about window"), -1},
    };
    for (const auto &entry : table)
        this->*entry.action = makeAction(entry.name, entry.tag, entry.command, tr(entry.caption), tr(entry.hint), entry.image);
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

    QMenu *file = addMenu("File1", tr("&File "));
    file->addAction(ActOptions);
    file->addSeparator();
    file->addAction(ActViewLog);
    file->addSeparator();
    file->addAction(ActExit);

    QMenu *edit = addMenu("Edit1", tr("&Edit "));
    edit->addActions({ActAddFile, ActAddDir, ActPasteFile});
    edit->addSeparator();
    edit->addActions({ActDelete, ActSelectAll});

    QMenu *convert = addMenu("Convert1", tr("Con&vert "));
    convert->addActions({ActConvertAll, ActConvertSelect, ActReConvert, ActPassword});
    convert->addSeparator();
    addSubmenu(convert, "Launch1", tr("&Launch"), TagLaunchMenu, ActLaunchSource, ActLaunchTarget);
    addSubmenu(convert, "Explore1", tr("&Explore"), TagExploreMenu, ActExploreSource, ActExploreTarget);

    QMenu *help = addMenu("Help1", tr("&Help "));
    help->addAction(ActContents);
    help->addSeparator();
    help->addAction(ActAbout);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({ActConvertAll, ActConvertSelect, ActReConvert, ActPassword});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({ActAddFile, ActAddDir, ActDelete});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ActSelectAll);
    PopupMenu1->addSeparator();
    addSubmenu(PopupMenu1, "Launch2", tr("Launch"), TagLaunchMenu, ActLaunchSource, ActLaunchTarget);
    addSubmenu(PopupMenu1, "Explore2", tr("Explore"), TagExploreMenu, ActExploreSource, ActExploreTarget);
}

void TFmMain::createButtons()
{
    const auto setUp = [this](QAbstractButton *button, const char *name, const QString &caption, int tag, int image, QAction *hintFrom) {
        button->setObjectName(QLatin1String(name));
        button->setText(caption);
        button->setProperty("Tag", tag);
        button->setIcon(Images::menuImage(image));
        // ButtonWidth by ButtonHeight, wider where a caption needs more (other languages).
        button->setMinimumWidth(std::max(scaled(ButtonWidth), button->sizeHint().width()));
        button->setFixedHeight(scaled(ButtonHeight));
        button->setAttribute(Qt::WA_LayoutUsesWidgetRect); // placed by its own edges, not the style's margins
        button->setStatusTip(hintFrom->statusTip());
        connect(button, &QAbstractButton::clicked, this, [this, button] { MenuItemClick(button); });
        return button;
    };
    const auto toolButton = [this, setUp](const char *name, const QString &caption, int tag, int image, QAction *hintFrom) {
        auto *button = new QToolButton(Panel2);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        setUp(button, name, caption, tag, image, hintFrom);
        return button;
    };
    BtnAddFile = toolButton("BtnAddFile", tr("&Add File"), TagAddFile, 5, ActAddFile);
    BtnAddDir = toolButton("BtnAddDir", tr("Add &Dir"), TagAddDir, 6, ActAddDir);
    BtnOption = toolButton("BtnOption", tr("&Options"), TagOptions, 0, ActOptions);
    BtnLog = toolButton("BtnLog", tr("&Log"), TagViewLog, 7, ActViewLog);
    // The main command stands out as the style draws a default button, with the style's own
    // focus marking, readable in any colour scheme.
    auto *convert = new QPushButton(Panel2);
    convert->setDefault(true);
    convert->setAutoDefault(false);
    convert->setFocusPolicy(Qt::TabFocus);
    BtnConvert = setUp(convert, "BtnConvert", tr("&Convert"), TagConvertAll, 3, ActConvertAll);

    // Their usual places: the four from the left, the Convert button as far from the right
    // edge as they are from the left; a wider caption moves the buttons after it.
    Panel2->setFixedHeight(scaled(PanelHeight));
    auto *row = new QHBoxLayout(Panel2);
    row->setContentsMargins(scaled(ButtonsLeft), scaled(ButtonTop), scaled(ButtonsLeft) + 4, scaled(PanelHeight - ButtonTop - ButtonHeight));
    row->setSpacing(0);
    row->addWidget(BtnAddFile);
    row->addSpacing(scaled(16));
    row->addWidget(BtnAddDir);
    row->addSpacing(scaled(18));
    row->addWidget(BtnOption);
    row->addSpacing(scaled(15));
    row->addWidget(BtnLog);
    row->addSpacing(scaled(ButtonGap));
    row->addStretch();
    row->addWidget(BtnConvert);
}

void TFmMain::createStatusBar()
{
    Status = new StatusPanel(statusBar());
}

void TFmMain::FormKeyDown()
{
    // The window's keys, whatever control has the focus; Alt with any of them does nothing.
    // F1 and Delete work whatever Ctrl and Shift are doing, the letters with Ctrl, Shift or not.
    const auto command = [this](int tag) { return [this, tag] { runCommand(tag, commands.value(tag)); }; };
    for (const auto &[key, tag] : {std::pair{Qt::Key_F1, int(TagContents)}, std::pair{Qt::Key_Delete, int(TagDelete)}})
        KeyPreview::onKeys(this, {QKeySequence(key), QKeySequence(Qt::CTRL | key), QKeySequence(Qt::SHIFT | key),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | key)}, command(tag));
    for (const auto &[key, tag] : {std::pair{Qt::Key_A, int(TagSelectAll)}, std::pair{Qt::Key_V, int(TagPasteFile)},
                                   std::pair{Qt::Key_F, int(TagAddFile)}, std::pair{Qt::Key_D, int(TagAddDir)},
                                   std::pair{Qt::Key_G, int(TagConvertAll)}, std::pair{Qt::Key_P, int(TagPassword)}})
        KeyPreview::onKeys(this, {QKeySequence(Qt::CTRL | key), QKeySequence(Qt::CTRL | Qt::SHIFT | key)}, command(tag));
    // Esc while the keyring is asked for passwords: the dialog asks for them at once.
    KeyPreview::onKeys(this, {QKeySequence(Qt::Key_Escape)}, [this] { Passwords->stopWaiting(); });
}

void TFmMain::ActionMainMenuBar1Paint()
{
    bool convertAll = false, convertSelect = false, reConvert = false, password = false;
    for (int row = 0; row < jobs->count() && !(convertAll && convertSelect && reConvert && password); ++row) {
        const bool waiting = jobs->entry(row).state == JobList::Waiting;
        const bool selected = jobs->isSelected(row);
        convertAll = convertAll || waiting;
        convertSelect = convertSelect || (waiting && selected);
        reConvert = reConvert || (!waiting && selected);
        password = password || (selected && jobs->needsPassword(row));
    }
    const bool idle = !busy();
    ActConvertAll->setEnabled(convertAll && idle);
    ActConvertSelect->setEnabled(convertSelect && idle);
    ActReConvert->setEnabled(reConvert && idle);
    ActPassword->setEnabled(password && idle);
    const bool anySelected = jobs->selectedCount() > 0;
    ActDelete->setEnabled(anySelected && idle);
    for (QAction *action : {ActLaunchSource, ActLaunchTarget, ActExploreSource, ActExploreTarget})
        action->setEnabled(anySelected);
    ActPasteFile->setEnabled(PasteFromClipboard() && idle);
    for (QAction *action : {ActOptions, ActAddFile, ActAddDir})
        action->setEnabled(idle);
}

void TFmMain::File1Click()
{
    ActionMainMenuBar1Paint();
}

void TFmMain::PopupMenu1Popup(const QPoint &position)
{
    if ((FmCancelFind && FmCancelFind->isVisible()) || (FmCancelCvt && FmCancelCvt->isVisible()))
        return; // no context menu while a progress window is up
    ActionMainMenuBar1Paint();
    PopupMenu1->popup(ListView1->viewport()->mapToGlobal(position));
}
