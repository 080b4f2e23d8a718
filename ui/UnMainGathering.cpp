// What the main window takes into the job list from outside: files picked, folders searched,
// drops, the clipboard and the files a later start hands over.
#include "ui/UnMain.h"

#include "conversion/JobList.h"
#include "desktop/Desktop.h"
#include "forms/UnAddDir.h"
#include "forms/UnCancelFind.h"
#include "gathering/DirectorySearch.h"
#include "gathering/DroppedFiles.h"
#include "platform/FileSystem.h"
#include "settings/DocumentTypes.h"
#include "settings/Settings.h"
#include "ui/HandOverQueue.h"
#include "widgets/Dialogs.h"
#include "widgets/OrdvaneApplication.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QToolButton>

void TFmMain::AddFileCommand()
{
    const QStringList files = Dialogs::openFiles(this, DocumentTypes(Settings.userfileext1).AddFileFilter());
    if (files.isEmpty())
        return;
    jobs->clearSelection();
    for (const QString &file : files)
        AddOneFile(file);
    RevealCurrentEntry();
    ShowFileCount();
}

void TFmMain::AddDirCommand()
{
    const std::optional<TFmAddDir::Choice> chosen = FmAddDir->Ask();
    if (!chosen)
        return;
    jobs->clearSelection();
    FileSearch->RecurseSubFolders = chosen->recursive;
    FileSearch->SearchExts = DocumentTypes(Settings.userfileext1).DirectorySearchFilter(chosen->types);
    SearchDirs = chosen->folders;
    countBeforeSearch = FileCount();
    setBusy(searchActive, true);
    FmCancelFind->show();
    FileSearch->start(SearchDirs);
}

void TFmMain::searchEnded()
{
    FmCancelFind->close();
    RevealCurrentEntry();
    ShowFileCount();
    ShowStatusMessage(tr("Done Scanning, add %n file(s).", nullptr, FileCount() - countBeforeSearch));
    setBusy(searchActive, false);
}

bool TFmMain::PasteFromClipboard()
{
    const QStringList names = DroppedFiles::fromClipboard(QGuiApplication::clipboard()->mimeData());
    if (names.isEmpty())
        return false;
    DropNames = names;
    return true;
}

void TFmMain::PasteCommand()
{
    if (!PasteFromClipboard())
        return;
    for (const QString &name : std::as_const(DropNames))
        AddOneFile(name); // folders too: they are refused unless their name looks like a PDF
    ShowFileCount();
}

void TFmMain::DropFileTarget1Drop(const QStringList &names)
{
    // A folder alone opens Add Dir, which waits until a run has ended.
    if (busy() && names.size() == 1 && FileSystem::isDirectoryPath(names.first())) {
        HandedFiles->queueForLater(names);
        return;
    }
    commandStarts();
    DropNames = names;
    // A run takes the selected entries as it comes to them: files added meanwhile go to the
    // end of the list and leave the selection as it is.
    if (!runActive)
        jobs->clearSelection();
    if (DropNames.size() == 1) {
        const QString name = DropNames.first();
        if (FileSystem::isDirectoryPath(name)) {
            FmAddDir->offerFolder(name);
            bringToFront();
            MenuItemClick(BtnAddDir);
        } else {
            AddOneFile(name);
            RevealCurrentEntry();
        }
        ShowFileCount();
    } else {
        for (const QString &name : std::as_const(DropNames)) {
            if (!FileSystem::isDirectoryPath(name))
                AddOneFile(name);
            RevealCurrentEntry();
        }
        ShowFileCount();
    }
    bringToFront();
}

bool TFmMain::AddFilesFromOutside(const QStringList &files, const QByteArray &activationToken)
{
    if (files.isEmpty()) {
        bringToFront(activationToken);
        return true;
    }
    // The token is the compositor's leave to come to the front now; the files may wait.
    Desktop::useActivationToken(activationToken);
    // A name that names nothing is refused at once, as a file of another type would be: the
    // user meant a file, and it is not there.
    QStringList present;
    for (const QString &file : files) {
        if (FileSystem::exists(file))
            present << file;
        else
            jobs->AddOneFile(file, JobList::Presence::Required);
    }
    const bool anyTaken = std::any_of(present.begin(), present.end(), [this](const QString &file) {
        return FileSystem::isDirectoryPath(file) || jobs->addable(file, int(HandedFiles->size())) == JobList::AddResult::Added;
    });
    if (present.isEmpty())
        bringToFront(); // to show why
    else
        HandedFiles->queue(present);
    return anyTaken;
}

// Files a later start was told were taken are in the list before it is saved, whatever kept
// them waiting (a dialog, a search).
void TFmMain::TakePendingFiles()
{
    for (const QString &file : HandedFiles->takeFiles())
        jobs->AddOneFile(file);
}

void TFmMain::dragEnterEvent(QDragEnterEvent *event)
{
    // Copies of local files only, and not while a search fills the list; during a run they
    // are added at the end, as the run leaves the list's end alone.
    if (!(event->possibleActions() & Qt::CopyAction) || !event->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
        return;
    if (searchActive) {
        ShowStatusMessage(busyReason()); // the refused drop says why
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TFmMain::dragMoveEvent(QDragMoveEvent *event)
{
    if (!searchActive && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void TFmMain::dropEvent(QDropEvent *event)
{
    if (searchActive)
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    try {
        DropFileTarget1Drop(DroppedFiles::fromDrop(event->mimeData()));
    } catch (...) {
        OrdvaneApplication::showError(std::current_exception());
    }
}
