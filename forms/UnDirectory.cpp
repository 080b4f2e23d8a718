#include "forms/UnDirectory.h"

#include "platform/FileSystem.h"
#include "settings/Settings.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyPreview.h"
#include "widgets/Widgets.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFmDirectory *FmDirectory = nullptr;

QStringList SplitDirectories(const QString &text)
{
    QStringList entries = text.split(u';');
    if (entries.last().isEmpty())
        entries.removeLast();
    return entries;
}

TFmDirectory::TFmDirectory(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmDirectory"));
    setWindowTitle(tr("Directory"));
    LBOXDirs = new QListWidget(this);
    LBOXDirs->setObjectName(QStringLiteral("LBOXDirs"));
    EditDir = new QLineEdit(this);
    EditDir->setObjectName(QStringLiteral("EditDir"));
    BtnDir = makeButton(this, "BtnDir", tr("&Browse"));
    BtnReplace = makeButton(this, "BtnReplace", tr("&Replace"));
    BtnAdd = makeButton(this, "BtnAdd", tr("&Add"));
    BtnDelete = makeButton(this, "BtnDelete", tr("&Delete"));
    BtnOK = makeButton(this, "BtnOK", tr("&OK"));
    BtnCancel = makeButton(this, "BtnCancel", tr("&Cancel"));

    auto *listButtons = new QVBoxLayout;
    for (QPushButton *b : {BtnReplace, BtnAdd, BtnDelete})
        listButtons->addWidget(b);
    listButtons->addStretch();
    auto *grid = new QGridLayout(this);
    auto *LblDirs = new QLabel(tr("List of directories:"), this);
    LblDirs->setBuddy(LBOXDirs);
    // Names the field for assistive technology, which cannot see the list above it.
    auto *LblDir = new QLabel(tr("Directory:"), this);
    LblDir->setBuddy(EditDir);
    grid->addWidget(LblDirs, 0, 0, 1, 2);
    grid->addWidget(LBOXDirs, 1, 0);
    grid->addLayout(listButtons, 1, 1);
    grid->addWidget(LblDir, 2, 0, 1, 2);
    grid->addWidget(EditDir, 3, 0);
    grid->addWidget(BtnDir, 3, 1);
    auto *closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(BtnOK);
    closing->addWidget(BtnCancel);
    grid->addLayout(closing, 4, 0, 1, 2);
    setMinimumWidth(420);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(EditDir, &QLineEdit::textChanged, this, &TFmDirectory::EditDirChange);
    connect(LBOXDirs, &QListWidget::itemSelectionChanged, this, &TFmDirectory::LBOXDirsClick);
    connect(BtnAdd, &QPushButton::clicked, this, &TFmDirectory::BtnAddClick);
    connect(BtnReplace, &QPushButton::clicked, this, &TFmDirectory::BtnReplaceClick);
    connect(BtnDelete, &QPushButton::clicked, this, &TFmDirectory::BtnDeleteClick);
    connect(BtnDir, &QPushButton::clicked, this, &TFmDirectory::BtnDirClick);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    KeyPreview::enterAndEscape(this, [this] { accept(); } /* the typed path is not added */, [this] { reject(); });
    LoadDirectories(Settings.adddir);
}

void TFmDirectory::LoadDirectories(const QString &text)
{
    LBOXDirs->clear();
    LBOXDirs->addItems(SplitDirectories(text));
    BtnAdd->setEnabled(false);
    BtnReplace->setEnabled(false);
    BtnDelete->setEnabled(false);
    if (LBOXDirs->count() > 0) {
        LBOXDirs->setCurrentRow(0);
        EditDir->setText(LBOXDirs->item(0)->text());
        EditDirChange();
        BtnDelete->setEnabled(true);
    } else {
        EditDir->clear(); // nothing of an earlier showing comes back
    }
}

QStringList TFmDirectory::directories() const
{
    QStringList entries;
    for (int i = 0; i < LBOXDirs->count(); ++i)
        entries << LBOXDirs->item(i)->text();
    return entries;
}

void TFmDirectory::EditDirChange()
{
    const QString text = EditDir->text();
    bool listed = false;
    for (int i = 0; i < LBOXDirs->count() && !listed; ++i)
        listed = FileSystem::samePath(LBOXDirs->item(i)->text(), text);
    BtnAdd->setEnabled(!text.isEmpty() && !listed);
    BtnReplace->setEnabled(BtnAdd->isEnabled());
}

void TFmDirectory::LBOXDirsClick()
{
    const QList<QListWidgetItem *> chosen = LBOXDirs->selectedItems();
    EditDir->setText(chosen.isEmpty() ? QString() : chosen.first()->text());
}

void TFmDirectory::BtnAddClick()
{
    LBOXDirs->addItem(EditDir->text());
    EditDirChange();
}

void TFmDirectory::BtnReplaceClick()
{
    const QList<QListWidgetItem *> chosen = LBOXDirs->selectedItems();
    if (!chosen.isEmpty())
        chosen.first()->setText(EditDir->text());
    EditDirChange();
}

void TFmDirectory::BtnDeleteClick()
{
    const QList<QListWidgetItem *> chosen = LBOXDirs->selectedItems();
    if (chosen.isEmpty())
        return;
    delete chosen.first();
    // The list would select the next entry by itself; a second Delete or a Replace must
    // not hit an entry the user did not choose.
    LBOXDirs->setCurrentItem(nullptr);
    LBOXDirs->clearSelection();
    EditDir->clear();
}

void TFmDirectory::BtnDirClick()
{
    const QString start = FileSystem::isDirectoryPath(EditDir->text()) ? EditDir->text() : QString();
    const QString folder = Dialogs::browseForFolder(this, tr("Select directory"), start);
    if (!folder.isEmpty())
        EditDir->setText(folder);
}
